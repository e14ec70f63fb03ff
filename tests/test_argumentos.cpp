// The programs' command lines: open mode, batch mode, the machine and the verbose switch; the
// machine that orvandel-cli's -m names.
#include <gtest/gtest.h>

#include "argumentos.hpp"
#include "opcoes.hpp"

namespace orvandel {
namespace {

struct CasoArgumentos {
    std::vector<std::string> argumentos;
    ModoInicio modo;
    std::string nomeArquivo;
    int maquinaAlvo;
    bool verboso;
};

TEST(ExaminaArgumentos, ModoMaquinaEVerboso) {
    using enum ModoInicio;
    const std::vector<CasoArgumentos> casos = {
        {{}, Interativo, "", 2, false},
        {{"-v"}, Interativo, "", 2, true},
        {{"-b"}, Lote, "", -1, false},
        {{"-b", "K"}, Lote, "", 0, false},
        {{"-b", "Q", "-v"}, Lote, "", 1, true},
        {{"-b", "J"}, Lote, "", 2, false},
        {{"-b", "Z"}, Lote, "", 3, false},
        {{"-b", "k"}, Lote, "", -1, false},     // letters are case-sensitive
        {{"-b", "Kovra"}, Lote, "", -1, false}, // only the bare letter counts
        {{"-b", "-v"}, Lote, "", -1, true},
        {{"-v", "-b"}, Lote, "", -1, true},
        {{"-b", "-b", "K"}, Lote, "", -1, false}, // the second -b is consumed and ignored
        {{"-b", "K", "-b"}, Lote, "", -1, false}, // a later -b means all machines again
        {{"-v", "x.kod", "-b", "Z"}, Lote, "", 3, true},
        {{"soma.ZID", "-b"}, AbreArquivo, "soma.ZID", 3, false},
        {{"soma.kod", "-v"}, AbreArquivo, "soma.kod", 0, false},
        {{"/dados/a.Qud"}, AbreArquivo, "/dados/a.Qud", 1, false},
        {{"a.txt"}, AbreArquivo, "a.txt", 2, false},
        {{"x"}, AbreArquivo, "x", 2, false},
        {{"-B", "-b"}, AbreArquivo, "-B", 2, false},
        {{""}, AbreArquivo, "", 2, false},
    };
    for (const CasoArgumentos& caso : casos) {
        const LinhaDeComando linha = examinaArgumentos(caso.argumentos);
        const std::string rotulo = testing::PrintToString(caso.argumentos);
        EXPECT_EQ(linha.modo, caso.modo) << rotulo;
        EXPECT_EQ(linha.nomeArquivo, caso.nomeArquivo) << rotulo;
        EXPECT_EQ(linha.maquinaAlvo, caso.maquinaAlvo) << rotulo;
        EXPECT_EQ(linha.verboso, caso.verboso) << rotulo;
    }
}

// The letter or the whole name, in any case; nothing else.
TEST(MaquinaPorArgumento, LetraOuNomeEmQualquerCaixa) {
    const std::vector<std::pair<std::string, std::optional<Maquina>>> casos = {
        {"Z", Maquina::Zibel},       {"k", Maquina::Kovra},     {"Q", Maquina::Quirla},
        {"j", Maquina::Jelmo},       {"zibel", Maquina::Zibel}, {"KOVRA", Maquina::Kovra},
        {"Quirla", Maquina::Quirla}, {"jElMo", Maquina::Jelmo}, {"", std::nullopt},
        {"X", std::nullopt},         {"KO", std::nullopt},      {"JELMOS", std::nullopt},
        {"ZID", std::nullopt},
    };
    for (const auto& [texto, maquina] : casos)
        EXPECT_EQ(maquinaPorArgumento(texto), maquina) << texto;
}

} // namespace
} // namespace orvandel
