// File naming rules and the machine a source's extension names.
#include <gtest/gtest.h>

#include "nomes.hpp"

namespace orvandel {
namespace {

TEST(Nomes, ImagemEListagem) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"soma.kod", "soma.mem"},
        {"SOMA.KOD", "SOMA.mem"},
        {"/dados/a.zid", "/dados/a.mem"},
        {"prog.x", "prog.x.mem"},
        {"/dados/a.b", "/dados/a.b.mem"},
        {"soma", "soma.mem"},
        {"a.txt", "a.mem"},
        {"ab", "ab.mem"},
    };
    for (const auto& [fonte, imagem] : casos) EXPECT_EQ(nomeArquivoMem(fonte), imagem) << fonte;
    EXPECT_EQ(nomeArquivoMap("C:\\fontes\\soma.mem"), "C:\\fontes\\soma.map");
}

TEST(Nomes, ExtensaoAoSalvarENomeComPontoDobrado) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"soma.jed", "soma.jed.kod"}, {"soma.", "soma.kod"}, {"soma.kod", "soma.kod"},
        {"soma.KOD", "soma.KOD.kod"}, {"soma", "soma.kod"},  {"a.kodx", "a.kodx.kod"},
    };
    for (const auto& [nome, esperado] : casos)
        EXPECT_EQ(comExtensao(nome, "kod"), esperado) << nome;
    EXPECT_EQ(semPontoDobrado("soma..kod"), "soma.kod");
    EXPECT_EQ(semPontoDobrado("s..kod.x"), "s..kod.x");
    EXPECT_EQ(semPontoDobrado("..kod"), ".kod");
    EXPECT_EQ(semPontoDobrado(".kod"), ".kod");
}

TEST(Nomes, MaquinaPelaExtensao) {
    EXPECT_EQ(maquinaPorExtensao("soma.ZID"), Maquina::Zibel);
    EXPECT_EQ(maquinaPorExtensao("soma.zid"), Maquina::Zibel);
    EXPECT_EQ(maquinaPorExtensao("a.kod"), Maquina::Kovra);
    EXPECT_EQ(maquinaPorExtensao("a.Qud"), Maquina::Quirla);
    EXPECT_EQ(maquinaPorExtensao("a.jed"), Maquina::Jelmo);
    EXPECT_EQ(maquinaPorExtensao("a.txt"), Maquina::Jelmo);
    EXPECT_EQ(maquinaPorExtensao("z"), Maquina::Jelmo);
}

} // namespace
} // namespace orvandel
