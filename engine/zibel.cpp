// Zibel: the 8-bit accumulator machine with eleven instructions.
#include "acumulador.hpp"
#include "codificadores.hpp"

namespace orvandel {

namespace {

constexpr OpcodeAcumulador kOpcodesZibel[] = {
    {"NOP", 0x00, false}, {"STA", 0x10, true}, {"LDA", 0x20, true}, {"ADD", 0x30, true},
    {"OR", 0x40, true},   {"AND", 0x50, true}, {"NOT", 0x60, false}, {"JMP", 0x80, true},
    {"JN", 0x90, true},   {"JZ", 0xA0, true},  {"HLT", 0xF0, false},
};

} // namespace

void geraZibel(Montador& m, std::string_view operacao, std::vector<std::string>& operandos,
               int32_t contPosicao, int32_t numLinha) {
    geraAcumulador(m, kOpcodesZibel, "Zibel", operacao, operandos, contPosicao, numLinha);
}

} // namespace orvandel
