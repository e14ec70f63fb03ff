// The editor's colours and the map's navigation: what each part of a line is, where a symbol is
// defined, which address a typed text names.
#include <gtest/gtest.h>

#include "ajuda_instrucao.hpp"
#include "apoio.hpp"
#include "navegacao.hpp"
#include "realce.hpp"

namespace orvandel {
namespace {

using C = Categoria;
using Trechos = std::vector<Trecho>;

TEST(Realce, CadaParteDaLinha) {
    const struct {
        std::u16string linha;
        Maquina maquina;
        Trechos esperados;
    } casos[] = {
        {u"INICIO: LDA 10 ; x",
         Maquina::Kovra,
         {{0, 7, C::Rotulo}, {8, 3, C::Instrucao}, {12, 2, C::Numero}, {15, 3, C::Comentario}}},
        {u"\tsub um", Maquina::Kovra, {{1, 3, C::Instrucao}}},
        {u"\tSUB UM", Maquina::Zibel, {}}, // not a Zibel instruction
        {u"X: EQU H1F",
         Maquina::Zibel,
         {{0, 2, C::Rotulo}, {3, 3, C::Diretiva}, {7, 3, C::Numero}}},
        {u"LDR A VETOR+2,X",
         Maquina::Quirla,
         {{0, 3, C::Instrucao},
          {4, 1, C::Registrador},
          {12, 1, C::Numero},
          {14, 1, C::Registrador}}},
        {u"LDR B #'a'",
         Maquina::Quirla,
         {{0, 3, C::Instrucao}, {4, 1, C::Registrador}, {6, 4, C::Literal}}},
        {u"MOV -(R2), H10(R7)",
         Maquina::Jelmo,
         {{0, 3, C::Instrucao},
          {6, 2, C::Registrador},
          {11, 3, C::Numero},
          {15, 2, C::Registrador}}},
        {u"MOV #-5,R0",
         Maquina::Jelmo,
         {{0, 3, C::Instrucao}, {4, 3, C::Numero}, {8, 2, C::Registrador}}},
        {u"DAB 'a;b', 7 ;c",
         Maquina::Jelmo,
         {{0, 3, C::Diretiva}, {4, 5, C::Literal}, {11, 1, C::Numero}, {13, 2, C::Comentario}}},
        {u"DB ''' ; apóstrofo",
         Maquina::Kovra,
         {{0, 2, C::Diretiva}, {3, 3, C::Literal}, {7, 11, C::Comentario}}},
        {u"255", Maquina::Kovra, {{0, 3, C::Numero}}}, // a data line
        {u"ação: LDA ç", Maquina::Kovra, {{0, 5, C::Rotulo}, {6, 3, C::Instrucao}}},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(classificaLinha(caso.linha, caso.maquina), caso.esperados)
            << std::string(caso.linha.begin(), caso.linha.end());
}

TEST(Navegacao, LinhaDaDefinicao) {
    const std::vector<std::string> linhas = {"; INICIO: no comentário", "  LDA X", "x: DB 1",
                                             "X: DB 2"};
    EXPECT_EQ(linhaDaDefinicao("X", linhas), 2);
    EXPECT_EQ(linhaDaDefinicao("INICIO", linhas), std::nullopt);
}

TEST(Navegacao, EnderecoDigitadoNoMapa) {
    const auto m = teste::monta(Maquina::Kovra, {"ORG 20", "FIM: HLT", "ADD: DB 1"});
    const struct {
        std::string texto;
        BaseMapa base;
        std::optional<int> endereco;
    } casos[] = {
        {"FF", BaseMapa::Hexadecimal, 255},
        {" 1a ", BaseMapa::Hexadecimal, 26},
        {"255", BaseMapa::Decimal, 255},
        {"0x10", BaseMapa::Decimal, 16},
        {"H10", BaseMapa::Decimal, 16},
        {"10h", BaseMapa::Decimal, 16},
        {"fim", BaseMapa::Decimal, 20},
        {"FIM", BaseMapa::Hexadecimal, 20},
        {"ADD", BaseMapa::Decimal, 21},
        {"ADD", BaseMapa::Hexadecimal, 0xADD}, // beyond the 256 addresses: refused below
        {"256", BaseMapa::Decimal, std::nullopt},
        {"-1", BaseMapa::Decimal, std::nullopt},
        {"NADA", BaseMapa::Decimal, std::nullopt},
        {"", BaseMapa::Decimal, std::nullopt},
    };
    for (const auto& caso : casos) {
        const int enderecos =
            caso.texto == "ADD" && caso.base == BaseMapa::Hexadecimal ? 65536 : 256;
        EXPECT_EQ(leEndereco(caso.texto, caso.base, m->tabSimbolos, enderecos), caso.endereco)
            << caso.texto;
    }
}

TEST(Navegacao, PrimeiroEnderecoDasLinhas) {
    const std::vector<int32_t> origens = {-1, 3, 1, 1, -1, 2};
    EXPECT_EQ(primeiroEnderecoDasLinhas(origens, 6, 1, 1), 2);
    EXPECT_EQ(primeiroEnderecoDasLinhas(origens, 6, 2, 3), 1);
    EXPECT_EQ(primeiroEnderecoDasLinhas(origens, 6, 0, 0), std::nullopt);
    EXPECT_EQ(primeiroEnderecoDasLinhas(origens, 5, 2, 2), std::nullopt); // beyond the map
    EXPECT_EQ(primeiroEnderecoDasLinhas({}, 256, 0, 9), std::nullopt);    // a run unrecorded
}

// The help shown over a mnemonic: the selected machine's row, whatever the letter case.
TEST(AjudaInstrucao, DoMnemonicoNaMaquina) {
    const struct {
        Maquina maquina;
        std::string mnemonico;
        std::string inicio; // the first three lines
    } casos[] = {
        {Maquina::Kovra, "lda", "LDA (Kovra)\nCódigo: 20h (32)\nTamanho: 2 bytes"},
        {Maquina::Kovra, "HLT", "HLT (Kovra)\nCódigo: F0h (240)\nTamanho: 1 byte"},
        {Maquina::Jelmo, "Mov", "MOV (Jelmo)\nCódigo: 9000h (36864)\nTamanho: 2 a 6 bytes"},
        {Maquina::Quirla, "not", "NOT (Quirla)\nCódigo: 60h (96)\nTamanho: 1 byte"},
    };
    for (const auto& caso : casos) {
        const std::string ajuda = ajudaDaInstrucao(caso.mnemonico, caso.maquina);
        EXPECT_EQ(ajuda.substr(0, caso.inicio.size()), caso.inicio) << ajuda;
        EXPECT_NE(ajuda.find("\nOperandos: "), std::string::npos) << ajuda;
    }
    EXPECT_EQ(ajudaDaInstrucao("LDA", Maquina::Jelmo), ""); // Jelmo has no LDA
    EXPECT_EQ(ajudaDaInstrucao("ORG", Maquina::Kovra), ""); // a directive
}

} // namespace
} // namespace orvandel
