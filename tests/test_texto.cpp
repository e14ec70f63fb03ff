// Windows-1252 <-> UTF-8 and ASCII upper case.
#include <gtest/gtest.h>

#include "texto.hpp"

namespace orvandel {
namespace {

TEST(Texto, Todos256BytesIdaEVolta) {
    std::string todos;
    for (int b = 0; b < 256; ++b) todos += static_cast<char>(b);
    EXPECT_EQ(utf8ParaCp1252(cp1252ParaUtf8(todos)), todos);
}

TEST(Texto, PontosDeCodigo) {
    EXPECT_EQ(cp1252ParaUtf8("\x80"), "€");
    EXPECT_EQ(cp1252ParaUtf8("S\xEDmbolo"), "Símbolo");
    EXPECT_EQ(unicodeDeCp1252(0x80), 0x20ACu);
    EXPECT_EQ(unicodeDeCp1252(0x81), 0x81u);
    EXPECT_EQ(utf8ParaCp1252("ação"), "a\xE7\xE3o");
}

TEST(Texto, Utf8MalFormadoViraUmByteCadaUm) {
    EXPECT_EQ(utf8ParaCp1252("a\xFF" "b"), "a?b");
    EXPECT_EQ(utf8ParaCp1252("\xC3"), "?");           // truncated sequence
    EXPECT_EQ(utf8ParaCp1252("\xE0\x80\x80"), "???");  // overlong
    EXPECT_EQ(utf8ParaCp1252("\xED\xA0\x80"), "???");  // surrogate
    EXPECT_EQ(utf8ParaCp1252("日本"), "??");            // not in the code page
}

TEST(Texto, MaiusculasSoAscii) {
    EXPECT_EQ(maiusculas("abc xyz \xE9\xE7 1_"), "ABC XYZ \xE9\xE7 1_");
}

} // namespace
} // namespace orvandel
