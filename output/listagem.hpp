// The symbol listing written beside the image: every symbol with its value in decimal and in
// hexadecimal, in table order, as Windows-1252 text with CR LF line ends.
#pragma once

#include <string>

#include "orvandel/simbolos.hpp"

namespace orvandel {

// The listing's bytes; it is written together with its image (gravaImagemEListagem).
std::string conteudoTabSimb(const TabelaSimbolos& tabSimbolos);

} // namespace orvandel
