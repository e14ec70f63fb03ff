// The symbol table, names and reserved words; the instruction and directive tables.
#include <gtest/gtest.h>

#include "apoio.hpp"
#include "simbolos.hpp"
#include "valores.hpp"

namespace orvandel {
namespace {

TEST(TabelaSimbolos, NomesSemDistincaoDeCaixaEPrimeiraDefinicao) {
    TabelaSimbolos t;
    t.insereSimbolo("loop", 5);
    t.insereSimbolo("LOOP", 9); // pass 1 never does this; the first entry still wins
    t.insereSimbolo("menos", -1);
    EXPECT_EQ(t.busca("Loop"), std::optional<int32_t>(5));
    EXPECT_EQ(t.entradas()[0].nome, "LOOP");
    EXPECT_EQ(t.valorSimbolo("NADA"), -1);
    EXPECT_EQ(t.valorSimbolo("menos"), -1);
    EXPECT_TRUE(t.busca("menos").has_value());
    EXPECT_FALSE(t.busca("").has_value());
}

TEST(TabelaSimbolos, MilEntradasEDepoisNada) {
    Montador m;
    for (int i = 1; i <= 1001; ++i) m.tabSimbolos.insereSimbolo("S" + std::to_string(i), i);
    EXPECT_EQ(m.tabSimbolos.entradas().size(), 1000u);
    int32_t valor = 0;
    EXPECT_TRUE(resolveSimbolo(m, "S1000", valor, 0));
    EXPECT_EQ(valor, 1000);
    EXPECT_FALSE(resolveSimbolo(m, "S1001", valor, 0));
    EXPECT_TRUE(m.mensagens().empty());
}

// Only a to z fold: other bytes must match exactly, however the name is written.
TEST(TabelaSimbolos, SoLetrasAsciiMudamDeCaixa) {
    TabelaSimbolos t;
    t.insereSimbolo("\xE9tat", 1); // Windows-1252 e-acute: stays as it is
    t.insereSimbolo("A[1]", 2);
    t.insereSimbolo("ab_9", 3);
    EXPECT_EQ(t.busca("\xE9TAT"), std::optional<int32_t>(1));
    EXPECT_FALSE(t.busca("\xC9TAT").has_value()); // E-acute is another byte
    EXPECT_EQ(t.busca("a[1]"), std::optional<int32_t>(2));
    EXPECT_FALSE(t.busca("A{1}").has_value()); // { and [ differ by the same bit as a and A
    EXPECT_EQ(t.busca("AB_9"), std::optional<int32_t>(3));
    EXPECT_FALSE(t.busca("AB_").has_value());
    EXPECT_FALSE(t.busca("AB_99").has_value());
}

// A full table: every name found with its own value, in any case, and a cleared table empty.
TEST(TabelaSimbolos, TabelaCheiaAchaCadaNome) {
    TabelaSimbolos t;
    for (int i = 0; i < 1000; ++i) t.insereSimbolo("nome" + std::to_string(i), i * 3);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(t.busca("NOME" + std::to_string(i)), std::optional<int32_t>(i * 3)) << i;
        ASSERT_EQ(t.busca("Nome" + std::to_string(i)), std::optional<int32_t>(i * 3)) << i;
    }
    EXPECT_FALSE(t.busca("NOME1000").has_value());
    t.limpa();
    EXPECT_FALSE(t.busca("NOME1").has_value());
    EXPECT_TRUE(t.entradas().empty());
    t.insereSimbolo("nome1", 7);
    EXPECT_EQ(t.busca("NOME1"), std::optional<int32_t>(7));
}

TEST(Simbolos, BemFormados) {
    for (const char* sim : {"_START", "A1", "X_2", "a", "_"})
        EXPECT_TRUE(simboloBemFormado(sim)) << sim;
    for (const char* nao : {"1A", "A-B", "A.B", "\xC9RRO", "A\xE7", "'A'", "#X"})
        EXPECT_FALSE(simboloBemFormado(nao)) << nao;
}

TEST(Simbolos, ReservadosPorMaquina) {
    EXPECT_TRUE(simboloReservado("r3", Maquina::Jelmo));
    EXPECT_TRUE(simboloReservado("C", Maquina::Jelmo));
    EXPECT_FALSE(simboloReservado("R3", Maquina::Quirla));
    EXPECT_TRUE(simboloReservado("x", Maquina::Quirla));
    EXPECT_TRUE(simboloReservado("I", Maquina::Quirla));
    EXPECT_FALSE(simboloReservado("X", Maquina::Jelmo));
    for (const char* nome : {"A", "R1", "X", "N"}) {
        EXPECT_FALSE(simboloReservado(nome, Maquina::Zibel)) << nome;
        EXPECT_FALSE(simboloReservado(nome, Maquina::Kovra)) << nome;
    }
}

TEST(TabelaInstrucoes, CarregaSoAMaquinaDaMontagem) {
    TabelaInstrucoes t;
    EXPECT_EQ(t.busca("LDA"), nullptr); // nothing before the first load
    t.carrega(Maquina::Jelmo);
    ASSERT_NE(t.busca("CCC"), nullptr);
    EXPECT_EQ(t.busca("CCC")->num_operandos, 4);
    EXPECT_EQ(t.entradas().size(), 42u);
    t.carrega(Maquina::Quirla);
    EXPECT_EQ(t.busca("MOV"), nullptr);
    ASSERT_NE(t.busca("LDR"), nullptr);
    EXPECT_EQ(t.busca("LDR")->opcode_numerico, 3);
    EXPECT_EQ(t.busca("LDA"), nullptr);
    EXPECT_EQ(t.busca(""), nullptr);
    t.carrega(Maquina::Kovra);
    EXPECT_EQ(t.entradas().size(), 24u);
    EXPECT_EQ(t.busca("HLT")->num_operandos, 0);
    t.carrega(Maquina::Zibel);
    EXPECT_EQ(t.entradas().size(), 11u);
}

// Lookups compare whole texts: a prefix, an extension, a longer text, a text with a NUL byte or
// in lower case equals no mnemonic; every row is found, at its own position.
TEST(TabelaInstrucoes, BuscaSoOTextoExato) {
    TabelaInstrucoes t;
    t.carrega(Maquina::Jelmo);
    for (const tipoInstrucao& entrada : t.entradas())
        EXPECT_EQ(t.busca(entrada.opcode_simbolico), &entrada) << entrada.opcode_simbolico;
    for (std::string_view texto :
         {"MO", "MOVE", "MOVX", "BRANCH", "B", "R", "mov", "OR ", " OR", "EQU", "H1F"})
        EXPECT_EQ(t.busca(texto), nullptr) << texto;
    EXPECT_EQ(t.busca(std::string_view("\0MOV", 4)), nullptr);
    EXPECT_EQ(t.busca(std::string_view("OR\0", 3)), nullptr);
    t.carrega(Maquina::Kovra);
    EXPECT_EQ(t.busca("OR")->opcode_numerico, 5);
    EXPECT_EQ(t.busca("JNB")->opcode_numerico, 19);
    EXPECT_EQ(t.busca("MOV"), nullptr);
}

} // namespace
} // namespace orvandel
