// Helpers shared by the tests: assembling a snippet, reading bytes back, temporary directories.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "montagem.hpp"

namespace orvandel::teste {

// A fresh engine that has assembled `linhas` (UTF-8) for `maquina`.
std::unique_ptr<Montador> monta(Maquina maquina, const std::vector<std::string>& linhas);

// The message list as the user reads it, one entry per line.
std::vector<std::string> linhasMensagens(const Montador& m);

// `quantos` bytes of the image from `endereco`, as "20 0A" (upper-case hex, blank-separated).
std::string bytesEm(const Montador& m, int32_t endereco, int quantos);

// Parses "20 0A FF" into bytes.
std::vector<uint8_t> leBytes(const std::string& texto);

// A directory under the system's temporary directory, removed with everything in it.
class DiretorioTemporario {
  public:
    DiretorioTemporario();
    ~DiretorioTemporario();
    DiretorioTemporario(const DiretorioTemporario&) = delete;
    DiretorioTemporario& operator=(const DiretorioTemporario&) = delete;
    const std::filesystem::path& caminho() const { return caminho_; }
    std::filesystem::path operator/(const std::string& nome) const { return caminho_ / nome; }

  private:
    std::filesystem::path caminho_;
};

std::string leArquivo(const std::filesystem::path& caminho);
// The names in a directory, sorted: shows what a step wrote or left behind.
std::vector<std::string> nomesEm(const std::filesystem::path& diretorio);
void escreveArquivo(const std::filesystem::path& caminho, const std::string& conteudo);

} // namespace orvandel::teste
