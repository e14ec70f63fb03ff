// The files a successful run leaves beside its source: the memory image, then the symbol
// listing. Neither is ever written over the source it came from.
#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "fonte.hpp"
#include "orvandel/montagem.hpp"

namespace orvandel {

struct NomesSaida {
    std::filesystem::path imagem;
    std::filesystem::path listagem;
};

NomesSaida nomesSaida(const std::filesystem::path& fonte);

// Throws FalhaArquivo when `saida` is the file `fonte` itself (an empty `fonte` has no file).
void recusaSobreFonte(const std::filesystem::path& fonte, const std::filesystem::path& saida);

// Throw FalhaArquivo when an output would replace `fonte` (nothing is written then) or when a
// file cannot be written. The listing takes the image's name with "map" for its last three
// characters.
void gravaImagem(const std::filesystem::path& fonte, const std::filesystem::path& imagem,
                 const Montagem& montagem);
void gravaImagemEListagem(const std::filesystem::path& fonte, const std::filesystem::path& imagem,
                          const Montagem& montagem);

// The Assemble step that both programs run: `linhas`, the text of `fonte`, assembled for
// `maquina`; when no error was reported, the image and the listing written. Returns whether
// they were. Throws ValorInteiroInvalido when the run is abandoned, FalhaArquivo when an output
// cannot be written; the Montagem then holds the messages reported so far.
bool montaEGrava(Montagem& montagem, Maquina maquina, std::span<const std::string> linhas,
                 const std::filesystem::path& fonte, const std::filesystem::path& imagem);
// The same over a source read as one buffer.
bool montaEGrava(Montagem& montagem, Maquina maquina, const LinhasFonte& linhas,
                 const std::filesystem::path& fonte, const std::filesystem::path& imagem);

} // namespace orvandel
