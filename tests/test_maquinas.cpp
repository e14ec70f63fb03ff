// The machine facts that the front ends read: each described instruction against the bytes the
// assembler places for it, and the names the editor marks.
#include <gtest/gtest.h>

#include <string>

#include "apoio.hpp"
#include "orvandel/maquinas.hpp"

namespace orvandel {
namespace {

struct CasoDescricao {
    Maquina maquina;
    std::string_view consulta; // as typed in the editor
    std::string linha;         // an instance of the instruction
    int32_t opcode;
    int32_t tamanhoMinimo, tamanhoMaximo;
    std::string bytes; // what the line assembles to
    std::string_view trechoOperandos;
};

const CasoDescricao kCasos[] = {
    {Maquina::Zibel, "lda", "LDA 5", 0x20, 2, 2, "20 05", "endereço"},
    {Maquina::Zibel, "HLT", "HLT", 0xF0, 1, 1, "F0", "sem operandos"},
    {Maquina::Kovra, "Jnz", "JNZ 7", 0xA4, 2, 2, "A4 07", "endereço"},
    {Maquina::Kovra, "rol", "ROL", 0xE3, 1, 1, "E3", "sem operandos"},
    {Maquina::Quirla, "ldr", "LDR B #3", 0x20, 2, 2, "26 03", "I (indireto) ou X (indexado)"},
    {Maquina::Quirla, "NEG", "NEG X", 0xD0, 1, 1, "D8", "A, B ou X"},
    {Maquina::Quirla, "jsr", "JSR 9, I", 0xC0, 2, 2, "C1 09", "endereço"},
    {Maquina::Jelmo, "mov", "MOV R1, R2", 0x9000, 2, 6, "90 42", "origem e destino"},
    {Maquina::Jelmo, "Clr", "CLR (R3)+", 0x8000, 2, 4, "80 0B", "(Rn)+"},
    {Maquina::Jelmo, "jsr", "JSR R7, (R1)", 0x6000, 2, 4, "67 21", "ligação"},
    {Maquina::Jelmo, "bne", "BNE 4", 0x31, 2, 2, "31 04", "deslocamento"},
    {Maquina::Jelmo, "rts", "RTS R3", 0x70, 1, 1, "73", "R0 a R7"},
    {Maquina::Jelmo, "ccc", "CCC NZ", 0x10, 1, 1, "1C", "N, Z, V, C"},
    {Maquina::Jelmo, "rti", "RTI", 0x78, 1, 1, "78", "sem operandos"},
};

TEST(FatosMaquinas, DescricaoConfereComOQueAMontagemColoca) {
    for (const CasoDescricao& caso : kCasos) {
        const auto d = descreveInstrucao(caso.maquina, caso.consulta);
        ASSERT_TRUE(d) << caso.linha;
        EXPECT_EQ(d->opcode, caso.opcode) << caso.linha;
        EXPECT_EQ(d->tamanhoMinimo, caso.tamanhoMinimo) << caso.linha;
        EXPECT_EQ(d->tamanhoMaximo, caso.tamanhoMaximo) << caso.linha;
        EXPECT_NE(d->operandos.find(caso.trechoOperandos), std::string_view::npos) << caso.linha;
        EXPECT_FALSE(d->codificacao.empty()) << caso.linha;

        const auto m = teste::monta(caso.maquina, {caso.linha, "FIM:"});
        EXPECT_TRUE(m->mensagens().empty()) << caso.linha;
        const int32_t tamanho = m->tabSimbolos.valorSimbolo("FIM");
        EXPECT_EQ(teste::bytesEm(*m, 0, tamanho), caso.bytes) << caso.linha;
        EXPECT_GE(tamanho, d->tamanhoMinimo) << caso.linha;
        EXPECT_LE(tamanho, d->tamanhoMaximo) << caso.linha;
    }
}

TEST(FatosMaquinas, SoOsMnemonicosDaPropriaMaquina) {
    EXPECT_FALSE(descreveInstrucao(Maquina::Zibel, "LDR"));
    EXPECT_FALSE(descreveInstrucao(Maquina::Quirla, "LDA"));
    EXPECT_FALSE(descreveInstrucao(Maquina::Kovra, "MOV"));
    EXPECT_FALSE(descreveInstrucao(Maquina::Jelmo, ""));
    EXPECT_FALSE(descreveInstrucao(Maquina::Jelmo, "MOVE"));
    EXPECT_FALSE(descreveInstrucao(Maquina::Jelmo, "ORG")); // a directive, not an instruction
}

// Every row is described, and every described mnemonic assembles on its machine.
TEST(FatosMaquinas, TodasAsInstrucoesDescritasSaoReconhecidas) {
    const std::pair<Maquina, size_t> kContagens[] = {
        {Maquina::Zibel, 11}, {Maquina::Kovra, 24}, {Maquina::Quirla, 16}, {Maquina::Jelmo, 42}};
    for (const auto& [maquina, contagem] : kContagens) {
        const std::vector<DescricaoInstrucao> descricoes = descreveInstrucoes(maquina);
        EXPECT_EQ(descricoes.size(), contagem) << nomeMaquina(maquina);
        for (const DescricaoInstrucao& d : descricoes) {
            const auto m = teste::monta(maquina, {std::string(d.mnemonico)});
            for (const Mensagem& mensagem : m->mensagens())
                EXPECT_EQ(mensagem.texto.find("Operação não identificada"), std::string::npos)
                    << d.mnemonico;
        }
    }
}

TEST(FatosMaquinas, NomesEEtiquetas) {
    EXPECT_EQ(etiquetaImagem(Maquina::Jelmo), "J16");
    EXPECT_EQ(etiquetaImagem(Maquina::Kovra), "KVR");
    EXPECT_EQ(ultimoEndereco(Maquina::Quirla), 255);
    EXPECT_EQ(ultimoEndereco(Maquina::Jelmo), 65535);
    EXPECT_TRUE(nomesReservados(Maquina::Zibel).empty());
    EXPECT_EQ(nomesReservados(Maquina::Quirla).size(), 4u);
    EXPECT_EQ(nomesReservados(Maquina::Jelmo).size(), 12u);
}

} // namespace
} // namespace orvandel
