// What the editor colours in a source line: labels, mnemonics, directives, registers, numerals,
// character literals and strings, comments. The mnemonics, registers and numerals are the
// engine's own, so the colours never disagree with what the assembly reads.
#pragma once

#include <string_view>
#include <vector>

#include "orvandel/maquinas.hpp"

namespace orvandel {

enum class Categoria { Rotulo, Instrucao, Diretiva, Registrador, Numero, Literal, Comentario };

struct Trecho {
    size_t inicio;
    size_t comprimento;
    Categoria categoria;
    bool operator==(const Trecho&) const = default;
};

// The coloured parts of one line, left to right, in UTF-16 code units (the editor's own), so
// that the window needs no conversion. Whatever is not listed (symbols, separators) stays plain.
std::vector<Trecho> classificaLinha(std::u16string_view linha, Maquina maquina);

// Whether `texto` (any case) names one of the machine's instructions.
bool ehMnemonico(std::string_view texto, Maquina maquina);

} // namespace orvandel
