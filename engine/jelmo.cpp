// Jelmo: the 16-bit machine. Its instruction table and the lengths that follow from the
// operands' addressing modes.
#include <optional>
#include <string>

#include "codificadores.hpp"
#include "jelmo_operandos.hpp"
#include "montagem.hpp"

namespace orvandel {

namespace {

enum class Classe {
    Fixa,          // NOP, HLT, RTI: one byte
    Condicoes,     // CCC, SCC: one byte with the flag bits
    Desvio,        // BR ... BLS: opcode byte, displacement byte
    Salto,         // JMP: a word with one general operand
    Sob,           // SOB: opcode byte with the register, displacement byte
    Subrotina,     // JSR: a word with the link register and one general operand
    Retorno,       // RTS: one byte with the register
    UmOperando,    // CLR ... SBC: a word with one general operand
    DoisOperandos, // MOV ... OR: a word with a source and a destination
};

struct OpcodeJelmo {
    std::string_view mnemonico;
    Classe classe;
    int32_t codigo; // the byte, or the instruction word before its operand fields
};

constexpr OpcodeJelmo kOpcodesJelmo[] = {
    {"NOP", Classe::Fixa, 0x00},
    {"HLT", Classe::Fixa, 0xF0},
    {"RTI", Classe::Fixa, 0x78},
    {"CCC", Classe::Condicoes, 0x10},
    {"SCC", Classe::Condicoes, 0x20},
    {"BR", Classe::Desvio, 0x30},
    {"BNE", Classe::Desvio, 0x31},
    {"BEQ", Classe::Desvio, 0x32},
    {"BPL", Classe::Desvio, 0x33},
    {"BMI", Classe::Desvio, 0x34},
    {"BVC", Classe::Desvio, 0x35},
    {"BVS", Classe::Desvio, 0x36},
    {"BCC", Classe::Desvio, 0x37},
    {"BCS", Classe::Desvio, 0x38},
    {"BGE", Classe::Desvio, 0x39},
    {"BLT", Classe::Desvio, 0x3A},
    {"BGT", Classe::Desvio, 0x3B},
    {"BLE", Classe::Desvio, 0x3C},
    {"BHI", Classe::Desvio, 0x3D},
    {"BLS", Classe::Desvio, 0x3E},
    {"JMP", Classe::Salto, 0x4000},
    {"SOB", Classe::Sob, 0x50},
    {"JSR", Classe::Subrotina, 0x6000},
    {"RTS", Classe::Retorno, 0x70},
    {"CLR", Classe::UmOperando, 0x8000},
    {"NOT", Classe::UmOperando, 0x8100},
    {"INC", Classe::UmOperando, 0x8200},
    {"DEC", Classe::UmOperando, 0x8300},
    {"NEG", Classe::UmOperando, 0x8400},
    {"TST", Classe::UmOperando, 0x8500},
    {"ROR", Classe::UmOperando, 0x8600},
    {"ROL", Classe::UmOperando, 0x8700},
    {"ASR", Classe::UmOperando, 0x8800},
    {"ASL", Classe::UmOperando, 0x8900},
    {"ADC", Classe::UmOperando, 0x8A00},
    {"SBC", Classe::UmOperando, 0x8B00},
    {"MOV", Classe::DoisOperandos, 0x9000},
    {"ADD", Classe::DoisOperandos, 0xA000},
    {"SUB", Classe::DoisOperandos, 0xB000},
    {"CMP", Classe::DoisOperandos, 0xC000},
    {"AND", Classe::DoisOperandos, 0xD000},
    {"OR", Classe::DoisOperandos, 0xE000},
};

const OpcodeJelmo* buscaOpcode(std::string_view mnemonico) {
    for (const OpcodeJelmo& linha : kOpcodesJelmo)
        if (linha.mnemonico == mnemonico) return &linha;
    return nullptr;
}

// The operand count a class demands; nullopt where the table row's limit is all there is.
std::optional<size_t> operandosExigidos(Classe classe) {
    switch (classe) {
    case Classe::Desvio:
    case Classe::Salto:
    case Classe::Retorno:
    case Classe::UmOperando:
        return 1;
    case Classe::Sob:
    case Classe::Subrotina:
    case Classe::DoisOperandos:
        return 2;
    case Classe::Fixa:
    case Classe::Condicoes:
        return std::nullopt;
    }
    return std::nullopt;
}

// The instructions whose length follows from their operands: JMP, JSR, CLR ... SBC, MOV ... OR.
bool temOperandosGerais(Classe classe) {
    return classe == Classe::Salto || classe == Classe::Subrotina || classe == Classe::UmOperando ||
           classe == Classe::DoisOperandos;
}

} // namespace

int32_t tamanhoJelmo(Montador& m, const tipoInstrucao& instrucao,
                     const std::vector<std::string>& operandos, int32_t numLinha) {
    const OpcodeJelmo* opcode = buscaOpcode(instrucao.opcode_simbolico);
    if (!opcode || !temOperandosGerais(opcode->classe)) return instrucao.tamanho;
    if (operandos.size() != *operandosExigidos(opcode->classe)) {
        m.diag.registraErro("Instrução com número inválido de operandos", numLinha);
        return instrucao.tamanho;
    }
    int32_t tamanho = 2;
    for (const std::string& operando : operandos)
        if (temPalavraExtra(m, operando, numLinha)) tamanho += 2;
    return tamanho;
}

} // namespace orvandel
