// The line splitter: comment removal, tokens, labels and the 1000-character window.
#include <gtest/gtest.h>

#include "linha.hpp"

namespace orvandel {
namespace {

struct CasoLinha {
    std::string linha;
    bool resultado;
    std::string rotulo, operacao;
    std::vector<std::string> operandos;
};

class SeparaLinha : public testing::TestWithParam<CasoLinha> {};

std::vector<std::string> textos(const std::vector<std::string_view>& vistas) {
    return {vistas.begin(), vistas.end()};
}

TEST_P(SeparaLinha, Divide) {
    const CasoLinha& caso = GetParam();
    elemLinha e;
    e = {"rótulo de outra linha", "OUTRA", {"resto de outra linha"}};
    EXPECT_EQ(separaLinha(caso.linha, e), caso.resultado);
    EXPECT_EQ(e.rotulo, caso.rotulo);
    EXPECT_EQ(e.operacao, caso.operacao);
    EXPECT_EQ(textos(e.operandos), caso.operandos);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, SeparaLinha,
    testing::Values(
        CasoLinha{"", false, "", "", {}}, CasoLinha{" \t ,", true, "", "", {}},
        CasoLinha{";only a comment", true, "", "", {}},
        CasoLinha{"LOOP: ADD X", true, "LOOP", "ADD", {"X"}},
        CasoLinha{"LOOP :ADD", true, "", "LOOP", {"ADD"}},
        CasoLinha{"ADD LOOP: X", true, "LOOP", "ADD", {"X"}},
        CasoLinha{"X: Y: NOP", true, "Y", "NOP", {}}, CasoLinha{"A:B:C", true, "B", "C", {}},
        // Tokens found before an apostrophe are found again by the rules for quoted text.
        CasoLinha{"L1: DW X, 'A' Y", true, "L1", "DW", {"X", "'A'", "Y"}},
        CasoLinha{"ADD X , Y", true, "", "ADD", {"X", "Y"}},
        CasoLinha{"ADD X,Y", true, "", "ADD", {"X", "Y"}},
        CasoLinha{"ADD\tX  Y", true, "", "ADD", {"X", "Y"}},
        CasoLinha{"DB ';' ; note", true, "", "DB", {"';'"}},
        CasoLinha{"DAB 'UM DOIS'", true, "", "DAB", {"'UM DOIS'"}},
        CasoLinha{"DB ''' ; note", true, "", "DB", {"'''"}},
        CasoLinha{"DB '' X", true, "", "DB", {"'' X"}},
        CasoLinha{"DB 'A'B", true, "", "DB", {"'A'", "B"}}, CasoLinha{"'A':", true, "", "'A'", {}},
        CasoLinha{"DB 'abc ; not a comment", true, "", "DB", {"'abc ; not a comment"}},
        CasoLinha{"MOV #1,-(R2)", true, "", "MOV", {"#1", "-(R2)"}},
        CasoLinha{"lda x ;c", true, "", "lda", {"x"}},
        // The comment search: a semicolon before, between and after quoted parts.
        CasoLinha{"NOP ; it's", true, "", "NOP", {}},
        CasoLinha{"DB 'x' ; ';'", true, "", "DB", {"'x'"}},
        CasoLinha{"DAB 'a;b', ';' X ; fim", true, "", "DAB", {"'a;b'", "';'", "X"}},
        CasoLinha{"DB ''';' ; nota", true, "", "DB", {"'''"}}, // ''' closes: ; starts the comment
        CasoLinha{"DB '''' ; nota", true, "", "DB", {"'''", "' "}}));

// The splitter reads a line sixteen bytes at a time: every token, separator, comment and
// apostrophe must count wherever it falls in a block.
TEST(SeparaLinha, EmQualquerPontoDosBlocos) {
    elemLinha e;
    for (size_t n = 1; n <= 40; ++n) {
        const std::string nome(n, 'R'), instrucao = nome + ": MOV " + nome + ",(R2)+ ;'",
                                        dados = nome + " DAB 'A B'", so = " " + nome;
        separaLinha(instrucao, e);
        EXPECT_EQ(e.rotulo, nome);
        EXPECT_EQ(e.operacao, "MOV");
        EXPECT_EQ(textos(e.operandos), (std::vector<std::string>{nome, "(R2)+"})) << n;
        separaLinha(dados, e);
        EXPECT_EQ(textos(e.operandos), (std::vector<std::string>{"DAB", "'A B'"})) << n;
        separaLinha(so, e);
        EXPECT_EQ(e.operacao, nome);
        EXPECT_TRUE(e.operandos.empty()) << n;
    }
}

TEST(SeparaLinha, SoOsPrimeirosMilCaracteresDepoisDosSeparadores) {
    elemLinha e;
    const std::string longa = "   " + std::string(1200, 'A');
    EXPECT_TRUE(separaLinha(longa, e));
    EXPECT_EQ(e.operacao, std::string(1000, 'A'));
    EXPECT_TRUE(e.operandos.empty());

    const std::string cortada = "NOP " + std::string(995, 'B') + " C";
    EXPECT_TRUE(separaLinha(cortada, e));
    EXPECT_EQ(textos(e.operandos), std::vector<std::string>{std::string(995, 'B')});

    // A semicolon or an apostrophe past the window is never looked at.
    const std::string apostrofoAlem = "NOP " + std::string(996, 'B') + ";'C";
    EXPECT_TRUE(separaLinha(apostrofoAlem, e));
    EXPECT_EQ(textos(e.operandos), std::vector<std::string>{std::string(996, 'B')});
}

TEST(SeparaLinha, ComentarioDepoisDaJanelaNaoImporta) {
    elemLinha e;
    const std::string linha = "NOP 'X" + std::string(2000, ' ') + ";'";
    EXPECT_TRUE(separaLinha(linha, e));
    EXPECT_EQ(e.operacao, "NOP");
    ASSERT_EQ(e.operandos.size(), 1u);
    EXPECT_EQ(e.operandos[0].size(), 996u);
}

TEST(TrechoDivisivel, MilCaracteresDepoisDosSeparadoresContadosComoCaracteres) {
    std::string acentos;
    for (int i = 0; i < 1200; ++i) acentos += "é";
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"", ""},
        {" \t,: \t", ""},
        {" \t,:lda x ; c", "lda x ; c"},
        {acentos, std::string(1000, '\xE9')},
        {"  " + std::string(1001, '\xFF'),
         std::string(1000, '?')}, // each bad byte is one character
        {std::string(999, 'A') + "€Z", std::string(999, 'A') + "\x80"},
        {"\tLDA X ; variável", "LDA X ;"},             // the comment is never converted
        {"DB ';' ; variável", "DB ';' ; vari\xE1vel"}, // quoted: converted whole
        {"DB 'á' ; x", "DB '\xE1' ; x"},
        {std::string(1000, 'A') + "; é",
         std::string(1000, 'A')}, // the semicolon is past the window
    };
    std::string buffer;
    for (const auto& [linha, trecho] : casos)
        EXPECT_EQ(trechoDivisivel(linha, buffer), trecho) << linha.substr(0, 12);
}

} // namespace
} // namespace orvandel
