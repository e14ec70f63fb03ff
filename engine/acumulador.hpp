// What Zibel and Kovra share: accumulator machines whose instructions are an opcode byte,
// optionally followed by an address byte.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tabelas.hpp"

namespace orvandel {

struct Montador;

struct OpcodeAcumulador {
    constexpr OpcodeAcumulador(std::string_view mnemonico, uint8_t opcode, bool temEndereco)
        : mnemonico(mnemonico), opcode(opcode), temEndereco(temEndereco),
          chave(chaveMnemonico(mnemonico)) {}

    std::string_view mnemonico;
    uint8_t opcode;
    bool temEndereco; // a second byte: the operand's address
    uint64_t chave;   // the mnemonic packed, so that each line's lookup compares integers
};

// Places the instruction for `operacao` from the machine's opcode table. `nomeMaquina` names the
// machine in the immediate-mode message.
void geraAcumulador(Montador& m, std::span<const OpcodeAcumulador> tabela,
                    std::string_view nomeMaquina, std::string_view operacao,
                    std::vector<std::string>& operandos, int32_t contPosicao, int32_t numLinha);

} // namespace orvandel
