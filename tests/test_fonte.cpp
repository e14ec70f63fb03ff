// Source files: byte-order marks, Windows-1252 and line ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "apoio.hpp"
#include "fonte.hpp"
#include "gravacao.hpp"
#include "memoria.hpp"

namespace orvandel {
namespace {

using Linhas = std::vector<std::string>;

struct CasoDecodifica {
    std::string bytes;
    Linhas linhas;
    Codificacao codificacao;
};

TEST(DecodificaFonte, MarcasEFinsDeLinha) {
    const std::vector<CasoDecodifica> casos = {
        {"", {}, Codificacao::Cp1252},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}, Codificacao::Cp1252},
        {"a\n", {"a"}, Codificacao::Cp1252},
        {"\n", {""}, Codificacao::Cp1252},
        {"a\r\n\r\n", {"a", ""}, Codificacao::Cp1252},
        {"a\n\rb", {"a", "", "b"}, Codificacao::Cp1252},
        {"a\rb\rc\n", {"a", "b", "c"}, Codificacao::Cp1252}, // CR lines before a LF
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}, Codificacao::Cp1252},
        {"\r\r\n\n", {"", "", ""}, Codificacao::Cp1252},
        {"sem fim de linha", {"sem fim de linha"}, Codificacao::Cp1252},
        {"S\xEDmbolo \x80", {"Símbolo €"}, Codificacao::Cp1252},
        {std::string("A\0B", 3), {std::string("A\0B", 3)}, Codificacao::Cp1252},
        {"\xEF\xBB\xBFLDA \xC3\xA9\r\n", {"LDA é"}, Codificacao::Utf8},
        {"\xEF\xBB\xBF\xFF\xFE", {"\xFF\xFE"}, Codificacao::Utf8}, // kept as read
        {std::string("\xFF\xFE"
                     "A\0\r\0\n\0\xE9\0",
                     10),
         {"A", "é"},
         Codificacao::Utf16LE},
        {std::string("\xFE\xFF\0A\0\n\xD8\x3D\xDE\x00", 10), {"A", "😀"}, Codificacao::Utf16BE},
        {std::string("\xFF\xFE\x00\xD8"
                     "A",
                     5),
         {"\xEF\xBF\xBD\xEF\xBF\xBD"},
         Codificacao::Utf16LE},
        // Without a mark: UTF-8 only when the bytes are well-formed UTF-8 beyond ASCII.
        {"a\xC3\xA7\xC3\xA3o\r\nok", {"ação", "ok"}, Codificacao::Utf8SemMarca},
        {"\xF0\x9F\x98\x80", {"😀"}, Codificacao::Utf8SemMarca},
        {"a\xC3\xA7\xE3o", {"aÃ§ão"}, Codificacao::Cp1252}, // one byte breaks it
        {"\xC0\xAF \xED\xA0\x80",
         {"À¯ í\xC2\xA0\xE2\x82\xAC"},
         Codificacao::Cp1252},                // overlong, surrogate
        {"\xC3", {"Ã"}, Codificacao::Cp1252}, // cut short
    };
    for (const CasoDecodifica& caso : casos) {
        const TextoFonte texto = decodificaFonte(caso.bytes);
        EXPECT_EQ(texto.linhas, caso.linhas) << caso.bytes;
        EXPECT_EQ(texto.codificacao, caso.codificacao) << caso.bytes;
    }
}

// Line ends are found sixteen bytes at a time: a CR LF split between two blocks is still one end.
TEST(DecodificaFonte, FinsDeLinhaEmQualquerPontoDosBlocos) {
    for (size_t n = 0; n <= 34; ++n) {
        const std::string a(n, 'a'), d(n, 'd');
        EXPECT_EQ(decodificaFonte(a + "\r\nb\rc\n\n" + d + "\r").linhas,
                  (Linhas{a, "b", "c", "", d}))
            << n;
    }
}

TEST(CodificaFonte, IdaEVoltaNaMesmaCodificacao) {
    std::string todos;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') todos += static_cast<char>(b);
    for (const std::string& original :
         {todos + "\r\nsegunda\r\n", std::string("\xEF\xBB\xBFLDA \xC3\xA9\r\n"),
          std::string("\xFF\xFE"
                      "A\0\r\0\n\0",
                      8),
          std::string("\xFE\xFF\0A\0\r\0\n", 8), std::string("a\xC3\xA7\xC3\xA3o\r\n")})
        EXPECT_EQ(codificaFonte(decodificaFonte(original)), original);
}

// A character that the file's encoding cannot hold turns the file into UTF-8 with a mark
// instead of becoming "?".
TEST(CodificaFonte, NadaSePerdeAoGravar) {
    const struct {
        TextoFonte texto;
        std::string bytes;
        Codificacao gravada;
    } casos[] = {
        {{{"LDA é €"}, Codificacao::Cp1252}, "LDA \xE9 \x80\r\n", Codificacao::Cp1252},
        {{{"ok", "seta →"}, Codificacao::Cp1252},
         "\xEF\xBB\xBFok\r\nseta →\r\n",
         Codificacao::Utf8},
        {{{"seta →"}, Codificacao::Utf8SemMarca}, "seta →\r\n", Codificacao::Utf8SemMarca},
        {{{"?"}, Codificacao::Cp1252}, "?\r\n", Codificacao::Cp1252},
    };
    for (const auto& caso : casos) {
        EXPECT_EQ(codificaFonte(caso.texto), caso.bytes);
        EXPECT_EQ(codificacaoAoGravar(caso.texto), caso.gravada) << caso.bytes;
    }
}

TEST(LeArquivoFonte, FalhasComTextoEmPortugues) {
    teste::DiretorioTemporario dir;
    try {
        leArquivoFonte(dir / "nao-existe.zid");
        FAIL();
    } catch (const FalhaArquivo& e) {
        EXPECT_NE(std::string(e.what()).find("arquivo ou diretório inexistente"),
                  std::string::npos);
    }
    EXPECT_THROW(leArquivoFonte(dir.caminho()), FalhaArquivo);
}

// A FIFO would block the read until a writer came, and /dev/zero would never end.
TEST(LeArquivoFonte, SoArquivosComuns) {
    teste::DiretorioTemporario dir;
    ASSERT_EQ(::mkfifo((dir / "fila.kod").c_str(), 0600), 0);
    for (const std::filesystem::path& caminho :
         {dir / "fila.kod", std::filesystem::path("/dev/zero")}) {
        try {
            leArquivoFonte(caminho);
            ADD_FAILURE() << caminho;
        } catch (const FalhaArquivo& e) {
            EXPECT_EQ(e.what(), "Não foi possível ler o arquivo " + caminho.string() +
                                    ": não é um arquivo comum");
        }
    }
}

TEST(LeArquivoFonte, LeOArquivoInteiro) {
    teste::DiretorioTemporario dir;
    std::string grande;
    for (int i = 0; i < 20000; ++i) grande += "LDA " + std::to_string(i) + "\r\n"; // past 64 KB
    teste::escreveArquivo(dir / "grande.kod", grande);
    const TextoFonte texto = leArquivoFonte(dir / "grande.kod");
    ASSERT_EQ(texto.linhas.size(), 20000u);
    EXPECT_EQ(texto.linhas.front(), "LDA 0");
    EXPECT_EQ(texto.linhas.back(), "LDA 19999");

    teste::escreveArquivo(dir / "vazio.kod", "");
    EXPECT_TRUE(leArquivoFonte(dir / "vazio.kod").linhas.empty());
}

// The command-line tool reads a source into huge pages: blocks of every size must be usable to
// their last byte, and a source of several megabytes must come back whole, line for line.
TEST(LeArquivoFonte, EmPaginasGrandes) {
    std::pmr::memory_resource& recurso = memoriaDePaginasGrandes();
    for (const size_t bytes :
         {size_t{1}, (size_t{1} << 20) - 1, size_t{1} << 20, (size_t{5} << 20) + 3}) {
        auto* const bloco = static_cast<unsigned char*>(recurso.allocate(bytes, 64));
        std::memset(bloco, 0xAB, bytes);
        EXPECT_EQ(bloco[bytes - 1], 0xAB);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(bloco) % 64, 0u) << bytes;
        recurso.deallocate(bloco, bytes, 64);
    }
    teste::DiretorioTemporario dir;
    std::string grande;
    for (int i = 0; i < 300000; ++i) grande += "LDA " + std::to_string(i) + "\n";
    teste::escreveArquivo(dir / "grande.kod", grande);
    // Restored however the test ends, so that no later test draws on the resource.
    struct RecursoPadrao {
        explicit RecursoPadrao(std::pmr::memory_resource* r) { std::pmr::set_default_resource(r); }
        ~RecursoPadrao() { std::pmr::set_default_resource(nullptr); }
    } padrao(&recurso);
    const LinhasFonte fonte = leLinhasFonte(dir / "grande.kod");
    const std::pmr::vector<std::string_view> linhas = fonte.linhas();
    ASSERT_EQ(linhas.size(), 300000u);
    EXPECT_EQ(linhas[123456], "LDA 123456");
    EXPECT_EQ(linhas.back(), "LDA 299999");
}

// Once the heap's next megabytes are on huge pages, blocks of every size it serves (now up to a
// megabyte) are usable to their last byte; a second call changes nothing.
TEST(LeArquivoFonte, HeapEmPaginasGrandes) {
    heapEmPaginasGrandes();
    heapEmPaginasGrandes();
    for (const size_t bytes :
         {size_t{16}, size_t{4096}, size_t{200000}, (size_t{1} << 20) - 1, size_t{3} << 20}) {
        auto* const bloco = static_cast<unsigned char*>(std::malloc(bytes));
        ASSERT_NE(bloco, nullptr);
        std::memset(bloco, 0xCD, bytes);
        EXPECT_EQ(bloco[bytes - 1], 0xCD) << bytes;
        std::free(bloco);
    }
}

// A file whose size the system reports as 0 is still read to its end.
TEST(LeArquivoFonte, ArquivoSemTamanhoConhecido) {
    const TextoFonte texto = leArquivoFonte("/proc/self/status");
    ASSERT_GT(texto.linhas.size(), 5u);
    EXPECT_TRUE(texto.linhas.front().starts_with("Name:"));
}

} // namespace
} // namespace orvandel
