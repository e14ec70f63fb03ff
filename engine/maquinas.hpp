// The one table of machine facts inside the engine: per machine its name, image tag, last
// address, word size, reserved names, encoder and instruction rows. Each row carries the
// mnemonic, the table's length and operand limit, the opcode and the operand form that the
// machine's encoder dispatches on, so that no encoder keeps a second copy of its opcodes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "orvandel/maquinas.hpp"

namespace orvandel {

struct Montador;

// The operand forms of all four machines; each encoder handles its own.
enum class Forma : uint8_t {
    SemOperando,         // NOP, HLT (every machine), RTI
    Endereco,            // Zibel, Kovra: STA endereco
    Registrador,         // Quirla: NOT r
    RegistradorEndereco, // Quirla: LDR r endereco [modo]
    DesvioEndereco,      // Quirla: JMP endereco [modo]
    Condicoes,           // Jelmo: CCC, SCC with the flag letters
    Desvio,              // Jelmo: BR ... BLS, opcode byte and displacement byte
    Salto,               // Jelmo: JMP, a word with one general operand
    Sob,                 // Jelmo: SOB, opcode byte with the register, displacement byte
    Subrotina,           // Jelmo: JSR, a word with the link register and one general operand
    Retorno,             // Jelmo: RTS, one byte with the register
    UmOperando,          // Jelmo: CLR ... SBC, a word with one general operand
    DoisOperandos,       // Jelmo: MOV ... OR, a word with a source and a destination
};

// The general operands (Jelmo's eight addressing modes) of a form: each may add a word. Asked
// for every Jelmo instruction line, in both passes: here, where the compiler can fold it in.
constexpr int operandosGerais(Forma forma) {
    switch (forma) {
    case Forma::Salto:
    case Forma::Subrotina:
    case Forma::UmOperando:
        return 1;
    case Forma::DoisOperandos:
        return 2;
    default:
        return 0;
    }
}

struct LinhaInstrucao {
    std::string_view mnemonico;
    int32_t tamanho;       // the instruction table's length (Jelmo: where its rule starts)
    int32_t num_operandos; // the most operand tokens pass 2 accepts
    int32_t opcode;        // see DescricaoInstrucao::opcode
    Forma forma;
};

// An encoder places one instruction line's bytes at `contPosicao`; `instrucao` is the row that
// pass 2 found for the line; the operands are views of the line as written.
using Codificador = void (*)(Montador& m, const LinhaInstrucao& instrucao,
                             std::span<const std::string_view> operandos, int32_t contPosicao,
                             int32_t numLinha);

struct FatosMaquina {
    std::string_view nome;
    std::string_view etiqueta; // of the image file
    int32_t ultimoEndereco;
    int32_t tamanhoPalavra; // bytes of one memory word
    std::span<const std::string_view> reservados;
    std::span<const LinhaInstrucao> instrucoes;
    Codificador codifica;
};

// In the order of the Maquina enumerators. Declared here, so that a fact asked for every byte or
// line placed (the last address, the encoder) costs a load and no call.
extern const std::array<FatosMaquina, 4> kFatos;

inline const FatosMaquina& fatosMaquina(Maquina maquina) {
    return kFatos[static_cast<size_t>(maquina)];
}

// The rows a machine loads into the instruction table, in table order.
inline std::span<const LinhaInstrucao> linhasInstrucoes(Maquina maquina) {
    return fatosMaquina(maquina).instrucoes;
}

} // namespace orvandel
