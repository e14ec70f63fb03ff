// The table of machine facts and the descriptions the front ends read from it.
#include "maquinas.hpp"

#include <array>

#include "codificadores.hpp"
#include "tabelas.hpp"
#include "texto.hpp"

namespace orvandel {

namespace {

using F = Forma;

constexpr LinhaInstrucao kZibel[] = {
    {"NOP", 1, 0, 0x00, F::SemOperando}, {"STA", 2, 1, 0x10, F::Endereco},
    {"LDA", 2, 1, 0x20, F::Endereco},    {"ADD", 2, 1, 0x30, F::Endereco},
    {"OR", 2, 1, 0x40, F::Endereco},     {"AND", 2, 1, 0x50, F::Endereco},
    {"NOT", 1, 0, 0x60, F::SemOperando}, {"JMP", 2, 1, 0x80, F::Endereco},
    {"JN", 2, 1, 0x90, F::Endereco},     {"JZ", 2, 1, 0xA0, F::Endereco},
    {"HLT", 1, 0, 0xF0, F::SemOperando},
};

constexpr LinhaInstrucao kKovra[] = {
    {"NOP", 1, 0, 0x00, F::SemOperando}, {"STA", 2, 1, 0x10, F::Endereco},
    {"LDA", 2, 1, 0x20, F::Endereco},    {"ADD", 2, 1, 0x30, F::Endereco},
    {"OR", 2, 1, 0x40, F::Endereco},     {"AND", 2, 1, 0x50, F::Endereco},
    {"NOT", 1, 0, 0x60, F::SemOperando}, {"SUB", 2, 1, 0x70, F::Endereco},
    {"JMP", 2, 1, 0x80, F::Endereco},    {"JN", 2, 1, 0x90, F::Endereco},
    {"JP", 2, 1, 0x94, F::Endereco},     {"JV", 2, 1, 0x98, F::Endereco},
    {"JNV", 2, 1, 0x9C, F::Endereco},    {"JZ", 2, 1, 0xA0, F::Endereco},
    {"JNZ", 2, 1, 0xA4, F::Endereco},    {"JC", 2, 1, 0xB0, F::Endereco},
    {"JNC", 2, 1, 0xB4, F::Endereco},    {"JB", 2, 1, 0xB8, F::Endereco},
    {"JNB", 2, 1, 0xBC, F::Endereco},    {"SHR", 1, 0, 0xE0, F::SemOperando},
    {"SHL", 1, 0, 0xE1, F::SemOperando}, {"ROR", 1, 0, 0xE2, F::SemOperando},
    {"ROL", 1, 0, 0xE3, F::SemOperando}, {"HLT", 1, 0, 0xF0, F::SemOperando},
};

// Quirla's opcodes are written with register A and the direct mode.
constexpr LinhaInstrucao kQuirla[] = {
    {"NOP", 1, 0, 0x00, F::SemOperando},         {"STR", 2, 3, 0x10, F::RegistradorEndereco},
    {"LDR", 2, 3, 0x20, F::RegistradorEndereco}, {"ADD", 2, 3, 0x30, F::RegistradorEndereco},
    {"OR", 2, 3, 0x40, F::RegistradorEndereco},  {"AND", 2, 3, 0x50, F::RegistradorEndereco},
    {"NOT", 1, 1, 0x60, F::Registrador},         {"SUB", 2, 3, 0x70, F::RegistradorEndereco},
    {"JMP", 2, 2, 0x80, F::DesvioEndereco},      {"JN", 2, 2, 0x90, F::DesvioEndereco},
    {"JZ", 2, 2, 0xA0, F::DesvioEndereco},       {"JC", 2, 2, 0xB0, F::DesvioEndereco},
    {"JSR", 2, 2, 0xC0, F::DesvioEndereco},      {"NEG", 1, 1, 0xD0, F::Registrador},
    {"SHR", 1, 1, 0xE0, F::Registrador},         {"HLT", 1, 0, 0xF0, F::SemOperando},
};

// Jelmo's word instructions carry the instruction word before its operand fields.
constexpr LinhaInstrucao kJelmo[] = {
    {"NOP", 1, 0, 0x00, F::SemOperando},
    {"HLT", 1, 0, 0xF0, F::SemOperando},
    {"CCC", 1, 4, 0x10, F::Condicoes},
    {"SCC", 1, 4, 0x20, F::Condicoes},
    {"BR", 2, 1, 0x30, F::Desvio},
    {"BNE", 2, 1, 0x31, F::Desvio},
    {"BEQ", 2, 1, 0x32, F::Desvio},
    {"BPL", 2, 1, 0x33, F::Desvio},
    {"BMI", 2, 1, 0x34, F::Desvio},
    {"BVC", 2, 1, 0x35, F::Desvio},
    {"BVS", 2, 1, 0x36, F::Desvio},
    {"BCC", 2, 1, 0x37, F::Desvio},
    {"BCS", 2, 1, 0x38, F::Desvio},
    {"BGE", 2, 1, 0x39, F::Desvio},
    {"BLT", 2, 1, 0x3A, F::Desvio},
    {"BGT", 2, 1, 0x3B, F::Desvio},
    {"BLE", 2, 1, 0x3C, F::Desvio},
    {"BHI", 2, 1, 0x3D, F::Desvio},
    {"BLS", 2, 1, 0x3E, F::Desvio},
    {"JMP", 4, 2, 0x4000, F::Salto},
    {"SOB", 2, 2, 0x50, F::Sob},
    {"JSR", 4, 2, 0x6000, F::Subrotina},
    {"RTS", 1, 1, 0x70, F::Retorno},
    {"CLR", 4, 2, 0x8000, F::UmOperando},
    {"NOT", 4, 2, 0x8100, F::UmOperando},
    {"INC", 4, 2, 0x8200, F::UmOperando},
    {"DEC", 4, 2, 0x8300, F::UmOperando},
    {"NEG", 4, 2, 0x8400, F::UmOperando},
    {"TST", 4, 2, 0x8500, F::UmOperando},
    {"ROR", 4, 2, 0x8600, F::UmOperando},
    {"ROL", 4, 2, 0x8700, F::UmOperando},
    {"ASR", 4, 2, 0x8800, F::UmOperando},
    {"ASL", 4, 2, 0x8900, F::UmOperando},
    {"ADC", 4, 2, 0x8A00, F::UmOperando},
    {"SBC", 4, 2, 0x8B00, F::UmOperando},
    {"MOV", 5, 4, 0x9000, F::DoisOperandos},
    {"ADD", 5, 4, 0xA000, F::DoisOperandos},
    {"SUB", 5, 4, 0xB000, F::DoisOperandos},
    {"CMP", 5, 4, 0xC000, F::DoisOperandos},
    {"AND", 5, 4, 0xD000, F::DoisOperandos},
    {"OR", 5, 4, 0xE000, F::DoisOperandos},
    {"RTI", 1, 0, 0x78, F::SemOperando},
};

constexpr std::string_view kReservadosQuirla[] = {"A", "B", "X", "I"};
constexpr std::string_view kReservadosJelmo[] = {"R0", "R1", "R2", "R3", "R4", "R5",
                                                 "R6", "R7", "N",  "Z",  "V",  "C"};

} // namespace

constexpr std::array<FatosMaquina, 4> kFatos = {{
    {"Zibel", "ZBL", 255, 1, {}, kZibel, geraZibel},
    {"Kovra", "KVR", 255, 1, {}, kKovra, geraKovra},
    {"Quirla", "QRL", 255, 1, kReservadosQuirla, kQuirla, geraQuirla},
    {"Jelmo", "J16", 65535, 2, kReservadosJelmo, kJelmo, geraJelmo},
}};

namespace {

// Every mnemonic packs into a key, and the rows leave most of the index's slots empty.
constexpr bool cabemNoIndice(std::span<const LinhaInstrucao> linhas) {
    for (const LinhaInstrucao& linha : linhas)
        if (chaveMnemonico(linha.mnemonico) == 0) return false;
    return linhas.size() <= 64;
}
static_assert(cabemNoIndice(kZibel) && cabemNoIndice(kKovra) && cabemNoIndice(kQuirla) &&
              cabemNoIndice(kJelmo));

std::string_view textoOperandos(Forma forma) {
    switch (forma) {
    case F::SemOperando:
        return "sem operandos";
    case F::Endereco:
        return "endereço (número ou símbolo)";
    case F::Registrador:
        return "registrador A, B ou X";
    case F::RegistradorEndereco:
        return "registrador A, B ou X; endereço, ou #valor (imediato); modo opcional: I "
               "(indireto) ou X (indexado)";
    case F::DesvioEndereco:
        return "endereço; modo opcional: I (indireto) ou X (indexado)";
    case F::Condicoes:
        return "códigos de condição N, Z, V, C (nenhum ou vários)";
    case F::Desvio:
        return "alvo: rótulo ou deslocamento (-128 a 127)";
    case F::Salto:
        return "destino: (Rn)+, -(Rn), d(Rn), (Rn), ((Rn)+), (-(Rn)), (d(Rn)), endereço ou "
               "#valor (Rn só com aviso)";
    case F::UmOperando:
        return "destino: Rn, (Rn)+, -(Rn), d(Rn), (Rn), ((Rn)+), (-(Rn)), (d(Rn)), endereço ou "
               "#valor";
    case F::Sob:
        return "registrador R0 a R7; alvo anterior: rótulo ou deslocamento";
    case F::Subrotina:
        return "registrador de ligação R0 a R7; destino: (Rn)+, -(Rn), d(Rn), (Rn), ((Rn)+), "
               "(-(Rn)), (d(Rn)), endereço ou #valor (Rn só com aviso)";
    case F::Retorno:
        return "registrador R0 a R7";
    case F::DoisOperandos:
        return "origem e destino: Rn, (Rn)+, -(Rn), d(Rn), (Rn), ((Rn)+), (-(Rn)), (d(Rn)), "
               "endereço ou #valor";
    }
    return {};
}

std::string_view textoCodificacao(Forma forma) {
    switch (forma) {
    case F::SemOperando:
        return "opcode";
    case F::Endereco:
        return "opcode; byte do endereço";
    case F::Registrador:
        return "opcode + registrador nos bits 3-2 (A 0, B 4, X 8)";
    case F::RegistradorEndereco:
        return "opcode + registrador nos bits 3-2 + modo nos bits 1-0 (direto 0, indireto 1, "
               "imediato 2, indexado 3); byte do endereço ou do valor";
    case F::DesvioEndereco:
        return "opcode + modo nos bits 1-0 (direto 0, indireto 1, indexado 3); byte do endereço";
    case F::Condicoes:
        return "opcode + N 8, Z 4, V 2, C 1";
    case F::Desvio:
        return "opcode; byte do deslocamento a partir da instrução seguinte";
    case F::Sob:
        return "opcode + registrador; byte do deslocamento para trás";
    case F::Retorno:
        return "opcode + registrador";
    case F::Salto:
    case F::UmOperando:
        return "palavra: opcode + modo do destino nos bits 5-3 + registrador nos bits 2-0; "
               "palavra extra conforme o modo";
    case F::Subrotina:
        return "palavra: opcode + registrador de ligação nos bits 10-8 + destino nos bits 5-0; "
               "palavra extra conforme o modo";
    case F::DoisOperandos:
        return "palavra: opcode + origem nos bits 11-6 + destino nos bits 5-0; palavras extras "
               "conforme os modos";
    }
    return {};
}

DescricaoInstrucao descreve(const LinhaInstrucao& linha) {
    const int gerais = operandosGerais(linha.forma);
    const int32_t minimo = gerais > 0 ? 2 : linha.tamanho;
    return {linha.mnemonico,
            linha.opcode,
            minimo,
            minimo + 2 * gerais,
            textoOperandos(linha.forma),
            textoCodificacao(linha.forma)};
}

} // namespace

std::string_view nomeMaquina(Maquina maquina) {
    return fatosMaquina(maquina).nome;
}

std::optional<Maquina> maquinaPorNome(std::string_view nome) {
    for (Maquina m : kMaquinas)
        if (nomeMaquina(m) == nome) return m;
    return std::nullopt;
}

std::string_view etiquetaImagem(Maquina maquina) {
    return fatosMaquina(maquina).etiqueta;
}

int32_t ultimoEndereco(Maquina maquina) {
    return fatosMaquina(maquina).ultimoEndereco;
}

int32_t tamanhoPalavra(Maquina maquina) {
    return fatosMaquina(maquina).tamanhoPalavra;
}

std::span<const std::string_view> nomesReservados(Maquina maquina) {
    return fatosMaquina(maquina).reservados;
}

std::optional<DescricaoInstrucao> descreveInstrucao(Maquina maquina, std::string_view mnemonico) {
    for (const LinhaInstrucao& linha : linhasInstrucoes(maquina))
        if (igualEmMaiusculas(linha.mnemonico, mnemonico)) return descreve(linha);
    return std::nullopt;
}

std::vector<DescricaoInstrucao> descreveInstrucoes(Maquina maquina) {
    std::vector<DescricaoInstrucao> descricoes;
    for (const LinhaInstrucao& linha : linhasInstrucoes(maquina))
        descricoes.push_back(descreve(linha));
    return descricoes;
}

} // namespace orvandel
