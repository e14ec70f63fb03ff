// The source syntax as the face gives it to the front ends: UTF-8 lines in, the splitter's
// Windows-1252 parts out, and the separators the editor's colours stop at.
#include <gtest/gtest.h>

#include "orvandel/sintaxe.hpp"

namespace orvandel {
namespace {

struct CasoPartes {
    std::string linhaUtf8;
    std::string rotulo, operacao;
    std::vector<std::string> operandos;
};

class PartesDaLinha : public testing::TestWithParam<CasoPartes> {};

TEST_P(PartesDaLinha, DivideComoAsPassagens) {
    const CasoPartes& caso = GetParam();
    const PartesLinha partes = partesLinha(caso.linhaUtf8);
    EXPECT_EQ(partes.rotulo, caso.rotulo);
    EXPECT_EQ(partes.operacao, caso.operacao);
    EXPECT_EQ(partes.operandos, caso.operandos);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, PartesDaLinha,
    testing::Values(CasoPartes{"", "", "", {}}, CasoPartes{" \t ,:", "", "", {}},
                    CasoPartes{"; só comentário", "", "", {}},
                    CasoPartes{"Ação: DB 'é', X ; nota", "A\xE7\xE3o", "DB", {"'\xE9'", "X"}},
                    CasoPartes{"  MOV R1,(R2)+", "", "MOV", {"R1", "(R2)+"}}));

TEST(SeparadorFonte, SoOsQuatroDoDivisor) {
    for (const char32_t c : {U'\t', U' ', U',', U':'})
        EXPECT_TRUE(ehSeparadorFonte(c)) << static_cast<uint32_t>(c);
    // U+012C and U+013A end in the bytes of ',' and ':': only ASCII separates.
    for (const char32_t c : {U';', U'\'', U'A', U'\u00A0', U'\u012C', U'\u013A', U'\uFF0C'})
        EXPECT_FALSE(ehSeparadorFonte(c)) << static_cast<uint32_t>(c);
}

} // namespace
} // namespace orvandel
