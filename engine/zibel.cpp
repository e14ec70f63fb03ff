// Zibel: the 8-bit accumulator machine with eleven instructions; its opcodes stand in the table
// of machine facts.
#include "acumulador.hpp"
#include "codificadores.hpp"

namespace orvandel {

void geraZibel(Montador& m, const LinhaInstrucao& instrucao,
               std::span<const std::string_view> operandos, int32_t contPosicao, int32_t numLinha) {
    geraAcumulador(m, instrucao, "Zibel", operandos, contPosicao, numLinha);
}

} // namespace orvandel
