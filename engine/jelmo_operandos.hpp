// Jelmo's general operands: the written forms of the eight addressing modes, their recognisers,
// and the encoding of one operand into a mode, a register and an optional palavraExtra.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contexto.hpp"
#include "maquinas.hpp"

namespace orvandel {

struct Montador;

// An operand in one of the eight register forms, taken apart once for its encoding.
struct FormaRegistrador {
    int registrador;               // 0 to 7
    int modo;                      // 0 to 7
    std::string_view deslocamento; // the d of d(Rn) and (d(Rn)) as written; empty for the others
    int32_t valor = 0;             // the displacement's value
    bool numeral = false;          // whether the displacement is written as a numeral
};

// The operand as one of the register forms whose displacement, if any, is a numeral or a symbol
// reference defined now; nullopt for anything else. Reports only what resolveSimbolo reports.
std::optional<FormaRegistrador> decompoeOperando(Montador& m, std::string_view operando,
                                                 int32_t numLinha);
// The number of a bare register name "R0" to "R7" (any case), as JSR, RTS and SOB write them.
std::optional<int> registradorNomeado(std::string_view texto);

// Whether the operand is followed by a palavraExtra: everything but the register forms without
// a displacement. Instruction lengths and the operand encoding both rest on this one rule.
// `Reportavel` marks a displacement whose conversion may report or abandon the run: the rule
// gives those messages each time it runs; the others it gives in no run, whatever the symbols.
enum class PalavraExtra { Nenhuma, Silenciosa, Reportavel };
PalavraExtra palavraExtra(Montador& m, std::string_view operando, int32_t numLinha);
// The same answer from the operand's form alone, without the messages: what a thread that
// shares nothing with the run can work out.
PalavraExtra palavraExtraPelaForma(std::string_view operando);

// The instruction line that an operand belongs to.
struct LinhaJelmo : ContextoLinha {
    const LinhaInstrucao& instrucao;
    int32_t endereco; // the instruction's first byte
};

struct OperandoCodificado {
    int modo;
    int registrador;
    bool temPalavraExtra;

    // The six bits of the operand in an instruction word: mode, then register.
    int32_t campo() const { return modo << 3 | registrador; }
};

// Encodes one general operand and places its palavraExtra, if it has one, at `enderecoPalavra`.
// `fonte` marks the source operand of a two-operand instruction.
OperandoCodificado codificaOperando(const LinhaJelmo& linha, std::string_view operando, bool fonte,
                                    int32_t enderecoPalavra);

} // namespace orvandel
