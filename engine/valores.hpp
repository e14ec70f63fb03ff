// Numerals, character literals, symbol references and immediate values: the syntax checks and
// the conversions to 32-bit signed values shared by the passes, directives and encoders.
#pragma once

#include <cstdint>
#include <string_view>

#include "orvandel/sintaxe.hpp"

namespace orvandel {

struct Montador;

// Two's-complement arithmetic on the engine's 32-bit values: overflow wraps, never undefined.
inline int32_t soma32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t subtrai32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// ehNumero is the face's (orvandel/sintaxe.hpp): the editor and the listing read numerals too.
// Apostrophe, one character, apostrophe.
bool ehLiteralCaractere(std::string_view texto);
// A numeral or a character literal, with or without one "#".
bool ehConstante(std::string_view texto);
// A numeral that converteNumero converts without abandoning the run.
bool numeralRepresentavel(std::string_view texto);

// A text read once as a numeral: whether it is one (ehNumero), whether its value fits in 32 bits
// (numeralRepresentavel) and that value. The encoders ask all three of one operand; this reads it
// one time instead of three.
struct Numeral {
    bool ehNumero = false;
    bool cabe = false;
    int32_t valor = 0;
};
Numeral leNumeral(std::string_view texto);

// The value of a numeral; any other text is reported as "Número inválido: " and gives 0.
// Throws ValorInteiroInvalido for a numeral outside the 32-bit range.
int32_t converteNumero(Montador& m, std::string_view texto, int32_t numLinha);
// As converteNumero, also accepting a character literal (its 8-bit code).
int32_t converteConstante(Montador& m, std::string_view texto, int32_t numLinha);
// A defined symbol with an optional "+" or "-" numeral. False (and -1) when the symbol is absent.
bool resolveSimbolo(Montador& m, std::string_view texto, int32_t& valor, int32_t numLinha);
// "#" followed by a numeral, character literal or symbol reference. False without a report for
// a text without "#" (or "#" alone); false with a report when what follows is unusable.
bool valorImediato(Montador& m, std::string_view texto, int32_t& valor, int32_t numLinha);

// A signed decimal integer as a whole text (the DAB/DAW size); nullopt-like false when it is not
// one or lies outside the 32-bit range.
bool leInteiroDecimal(std::string_view texto, int32_t& valor);

} // namespace orvandel
