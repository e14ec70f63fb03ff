// Quirla: the 8-bit machine with registers A, B and X and four addressing modes. The first byte
// packs the operation (bits 7-4), the register (3-2) and the mode (1-0); the second byte, when
// there is one, is the address or the immediate operand. The opcodes and operand forms stand in
// the table of machine facts.
#include "codificadores.hpp"
#include "contexto.hpp"

#include "montagem.hpp"
#include "texto.hpp"
#include "valores.hpp"

namespace orvandel {

namespace {

// Mode bits; the register bits are 00 A, 04h B, 08h X.
constexpr int32_t kIndireto = 0x01, kImediato = 0x02, kIndexado = 0x03;

struct Codigo {
    int32_t primeiro;
    int32_t segundo = 0;
};

// One instruction line: its operands as written and where its reports go.
struct Linha : ContextoLinha {
    bool imediato(std::string_view operando, int32_t& valor) const {
        return valorImediato(m, operando, valor, numLinha);
    }
};

// The only message that quotes its operand upper-cased.
int32_t bitsRegistrador(const Linha& l, std::string_view operando) {
    const std::string nome = maiusculas(operando);
    if (nome == "A") return 0x00;
    if (nome == "B") return 0x04;
    if (nome == "X") return 0x08;
    l.erro("Registrador Inválido: " + trecho(nome));
    return 0x00;
}

// The mode operand after an address; an immediate address cannot take one.
int32_t bitsModo(const Linha& l, std::string_view endereco, std::string_view modo) {
    const std::string nome = maiusculas(modo);
    int32_t bits = 0;
    if (nome == "I")
        bits = kIndireto;
    else if (nome == "X")
        bits = kIndexado;
    else
        l.erro("Modo Inválido: " + trecho(modo));
    if (int32_t valor = 0; l.imediato(endereco, valor))
        l.erro("Uso incorreto do modo imediato: " + trecho(endereco));
    return bits;
}

// A numeral or a defined symbol reference, reduced to the low 8 bits of the address byte.
bool enderecoDireto(const Linha& l, std::string_view operando, int32_t& segundo) {
    int32_t valor = 0;
    if (ehNumero(operando)) {
        segundo = converteNumero(l.m, operando, l.numLinha) & 0xFF;
        return true;
    }
    if (!resolveSimbolo(l.m, operando, valor, l.numLinha)) return false;
    segundo = valor & 0xFF;
    return true;
}

// NOT r | NEG r | SHR r
Codigo codificaRegistrador(const Linha& l, uint8_t opcode) {
    if (l.operandos.size() != 1) {
        l.erro("Erro na definição do registrador");
        return {opcode};
    }
    return {opcode | bitsRegistrador(l, l.operandos[0])};
}

// LDR r endereco | LDR r endereco, I | LDR r endereco, X | LDR r #valor
Codigo codificaRegistradorEndereco(const Linha& l, uint8_t opcode) {
    Codigo c{opcode};
    if (l.operandos.size() < 2) {
        l.erro("Erro na definição dos operandos");
        return c;
    }
    c.primeiro |= bitsRegistrador(l, l.operandos[0]);
    std::string_view endereco = l.operandos[1];
    // A lone "#" is no immediate value either: without this it would pass as address 0.
    const bool marcaImediato = endereco.size() > 1 && endereco.starts_with('#');
    if (!enderecoDireto(l, endereco, c.segundo) && !marcaImediato)
        l.erro("Operando indefinido: " + trecho(endereco));
    if (l.operandos.size() == 3) {
        c.primeiro |= bitsModo(l, endereco, l.operandos[2]);
    } else if (int32_t valor = 0; l.imediato(endereco, valor)) {
        c.primeiro |= kImediato;
        c.segundo = valor & 0xFF;
    }
    return c;
}

// JMP endereco | JMP endereco, I | JMP endereco, X  (and JN, JZ, JC, JSR)
Codigo codificaDesvio(const Linha& l, uint8_t opcode) {
    Codigo c{opcode};
    if (l.operandos.empty()) {
        l.erro("Erro na definição do endereço");
        return c;
    }
    std::string_view endereco = l.operandos[0];
    if (int32_t valor = 0; l.imediato(endereco, valor)) {
        l.aviso("O modo de endereçamento imediato é ilegal para instruções de desvio");
        c.primeiro |= kImediato;
        c.segundo = valor; // not reduced: a value beyond 8 bits is refused when placed
    } else if (!enderecoDireto(l, endereco, c.segundo)) {
        l.erro("Rótulo " + trecho(endereco) + " não declarado");
    }
    if (l.operandos.size() == 2) c.primeiro |= bitsModo(l, endereco, l.operandos[1]);
    return c;
}

Codigo codifica(const Linha& l, const LinhaInstrucao& instrucao) {
    const auto opcode = static_cast<uint8_t>(instrucao.opcode);
    switch (instrucao.forma) {
    case Forma::Registrador:
        return codificaRegistrador(l, opcode);
    case Forma::RegistradorEndereco:
        return codificaRegistradorEndereco(l, opcode);
    case Forma::DesvioEndereco:
        return codificaDesvio(l, opcode);
    default:
        return {opcode};
    }
}

bool temSegundoByte(Forma forma) {
    return forma == Forma::RegistradorEndereco || forma == Forma::DesvioEndereco;
}

} // namespace

void geraQuirla(Montador& m, const LinhaInstrucao& instrucao,
                std::span<const std::string_view> operandos, int32_t contPosicao,
                int32_t numLinha) {
    const Codigo c = codifica(Linha{{m, operandos, numLinha}}, instrucao);
    armazenaPalavra(m, c.primeiro, contPosicao, numLinha);
    if (temSegundoByte(instrucao.forma))
        armazenaPalavra(m, c.segundo, soma32(contPosicao, 1), numLinha);
}

} // namespace orvandel
