// What the front ends may know of the source syntax: a line's parts, its separators and its
// numerals, answered by the engine's own splitter and checks, so that the editor, the listing
// and the navigation never read a line otherwise than an assembly does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

// One source line's label, operation and operands, in Windows-1252, as the passes split it.
struct PartesLinha {
    std::string rotulo;
    std::string operacao;
    std::vector<std::string> operandos;
};

// The parts of a UTF-8 source line; all empty for a line with nothing to split.
PartesLinha partesLinha(std::string_view linhaUtf8);

// Whether the splitter ends a token at `c` (tab, blank, comma, colon); no character beyond
// ASCII does.
bool ehSeparadorFonte(char32_t c);

// A decimal numeral (optional sign) or an H-prefixed hexadecimal one, with or without one "#".
bool ehNumero(std::string_view texto);

} // namespace orvandel
