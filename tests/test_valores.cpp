// Numerals, character literals, symbol references and immediate values.
#include <gtest/gtest.h>

#include "apoio.hpp"
#include "valores.hpp"

namespace orvandel {
namespace {

TEST(EhNumero, FormasAceitasERecusadas) {
    for (const char* sim :
         {"0", "255", "-1", "+7", "#12", "#-3", "H0", "h0f", "#HFF", "007", "H00000000FF"})
        EXPECT_TRUE(ehNumero(sim)) << sim;
    for (const char* nao :
         {"", "#", "+", "-", "H", "#H", "-H1", "1F", "0x1F", "12A", "'A'", "##5", "$1F", "1FH"})
        EXPECT_FALSE(ehNumero(nao)) << nao;
}

TEST(EhConstante, AceitaLiteraisDeCaractere) {
    for (const char* sim : {"'A'", "#'a'", "'''", "5", "#H1"}) EXPECT_TRUE(ehConstante(sim)) << sim;
    for (const char* nao : {"'AB'", "''", "'A", "#", "X"}) EXPECT_FALSE(ehConstante(nao)) << nao;
}

struct CasoConversao {
    std::string texto;
    int32_t valor;
    std::vector<std::string> mensagens;
};

class Conversoes : public testing::Test {
  protected:
    Montador m;
    int32_t numero(const std::string& t) { return converteNumero(m, t, 0); }
    int32_t constante(const std::string& t) { return converteConstante(m, t, 0); }
    std::vector<std::string> mensagens() { return teste::linhasMensagens(m); }
};

TEST_F(Conversoes, ConverteNumero) {
    const std::vector<CasoConversao> casos = {
        {"#H1F", 31, {}},
        {"-12", -12, {}},
        {"h10", 16, {}},
        {"2147483647", 2147483647, {}},
        {"-2147483648", INT32_MIN, {}},
        {"HFFFFFFFF", -1, {}},
        {"H80000000", INT32_MIN, {}},
        {"H0000000001", 1, {}}, // leading zeros are not significant digits
        {"'A'", 0, {"1 (ERRO) - Número inválido: 'A'"}},
    };
    for (const CasoConversao& caso : casos) {
        m.diag.limpaLista();
        EXPECT_EQ(numero(caso.texto), caso.valor) << caso.texto;
        EXPECT_EQ(mensagens(), caso.mensagens) << caso.texto;
    }
}

TEST_F(Conversoes, ConverteConstante) {
    EXPECT_EQ(constante("'A'"), 65);
    EXPECT_EQ(constante("#'a'"), 97);
    EXPECT_EQ(constante("'''"), 39);
    EXPECT_EQ(constante("'\xE9'"), 0xE9); // the 8-bit code, not folded
    EXPECT_TRUE(mensagens().empty());
    EXPECT_EQ(constante("'AB'"), 0);
    EXPECT_EQ(mensagens(), std::vector<std::string>{"1 (ERRO) - Número inválido: 'AB'"});
}

TEST_F(Conversoes, NumeralForaDos32BitsAbandonaAMontagem) {
    for (const char* texto : {"2147483648", "-2147483649", "H100000000", "99999999999"})
        EXPECT_THROW(numero(texto), ValorInteiroInvalido) << texto;
    try {
        numero("#99999999999");
    } catch (const ValorInteiroInvalido& e) {
        EXPECT_STREQ(e.what(), "'99999999999' não é um valor inteiro válido");
    }
}

TEST_F(Conversoes, ResolveSimbolo) {
    m.tabSimbolos.insereSimbolo("X", 10);
    m.tabSimbolos.insereSimbolo("A", 3);
    m.tabSimbolos.insereSimbolo("MAX", 2147483647);
    const std::vector<std::tuple<std::string, bool, int32_t, std::vector<std::string>>> casos = {
        {"x+2", true, 12, {}},
        {"X-H2", true, 8, {}},
        {"X+-1", true, 9, {}},
        {"X--1", true, 11, {}},
        {"X+", true, 10, {"1 (ERRO) - Número inválido: "}},
        {"Y+2", false, -1, {}},
        {"Y+Z", false, -1, {}},
        {"A-B", true, 3, {"1 (ERRO) - Número inválido: B"}},
        {"-5", false, -1, {}},
        {"MAX+1", true, INT32_MIN, {}}, // wraps as two's complement
    };
    for (const auto& [texto, achado, valor, msgs] : casos) {
        m.diag.limpaLista();
        int32_t resultado = 0;
        EXPECT_EQ(resolveSimbolo(m, texto, resultado, 0), achado) << texto;
        EXPECT_EQ(resultado, valor) << texto;
        EXPECT_EQ(mensagens(), msgs) << texto;
    }
}

TEST_F(Conversoes, ValorImediato) {
    m.tabSimbolos.insereSimbolo("X", 10);
    const std::vector<std::tuple<std::string, bool, int32_t, std::vector<std::string>>> casos = {
        {"#5", true, 5, {}},
        {"##5", true, 5, {}},
        {"#X+1", true, 11, {}},
        {"#'A'", true, 65, {}},
        {"5", false, -1, {}},
        {"#", false, -1, {}},
        {"#Y", false, -1, {"1 (ERRO) - Valor imediato mal formado: Y"}},
    };
    for (const auto& [texto, aceito, valor, msgs] : casos) {
        m.diag.limpaLista();
        int32_t resultado = 0;
        EXPECT_EQ(valorImediato(m, texto, resultado, 0), aceito) << texto;
        EXPECT_EQ(resultado, valor) << texto;
        EXPECT_EQ(mensagens(), msgs) << texto;
    }
}

TEST(LeInteiroDecimal, SoDecimalComSinal) {
    int32_t v = 0;
    EXPECT_TRUE(leInteiroDecimal("10", v));
    EXPECT_EQ(v, 10);
    EXPECT_TRUE(leInteiroDecimal("-2", v));
    EXPECT_EQ(v, -2);
    EXPECT_TRUE(leInteiroDecimal("+2147483647", v));
    EXPECT_EQ(v, 2147483647);
    for (const char* nao : {"", "TAM", "H10", "0x10", " 10", "10 ", "2147483648", "-"})
        EXPECT_FALSE(leInteiroDecimal(nao, v)) << nao;
}

} // namespace
} // namespace orvandel
