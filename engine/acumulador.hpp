// What Zibel and Kovra share: accumulator machines whose instructions are an opcode byte,
// optionally followed by an address byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "maquinas.hpp"

namespace orvandel {

struct Montador;

// Places the instruction of the row `instrucao`. `nomeMaquina` names the machine in the
// immediate-mode message.
void geraAcumulador(Montador& m, const LinhaInstrucao& instrucao, std::string_view nomeMaquina,
                    std::span<const std::string_view> operandos, int32_t contPosicao,
                    int32_t numLinha);

} // namespace orvandel
