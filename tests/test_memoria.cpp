// Placing bytes and words into the image with each machine's limits.
#include <gtest/gtest.h>

#include "apoio.hpp"

namespace orvandel {
namespace {

struct CasoArmazena {
    Maquina maquina;
    bool palavra; // armazenaPalavra, else armazenaByte
    int32_t valor, endereco;
    std::string bytes; // at `endereco`, two bytes
    std::string mensagem;
};

TEST(Armazena, LimitesDeValorEEndereco) {
    const std::vector<CasoArmazena> casos = {
        {Maquina::Zibel, true, 255, 255, "FF 00", ""},
        {Maquina::Kovra, true, 1, 256, "00 00",
         "1 (ERRO) - Excedido limite de memória (endereço 255)"},
        {Maquina::Quirla, true, -128, 0, "80 00", ""},
        {Maquina::Zibel, true, -1, 0, "FF 00", ""},
        {Maquina::Zibel, true, 256, 0, "00 00",
         "1 (WARNING) - Valor 256 (decimal) não é representável em 8 bits"},
        {Maquina::Zibel, true, -129, 0, "00 00",
         "1 (WARNING) - Valor -129 (decimal) não é representável em 8 bits"},
        {Maquina::Zibel, true, 999, 300, "00 00",
         "1 (ERRO) - Excedido limite de memória (endereço 255)"},
        {Maquina::Jelmo, true, 0x1234, 10, "12 34", ""},
        {Maquina::Jelmo, true, 65535, 0, "FF FF", ""},
        {Maquina::Jelmo, true, -32768, 0, "80 00", ""},
        {Maquina::Jelmo, true, 65536, 0, "00 00",
         "1 (WARNING) - Valor 65536 (decimal) não é representável em 16 bits"},
        {Maquina::Jelmo, true, 1, 65535, "00",
         "1 (ERRO) - Excedido limite de memória (endereço 65535)"},
        {Maquina::Jelmo, true, 1, 65536, "",
         "1 (ERRO) - Excedido limite de memória (endereço 65535)"},
        {Maquina::Jelmo, false, 300, 0, "00 00",
         "1 (WARNING) - Valor 300 (decimal) não é representável em 8 bits"},
        {Maquina::Jelmo, false, -1, 65535, "FF", ""},
        {Maquina::Jelmo, false, 7, -1, "",
         "1 (ERRO) - Excedido limite de memória (endereço 65535)"},
    };
    for (const CasoArmazena& caso : casos) {
        Montador m;
        m.maquina = caso.maquina;
        if (caso.palavra)
            armazenaPalavra(m, caso.valor, caso.endereco, 0);
        else
            armazenaByte(m, caso.valor, caso.endereco, 0);
        const int quantos = static_cast<int>(teste::leBytes(caso.bytes).size());
        if (quantos) {
            EXPECT_EQ(teste::bytesEm(m, caso.endereco, quantos), caso.bytes) << caso.valor;
        }
        const std::vector<std::string> esperadas =
            caso.mensagem.empty() ? std::vector<std::string>{} : std::vector{caso.mensagem};
        EXPECT_EQ(teste::linhasMensagens(m), esperadas) << caso.valor << " @" << caso.endereco;
        EXPECT_EQ(m.contErros(), caso.mensagem.find("ERRO") != std::string::npos ? 1 : 0);
    }
}

TEST(EnderecoValido, LimitesPorMaquina) {
    EXPECT_TRUE(enderecoValido(Maquina::Zibel, 0));
    EXPECT_TRUE(enderecoValido(Maquina::Kovra, 255));
    EXPECT_FALSE(enderecoValido(Maquina::Quirla, -1));
    EXPECT_FALSE(enderecoValido(Maquina::Zibel, 256));
    EXPECT_TRUE(enderecoValido(Maquina::Jelmo, 65535));
    EXPECT_FALSE(enderecoValido(Maquina::Jelmo, 65536));
}

} // namespace
} // namespace orvandel
