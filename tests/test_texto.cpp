// Windows-1252 <-> UTF-8 and ASCII upper case.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "blocos.hpp"
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
    EXPECT_EQ(utf8ParaCp1252("a\xFF"
                             "b"),
              "a?b");
    EXPECT_EQ(utf8ParaCp1252("\xC3"), "?");           // truncated sequence
    EXPECT_EQ(utf8ParaCp1252("\xE0\x80\x80"), "???"); // overlong
    EXPECT_EQ(utf8ParaCp1252("\xED\xA0\x80"), "???"); // surrogate
    EXPECT_EQ(utf8ParaCp1252("日本"), "??");          // not in the code page
}

// Long ASCII runs are copied eight bytes at a time: a character outside ASCII must be found
// wherever it stands in such a block, first, last or after it.
TEST(Texto, CaractereForaDoAsciiEmQualquerPosicao) {
    const std::string ascii = "MOV R1, 10(R2) ; comentario longo";
    for (size_t pos = 0; pos <= ascii.size(); ++pos) {
        std::string cp1252 = ascii, utf8 = ascii;
        cp1252.insert(pos, "\xE7");
        utf8.insert(pos, "ç");
        EXPECT_EQ(cp1252ParaUtf8(cp1252), utf8) << pos;
        EXPECT_EQ(utf8ParaCp1252(utf8), cp1252) << pos;
    }
}

TEST(Texto, ConversaoNoMesmoBufferSubstituiOConteudo) {
    std::string destino = "um texto anterior bem mais comprido que o novo";
    utf8ParaCp1252("ação", destino);
    EXPECT_EQ(destino, "a\xE7\xE3o");
    utf8ParaCp1252("", destino);
    EXPECT_EQ(destino, "");
    utf8ParaCp1252("a\xFF"
                   "b",
                   destino);
    EXPECT_EQ(destino, "a?b");
}

TEST(Texto, EmCp1252SoConverteOQueNaoEAscii) {
    std::string buffer = "anterior";
    const std::string ascii = "LDA X ; sem acentos";
    const std::string_view mesma = emCp1252(ascii, buffer);
    EXPECT_EQ(mesma.data(), ascii.data()); // the text itself, not a copy
    EXPECT_EQ(buffer, "anterior");
    EXPECT_EQ(emCp1252("LDA X ; ação", buffer), "LDA X ; a\xE7\xE3o");
    EXPECT_EQ(emCp1252("\xFF", buffer), "?");
}

// The block forms (sixteen and eight bytes at a time) must agree with the byte rule for every byte,
// at every place in a block and in the tail.
TEST(Texto, MaiusculasEmBlocosIgualAByteAByte) {
    std::string todos;
    for (int b = 0; b < 256; ++b) todos += static_cast<char>(b);
    std::string buffer;
    for (size_t deslocamento = 0; deslocamento < 17; ++deslocamento) {
        const std::string texto = std::string(deslocamento, 'q') + todos;
        EXPECT_EQ(emMaiusculas(texto, buffer), maiusculas(texto)) << deslocamento;
    }
    const std::string_view letras = std::string_view(todos).substr('`'); // `abc...z{|}~
    for (size_t n = 0; n <= 33; ++n) // under a block, whole blocks, a last block that overlaps
        EXPECT_EQ(emMaiusculas(letras.substr(0, n), buffer), maiusculas(letras.substr(0, n))) << n;
}

// The masks of a block, whole or the text's last and shorter one, against a test per byte; each
// text sits in an allocation of its own size, so that a read past it is caught by the sanitizer.
TEST(Blocos, PosicoesIgualAByteAByte) {
    for (size_t tamanho = 0; tamanho <= 33; ++tamanho) {
        const std::unique_ptr<char[]> bytes(new char[tamanho]);
        for (size_t k = 0; k < tamanho; ++k) bytes[k] = "a;b:c;;\x80\x64"[(k * 7 + tamanho) % 9];
        const std::string_view texto(bytes.get(), tamanho);
        for (size_t inicio = 0; inicio <= tamanho; ++inicio) {
            uint32_t esperado = 0;
            for (size_t k = 0; k < kBloco && inicio + k < tamanho; ++k)
                if (texto[inicio + k] == ';' || texto[inicio + k] == ':') esperado |= 1u << k;
            EXPECT_EQ((posicoesDe<';', ':'>(texto, inicio)), esperado) << tamanho << " " << inicio;
        }
    }
}

TEST(Texto, MaiusculasSoAscii) {
    EXPECT_EQ(maiusculas("abc xyz \xE9\xE7 1_"), "ABC XYZ \xE9\xE7 1_");
}

} // namespace
} // namespace orvandel
