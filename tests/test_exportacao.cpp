// The export formats' bytes, the visible rendering of control characters, and the symbol uses
// of the cross-reference.
#include <gtest/gtest.h>

#include "exportacao.hpp"
#include "listagem_fonte.hpp"
#include "orvandel/montagem.hpp"
#include "terminal.hpp"

namespace orvandel {
namespace {

TEST(Exportacao, IntelHexRegistrosDaFaixa) {
    Memoria memoria{};
    memoria[0x10] = 0xAB;
    memoria[0x20] = 0x01;
    EXPECT_EQ(conteudoIntelHex(memoria, Faixa{0x10, 0x20}),
              ":10001000AB00000000000000000000000000000035\r\n:0100200001DE\r\n:00000001FF\r\n");
    EXPECT_EQ(conteudoIntelHex(memoria, std::nullopt), ":00000001FF\r\n");
    EXPECT_EQ(faixaUsada(std::vector<int32_t>{-1, 3, -1, 0, -1}), (Faixa{1, 3}));
    EXPECT_EQ(faixaUsada(std::vector<int32_t>(5, -1)), std::nullopt);
}

TEST(Exportacao, LogisimComprimeRepeticoesEOmiteZerosFinais) {
    Memoria memoria{};
    const uint8_t bytes[] = {0x20, 0x07, 7, 7, 7, 7, 7, 0, 0, 0xFF};
    std::copy(std::begin(bytes), std::end(bytes), memoria.begin());
    memoria[100] = 1;
    EXPECT_EQ(conteudoLogisim(Maquina::Kovra, memoria), "v2.0 raw\n20 6*7 0 0 ff 90*0 1\n");
    memoria[300] = 9; // beyond an 8-bit machine's memory
    EXPECT_EQ(conteudoLogisim(Maquina::Kovra, memoria), "v2.0 raw\n20 6*7 0 0 ff 90*0 1\n");
    EXPECT_EQ(conteudoLogisim(Maquina::Zibel, Memoria{}), "v2.0 raw\n");
    for (int i = 0; i < 17; ++i) memoria[static_cast<size_t>(i)] = static_cast<uint8_t>(i % 2);
    EXPECT_EQ(conteudoLogisim(Maquina::Jelmo, memoria),
              "v2.0 raw\n0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1\n84*0 1 199*0 9\n");
}

TEST(Exportacao, DumpEBinarioTemOTamanhoDaMaquina) {
    Memoria memoria{};
    memoria[0] = 'O';
    memoria[1] = 'i';
    memoria[2] = 0x1B;
    const std::string dump = conteudoDump(Maquina::Quirla, memoria);
    EXPECT_TRUE(dump.starts_with(
        "00  4F 69 1B 00 00 00 00 00  00 00 00 00 00 00 00 00  |Oi..............|\r\n"));
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 16);
    EXPECT_TRUE(conteudoDump(Maquina::Jelmo, memoria)
                    .ends_with("\r\nFFF0  00 00 00 00 00 00 00 00  "
                               "00 00 00 00 00 00 00 00  |................|\r\n"));
    EXPECT_EQ(conteudoBinario(Maquina::Zibel, memoria).size(), 256u);
    EXPECT_EQ(conteudoBinario(Maquina::Jelmo, memoria).size(), 65536u);
}

TEST(Terminal, ControlesVisiveis) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"a\x1B[31mb", "a^[[31mb"}, {"\x7F", "^?"},       {std::string("x\0y", 3), "x^@y"},
        {"\t\n", "\t\n"},           {"\xC2\x9B", "M-^["}, {"ção \xC2\xA0", "ção \xC2\xA0"},
    };
    for (const auto& [texto, visivel] : casos) EXPECT_EQ(textoVisivel(texto), visivel) << texto;
}

TEST(ReferenciasCruzadas, UsosEmCadaFormaDeOperando) {
    Montagem montagem;
    const std::vector<std::string> linhas = {
        "X:    EQU 5",       "T:    DW X",           "      MOV X(R7), (T(R1))",
        "      MOV #x+1, T", "      DAB 'X T', H1F", "      LDA X ; T",
        "H1F:  DB X",
    };
    montagem.monta(Maquina::Jelmo, linhas);
    ASSERT_EQ(montagem.simbolos().entradas().size(), 3u);
    const auto usos = usosDosSimbolos(linhas, montagem.simbolos());
    EXPECT_EQ(usos[0], (std::vector<int32_t>{1, 2, 3, 5, 6})); // X: not in quotes, not in comments
    EXPECT_EQ(usos[1], (std::vector<int32_t>{2, 3}));          // T
    EXPECT_EQ(usos[2], (std::vector<int32_t>{}));              // H1F reads as a numeral
    EXPECT_EQ(montagem.simbolos().entradas()[1].numLinha, 1);
}

} // namespace
} // namespace orvandel
