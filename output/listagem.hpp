// The symbol listing written beside the image: every symbol with its value in decimal and in
// hexadecimal, in table order, as Windows-1252 text with CR LF line ends.
#pragma once

#include <filesystem>
#include <string>

#include "orvandel/simbolos.hpp"

namespace orvandel {

std::string conteudoTabSimb(const TabelaSimbolos& tabSimbolos);

// Writes the listing atomically to `nomeArquivoMap`. Throws FalhaArquivo.
void gravaTabSimb(const std::filesystem::path& nomeArquivoMap, const TabelaSimbolos& tabSimbolos);

} // namespace orvandel
