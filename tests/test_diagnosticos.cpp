// Diagnostics: the message-list line of a record, and the error count.
#include <gtest/gtest.h>

#include <limits>

#include "diagnosticos.hpp"

namespace orvandel {
namespace {

TEST(Mensagem, LinhaDaLista) {
    EXPECT_EQ((Mensagem{0, TipoMensagem::Erro, "Operando indefinido: X"}).linhaLista(),
              "1 (ERRO) - Operando indefinido: X");
    EXPECT_EQ((Mensagem{9, TipoMensagem::Aviso, "Ponteiro de 8 bits"}).linhaLista(),
              "10 (WARNING) - Ponteiro de 8 bits");
    EXPECT_EQ((Mensagem{41, TipoMensagem::Erro, ""}).linhaLista(), "42 (ERRO) - ");
    // The last index a 32-bit line count can hold is shown plus one, without wrapping.
    EXPECT_EQ(
        (Mensagem{std::numeric_limits<int32_t>::max(), TipoMensagem::Aviso, "x"}).linhaLista(),
        "2147483648 (WARNING) - x");
}

TEST(Diagnosticos, SoErrosContam) {
    Diagnosticos d;
    d.registraErro("um", 0);
    d.registraAviso("dois", 1);
    d.registraErro("tr\xEAs", 2);
    EXPECT_EQ(d.contErros(), 2);
    ASSERT_EQ(d.lista().size(), 3u);
    EXPECT_EQ(d.lista()[1], (Mensagem{1, TipoMensagem::Aviso, "dois"}));
    d.limpaLista();
    d.zeraErros();
    EXPECT_TRUE(d.lista().empty());
    EXPECT_EQ(d.contErros(), 0);
}

} // namespace
} // namespace orvandel
