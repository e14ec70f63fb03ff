// Kovra: Zibel's larger sibling, with SUB, eight more conditional jumps and four shifts; its
// opcodes stand in the table of machine facts.
#include "acumulador.hpp"
#include "codificadores.hpp"

namespace orvandel {

void geraKovra(Montador& m, const LinhaInstrucao& instrucao,
               std::span<const std::string_view> operandos, int32_t contPosicao, int32_t numLinha) {
    geraAcumulador(m, instrucao, "Kovra", operandos, contPosicao, numLinha);
}

} // namespace orvandel
