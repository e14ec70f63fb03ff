// The two passes over the source text, the instruction lengths they share, and the table of
// encoders that pass 2 hands instruction lines to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

struct Montador;
enum class Maquina;

// Defines labels and EQU constants and counts locations; places nothing.
void primeiraPassagem(Montador& m);
// Walks the lines again with its own counter and fills the memory image.
void segundaPassagem(Montador& m);

// The number of bytes an instruction line occupies on the run's machine.
int32_t tamanhoInstrucao(Montador& m, std::string_view operacao,
                         const std::vector<std::string>& operandos, int32_t numLinha);

// An encoder places one instruction line's bytes at `contPosicao`; it may rewrite the operand
// texts (the 8-bit machines upper-case them so that messages show them so).
using Codificador = void (*)(Montador& m, std::string_view operacao,
                             std::vector<std::string>& operandos, int32_t contPosicao,
                             int32_t numLinha);
// The machine's encoder, or nullptr for a machine that has none.
Codificador codificador(Maquina maquina);

// Bytes a data line (an operation that is a numeral) takes: one memory word of the machine.
int32_t tamanhoPalavra(Maquina maquina);

} // namespace orvandel
