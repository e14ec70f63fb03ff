// Kovra: Zibel's larger sibling, with SUB, eight more conditional jumps and four shifts.
#include "acumulador.hpp"
#include "codificadores.hpp"

namespace orvandel {

namespace {

constexpr OpcodeAcumulador kOpcodesKovra[] = {
    {"NOP", 0x00, false}, {"STA", 0x10, true},  {"LDA", 0x20, true},  {"ADD", 0x30, true},
    {"OR", 0x40, true},   {"AND", 0x50, true},  {"NOT", 0x60, false}, {"SUB", 0x70, true},
    {"JMP", 0x80, true},  {"JN", 0x90, true},   {"JP", 0x94, true},   {"JV", 0x98, true},
    {"JNV", 0x9C, true},  {"JZ", 0xA0, true},   {"JNZ", 0xA4, true},  {"JC", 0xB0, true},
    {"JNC", 0xB4, true},  {"JB", 0xB8, true},   {"JNB", 0xBC, true},  {"SHR", 0xE0, false},
    {"SHL", 0xE1, false}, {"ROR", 0xE2, false}, {"ROL", 0xE3, false}, {"HLT", 0xF0, false},
};

} // namespace

void geraKovra(Montador& m, std::string_view operacao, std::vector<std::string>& operandos,
               int32_t contPosicao, int32_t numLinha) {
    geraAcumulador(m, kOpcodesKovra, "Kovra", operacao, operandos, contPosicao, numLinha);
}

} // namespace orvandel
