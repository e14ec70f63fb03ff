// Jelmo: the 16-bit machine. Instruction lengths follow from the operands' addressing modes.
#include "codificadores.hpp"

namespace orvandel {

int32_t tamanhoJelmo(Montador&, const tipoInstrucao& instrucao, const std::vector<std::string>&,
                     int32_t) {
    return instrucao.tamanho;
}

} // namespace orvandel
