// Runs as a whole: reset, repeatability, and the machines without an encoder yet.
#include <gtest/gtest.h>

#include "apoio.hpp"

namespace orvandel {
namespace {

TEST(Montagem, FonteVaziaOuSoComentariosDaImagemZerada) {
    for (const std::vector<std::string>& fonte :
         {std::vector<std::string>{}, std::vector<std::string>{"", "  ; nada", "\t"}}) {
        const auto m = teste::monta(Maquina::Zibel, fonte);
        EXPECT_EQ(m->contErros(), 0);
        EXPECT_TRUE(m->mensagens().empty());
        for (uint8_t byte : m->memoria) ASSERT_EQ(byte, 0);
    }
}

TEST(Montagem, DuasMontagensSeguidasDaoOMesmoResultado) {
    const std::vector<std::string> fonte = {"X: LDA Y", "FOO", "Y: DB 300", "ORG 250", "DAB [10]"};
    Montador m;
    m.monta(Maquina::Kovra, fonte);
    const Memoria memoria = m.memoria;
    const std::vector<Mensagem> mensagens = m.mensagens();
    const std::vector<tipoSimbolo> simbolos = m.tabSimbolos.entradas();
    m.monta(Maquina::Kovra, fonte);
    EXPECT_EQ(m.memoria, memoria);
    EXPECT_EQ(m.mensagens(), mensagens);
    ASSERT_EQ(m.tabSimbolos.entradas().size(), simbolos.size());
    EXPECT_GT(m.contErros(), 0);
}

TEST(Montagem, SoAvisosNaoContamComoErros) {
    const auto m = teste::monta(Maquina::Zibel, {"ADD: 256"});
    EXPECT_EQ(m->contErros(), 0);
    EXPECT_EQ(m->mensagens().size(), 2u);
}

TEST(Montagem, DuasFalhasNaMesmaLinhaContamDuas) {
    const auto m = teste::monta(Maquina::Zibel, {"1X: FOO"});
    EXPECT_EQ(m->contErros(), 2);
}

} // namespace
} // namespace orvandel
