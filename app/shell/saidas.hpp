// The files a successful run leaves beside its source: the memory image, then the symbol
// listing. Neither is ever written over the source it came from.
#pragma once

#include <filesystem>

#include "montagem.hpp"

namespace orvandel {

struct NomesSaida {
    std::filesystem::path imagem;
    std::filesystem::path listagem;
};

NomesSaida nomesSaida(const std::filesystem::path& fonte);

// Throws FalhaArquivo when an output would replace `fonte` (nothing is written then) or when a
// file cannot be written.
void gravaImagem(const std::filesystem::path& fonte, const std::filesystem::path& imagem,
                 const Montador& montador);
void gravaImagemEListagem(const std::filesystem::path& fonte, const Montador& montador);

} // namespace orvandel
