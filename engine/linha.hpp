// The source line splitter: comment removal, tokens, and the label / operation / operands sort.
#pragma once

#include <string_view>

#include "tabelas.hpp"

namespace orvandel {

// Only this many characters of a line, counted from its first non-separator, are split.
inline constexpr size_t kLimiteLinha = 1000;

constexpr bool ehSeparador(char c) { return c == '\t' || c == ' ' || c == ',' || c == ':'; }

// Splits a Windows-1252 line into `e`. The caller empties `rotulo` and `operacao` first (the
// splitter only assigns them when it finds them); `operandos` is emptied here. False only for a
// line of zero characters.
bool separaLinha(std::string_view linha, elemLinha& e);

} // namespace orvandel
