// The annotated listing of a run (NOME.lst): every source line with its address, the bytes it
// placed and its text, each message under its line; then every symbol with its value, the line
// that defines it and the lines that use it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "orvandel/montagem.hpp"

namespace orvandel {

// The zero-based lines whose operands name each symbol of the table, in table order; a line
// that names a symbol twice counts once. A name is a use wherever it stands in an operand
// (`X`, `#X+1`, `X(R7)`, `(X(R1))`), outside quotes.
std::vector<std::vector<int32_t>> usosDosSimbolos(std::span<const std::string> linhas,
                                                  const TabelaSimbolos& simbolos);

// The listing's text, in UTF-8 with LF line ends. `montagem` ran over `linhas` recording
// origins; `titulo` names the source.
std::string textoListagemFonte(std::string_view titulo, std::span<const std::string> linhas,
                               const Montagem& montagem);

// The file's bytes: Windows-1252 with CR LF, or UTF-8 with a byte-order mark when some
// character has no Windows-1252 byte.
std::string conteudoListagemFonte(std::string_view titulo, std::span<const std::string> linhas,
                                  const Montagem& montagem);

} // namespace orvandel
