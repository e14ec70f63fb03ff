// Jelmo: the 16-bit machine. Its instruction table, the lengths that follow from the operands'
// addressing modes, and the encoder that places one-byte instructions, two-byte branches and
// instruction words with their palavraExtra.
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "codificadores.hpp"
#include "jelmo_operandos.hpp"
#include "montagem.hpp"
#include "texto.hpp"
#include "valores.hpp"

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
    constexpr OpcodeJelmo(std::string_view mnemonico, Classe classe, int32_t codigo)
        : mnemonico(mnemonico), classe(classe), codigo(codigo), chave(chaveMnemonico(mnemonico)) {}

    std::string_view mnemonico;
    Classe classe;
    int32_t codigo; // the byte, or the instruction word before its operand fields
    uint64_t chave; // the mnemonic packed, so that each line's lookup compares integers
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

// Open addressing over the rows' keys, built at compile time: a lookup, which every Jelmo line
// makes in both passes, is one key, one multiplication and nearly always one probe. Each slot
// holds a row, -1 if empty; most slots stay empty, so every search ends.
constexpr size_t kPosicoesJelmo = 128;

constexpr size_t posicaoJelmo(uint64_t chave) {
    return static_cast<size_t>((chave * 0x9E3779B97F4A7C15ull) >> 57); // 0 to 127
}

constexpr auto kIndiceJelmo = [] {
    std::array<int8_t, kPosicoesJelmo> posicoes{};
    posicoes.fill(-1);
    for (size_t linha = 0; linha < std::size(kOpcodesJelmo); ++linha) {
        size_t p = posicaoJelmo(kOpcodesJelmo[linha].chave);
        while (posicoes[p] >= 0) p = (p + 1) % kPosicoesJelmo;
        posicoes[p] = static_cast<int8_t>(linha);
    }
    return posicoes;
}();

// The row of `operacao`, written in any letter case. No row's key is 0, the key of texts too
// long to be a mnemonic.
const OpcodeJelmo* buscaOpcode(std::string_view operacao) {
    const uint64_t chave = chaveMnemonicoEmMaiusculas(operacao);
    for (size_t p = posicaoJelmo(chave); kIndiceJelmo[p] >= 0; p = (p + 1) % kPosicoesJelmo) {
        const OpcodeJelmo& linha = kOpcodesJelmo[static_cast<size_t>(kIndiceJelmo[p])];
        if (linha.chave == chave) return &linha;
    }
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

void erro(const LinhaJelmo& l, std::string texto) {
    l.m.diag.registraErro(std::move(texto), l.numLinha);
}
void aviso(const LinhaJelmo& l, std::string texto) {
    l.m.diag.registraAviso(std::move(texto), l.numLinha);
}

// MOV src, dst (ADD, SUB, CMP, AND, OR): the source's word comes before the destination's.
void geraDoisOperandos(const LinhaJelmo& l, int32_t codigo) {
    const int32_t palavraFonte = soma32(l.endereco, 2);
    const OperandoCodificado fonte = codificaOperando(l, l.operandos[0], true, palavraFonte);
    const int32_t palavraDestino = soma32(palavraFonte, fonte.temPalavraExtra ? 2 : 0);
    const OperandoCodificado destino = codificaOperando(l, l.operandos[1], false, palavraDestino);
    armazenaPalavra(l.m, codigo | fonte.campo() << 6 | destino.campo(), l.endereco, l.numLinha);
}

// CLR dst (NOT ... SBC) | JMP dst
void geraUmOperando(const LinhaJelmo& l, const OpcodeJelmo& opcode) {
    const OperandoCodificado destino =
        codificaOperando(l, l.operandos[0], false, soma32(l.endereco, 2));
    if (opcode.classe == Classe::Salto && destino.modo == 0)
        aviso(l, "O modo 0 não pode ser usado para instruções de desvio incondicional");
    armazenaPalavra(l.m, opcode.codigo | destino.campo(), l.endereco, l.numLinha);
}

// JSR Rn, dst
void geraSubrotina(const LinhaJelmo& l, int32_t codigo) {
    int32_t palavra = codigo;
    if (const std::optional<int> ligacao = registradorNomeado(l.operandos[0]))
        palavra |= *ligacao << 8;
    else
        erro(l, "Especificação incorreta de registrador de ligação: " + trecho(l.operandos[0]));
    const OperandoCodificado destino =
        codificaOperando(l, l.operandos[1], false, soma32(l.endereco, 2));
    if (destino.modo == 0)
        aviso(l, "O modo 0 não pode ser usado para instruções de desvio para subrotina");
    armazenaPalavra(l.m, palavra | destino.campo(), l.endereco, l.numLinha);
}

// RTS Rn, and the register of SOB Rn, alvo: the opcode byte plus the register number. SOB checks
// its register like RTS does: an unreported 50h would quietly count the loop in R0.
int32_t byteComRegistrador(const LinhaJelmo& l, int32_t codigo, const std::string& operando) {
    if (const std::optional<int> registrador = registradorNomeado(operando))
        return codigo + *registrador;
    erro(l, "Especificação de registrador incorreta: " + trecho(operando));
    return codigo;
}

// The displacement of a branch or SOB, counted from the byte after the instruction: a numeral
// as written; a symbol forward-positive for branches, backward-positive for SOB (it only loops
// back). Nullopt, reported, for a target that is neither.
std::optional<int32_t> deslocamentoAlvo(const LinhaJelmo& l, const std::string& alvo,
                                        bool paraTras) {
    if (ehNumero(alvo)) return converteNumero(l.m, alvo, l.numLinha);
    int32_t destino = 0;
    if (!resolveSimbolo(l.m, alvo, destino, l.numLinha)) {
        erro(l, "Simbolo Indefinido: " + trecho(alvo));
        return std::nullopt;
    }
    const int32_t seguinte = soma32(l.endereco, 2);
    return paraTras ? subtrai32(seguinte, destino) : subtrai32(destino, seguinte);
}

void colocaDeslocamento(const LinhaJelmo& l, const std::string& alvo, bool paraTras) {
    const std::optional<int32_t> deslocamento = deslocamentoAlvo(l, alvo, paraTras);
    if (!deslocamento) return;
    if (*deslocamento < -128 || *deslocamento > 127) {
        erro(l, "O valor " + std::to_string(*deslocamento) +
                    " está fora da faixa permitida para Desvio Condicional (8 bits)");
        return;
    }
    armazenaByte(l.m, *deslocamento, soma32(l.endereco, 1), l.numLinha);
}

// The flag bits of one CCC or SCC operand: each of N, Z, V, C at most once, in any order.
int32_t bitsCondicao(const LinhaJelmo& l, std::string_view operando) {
    constexpr std::pair<char, int32_t> kBits[] = {{'N', 8}, {'Z', 4}, {'V', 2}, {'C', 1}};
    std::string resto = maiusculas(operando);
    int32_t bits = 0;
    for (const auto& [letra, bit] : kBits) {
        const size_t posicao = resto.find(letra);
        if (posicao == std::string::npos) continue;
        bits |= bit;
        resto.erase(posicao, 1);
    }
    if (!resto.empty()) erro(l, "Código incorreto para instrução " + std::string(l.mnemonico));
    return bits;
}

// CCC [flags, ...] | SCC [flags, ...]
void geraCondicoes(const LinhaJelmo& l, int32_t codigo) {
    int32_t byte = codigo;
    for (const std::string& operando : l.operandos)
        byte |= bitsCondicao(l, operando);
    armazenaByte(l.m, byte, l.endereco, l.numLinha);
}

void geraInstrucao(const LinhaJelmo& l, const OpcodeJelmo& opcode) {
    Montador& m = l.m;
    switch (opcode.classe) {
    case Classe::Fixa:
        return armazenaByte(m, opcode.codigo, l.endereco, l.numLinha);
    case Classe::Condicoes:
        return geraCondicoes(l, opcode.codigo);
    case Classe::Desvio:
        armazenaByte(m, opcode.codigo, l.endereco, l.numLinha);
        return colocaDeslocamento(l, l.operandos[0], false);
    case Classe::Sob:
        armazenaByte(m, byteComRegistrador(l, opcode.codigo, l.operandos[0]), l.endereco,
                     l.numLinha);
        return colocaDeslocamento(l, l.operandos[1], true);
    case Classe::Retorno:
        return armazenaByte(m, byteComRegistrador(l, opcode.codigo, l.operandos[0]), l.endereco,
                            l.numLinha);
    case Classe::Subrotina:
        return geraSubrotina(l, opcode.codigo);
    case Classe::Salto:
    case Classe::UmOperando:
        return geraUmOperando(l, opcode);
    case Classe::DoisOperandos:
        return geraDoisOperandos(l, opcode.codigo);
    }
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

void geraJelmo(Montador& m, std::string_view operacao, std::vector<std::string>& operandos,
               int32_t contPosicao, int32_t numLinha) {
    const OpcodeJelmo* opcode = buscaOpcode(operacao);
    if (!opcode) return;
    const std::string_view mnemonico = opcode->mnemonico; // the operation in upper case
    const std::optional<size_t> exigidos = operandosExigidos(opcode->classe);
    if (exigidos && operandos.size() != *exigidos) {
        m.diag.registraErro("Número incorreto de operandos para instrução " + std::string(mnemonico),
                            numLinha);
        return;
    }
    geraInstrucao({m, mnemonico, operandos, contPosicao, numLinha}, *opcode);
}

} // namespace orvandel
