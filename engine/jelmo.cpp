// Jelmo: the 16-bit machine. The lengths that follow from the operands' addressing modes, and
// the encoder that places one-byte instructions, two-byte branches and instruction words with
// their palavraExtra; the opcodes and operand forms stand in the table of machine facts.
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

// The operand count a form demands; nullopt where the table row's limit is all there is.
std::optional<size_t> operandosExigidos(Forma forma) {
    switch (forma) {
    case Forma::Desvio:
    case Forma::Salto:
    case Forma::Retorno:
    case Forma::UmOperando:
        return 1;
    case Forma::Sob:
    case Forma::Subrotina:
    case Forma::DoisOperandos:
        return 2;
    default:
        return std::nullopt;
    }
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
void geraUmOperando(const LinhaJelmo& l, const LinhaInstrucao& instrucao) {
    const OperandoCodificado destino =
        codificaOperando(l, l.operandos[0], false, soma32(l.endereco, 2));
    if (instrucao.forma == Forma::Salto && destino.modo == 0)
        l.aviso("O modo 0 não pode ser usado para instruções de desvio incondicional");
    armazenaPalavra(l.m, instrucao.opcode | destino.campo(), l.endereco, l.numLinha);
}

// JSR Rn, dst
void geraSubrotina(const LinhaJelmo& l, int32_t codigo) {
    int32_t palavra = codigo;
    if (const std::optional<int> ligacao = registradorNomeado(l.operandos[0]))
        palavra |= *ligacao << 8;
    else
        l.erro("Especificação incorreta de registrador de ligação: " + trecho(l.operandos[0]));
    const OperandoCodificado destino =
        codificaOperando(l, l.operandos[1], false, soma32(l.endereco, 2));
    if (destino.modo == 0)
        l.aviso("O modo 0 não pode ser usado para instruções de desvio para subrotina");
    armazenaPalavra(l.m, palavra | destino.campo(), l.endereco, l.numLinha);
}

// RTS Rn, and the register of SOB Rn, alvo: the opcode byte plus the register number. SOB checks
// its register like RTS does: an unreported 50h would quietly count the loop in R0.
int32_t byteComRegistrador(const LinhaJelmo& l, int32_t codigo, std::string_view operando) {
    if (const std::optional<int> registrador = registradorNomeado(operando))
        return codigo + *registrador;
    l.erro("Especificação de registrador incorreta: " + trecho(operando));
    return codigo;
}

// The displacement of a branch or SOB, counted from the byte after the instruction: a numeral
// as written; a symbol forward-positive for branches, backward-positive for SOB (it only loops
// back). Nullopt, reported, for a target that is neither.
std::optional<int32_t> deslocamentoAlvo(const LinhaJelmo& l, std::string_view alvo, bool paraTras) {
    if (ehNumero(alvo)) return converteNumero(l.m, alvo, l.numLinha);
    int32_t destino = 0;
    if (!resolveSimbolo(l.m, alvo, destino, l.numLinha)) {
        l.erro("Simbolo Indefinido: " + trecho(alvo));
        return std::nullopt;
    }
    const int32_t seguinte = soma32(l.endereco, 2);
    return paraTras ? subtrai32(seguinte, destino) : subtrai32(destino, seguinte);
}

void colocaDeslocamento(const LinhaJelmo& l, std::string_view alvo, bool paraTras) {
    const std::optional<int32_t> deslocamento = deslocamentoAlvo(l, alvo, paraTras);
    if (!deslocamento) return;
    if (*deslocamento < -128 || *deslocamento > 127) {
        l.erro("O valor " + std::to_string(*deslocamento) +
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
    if (!resto.empty())
        l.erro("Código incorreto para instrução " + std::string(l.instrucao.mnemonico));
    return bits;
}

// CCC [flags, ...] | SCC [flags, ...]
void geraCondicoes(const LinhaJelmo& l, int32_t codigo) {
    int32_t byte = codigo;
    for (std::string_view operando : l.operandos) byte |= bitsCondicao(l, operando);
    armazenaByte(l.m, byte, l.endereco, l.numLinha);
}

void geraInstrucao(const LinhaJelmo& l, const LinhaInstrucao& instrucao) {
    Montador& m = l.m;
    switch (instrucao.forma) {
    case Forma::Condicoes:
        return geraCondicoes(l, instrucao.opcode);
    case Forma::Desvio:
        armazenaByte(m, instrucao.opcode, l.endereco, l.numLinha);
        return colocaDeslocamento(l, l.operandos[0], false);
    case Forma::Sob:
        armazenaByte(m, byteComRegistrador(l, instrucao.opcode, l.operandos[0]), l.endereco,
                     l.numLinha);
        return colocaDeslocamento(l, l.operandos[1], true);
    case Forma::Retorno:
        return armazenaByte(m, byteComRegistrador(l, instrucao.opcode, l.operandos[0]), l.endereco,
                            l.numLinha);
    case Forma::Subrotina:
        return geraSubrotina(l, instrucao.opcode);
    case Forma::Salto:
    case Forma::UmOperando:
        return geraUmOperando(l, instrucao);
    case Forma::DoisOperandos:
        return geraDoisOperandos(l, instrucao.opcode);
    default: // NOP, HLT, RTI
        return armazenaByte(m, instrucao.opcode, l.endereco, l.numLinha);
    }
}

} // namespace

int32_t tamanhoJelmoPelaForma(const LinhaInstrucao& instrucao,
                              std::span<const std::string_view> operandos) {
    if (operandosGerais(instrucao.forma) == 0 ||
        operandos.size() != *operandosExigidos(instrucao.forma))
        return 0;
    int32_t tamanho = 2;
    for (std::string_view operando : operandos) {
        const PalavraExtra palavra = palavraExtraPelaForma(operando);
        if (palavra == PalavraExtra::Reportavel) return 0;
        if (palavra == PalavraExtra::Silenciosa) tamanho += 2;
    }
    return tamanho;
}

// JMP, JSR, CLR ... SBC and MOV ... OR: the length follows from their general operands. Worked
// out in pass 1 and, where that could report something, again in pass 2 and for R7.
int32_t tamanhoJelmo(Montador& m, const LinhaInstrucao& instrucao,
                     std::span<const std::string_view> operandos, int32_t numLinha) {
    if (const std::optional<int32_t> conhecido = tamanhoJelmoConhecido(m, instrucao, numLinha))
        return *conhecido;
    if (operandos.size() != *operandosExigidos(instrucao.forma)) {
        m.diag.registraErro("Instrução com número inválido de operandos", numLinha);
        return instrucao.tamanho;
    }
    if (const int32_t tamanho = tamanhoJelmoPelaForma(instrucao, operandos)) {
        if (const auto linha = static_cast<size_t>(numLinha); linha < m.tamanhosJelmo.size())
            m.tamanhosJelmo[linha] = static_cast<int8_t>(tamanho);
        return tamanho;
    }
    int32_t tamanho = 2; // a displacement may report: the rule runs again, with its messages
    for (std::string_view operando : operandos)
        if (palavraExtra(m, operando, numLinha) != PalavraExtra::Nenhuma) tamanho += 2;
    return tamanho;
}

void geraJelmo(Montador& m, const LinhaInstrucao& instrucao,
               std::span<const std::string_view> operandos, int32_t contPosicao, int32_t numLinha) {
    const std::string_view mnemonico = instrucao.mnemonico; // the operation in upper case
    const std::optional<size_t> exigidos = operandosExigidos(instrucao.forma);
    if (exigidos && operandos.size() != *exigidos) {
        m.diag.registraErro(
            "Número incorreto de operandos para instrução " + std::string(mnemonico), numLinha);
        return;
    }
    geraInstrucao({{m, operandos, numLinha}, instrucao, contPosicao}, instrucao);
}

} // namespace orvandel
