// The files orvandel-cli writes for whole programs, byte for byte against golden files built by
// hand from the bytes and symbols annotated in the programs; and when the listing is not written.
#include <gtest/gtest.h>

#include <set>

#include "apoio.hpp"
#include "cli.hpp"
#include "fonte.hpp"
#include "nomes.hpp"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using teste::executaCli;
using teste::leArquivo;

const std::string kSucesso = " Código gerado sem erros \n";

struct CasoGolden {
    std::string fonte; // an annotated program, relative to the programs folder
    std::string saida; // what orvandel-cli prints
};

void PrintTo(const CasoGolden& caso, std::ostream* saida) {
    *saida << caso.fonte;
}

class ArquivosGerados : public testing::TestWithParam<CasoGolden> {};

TEST_P(ArquivosGerados, IguaisAoGolden) {
    const fs::path fonte = fs::path(ORVANDEL_PROGRAMAS) / GetParam().fonte;
    const std::string nome = fonte.stem().string();
    teste::DiretorioTemporario dir;
    fs::copy_file(fonte, dir / fonte.filename().string());
    const auto r = executaCli(dir.caminho(), fonte.filename().string());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.saida, GetParam().saida);
    for (const std::string extensao : {".mem", ".map"}) {
        const fs::path golden = fs::path(ORVANDEL_GOLDEN) / "montagem" / (nome + extensao);
        ASSERT_TRUE(fs::exists(golden)) << golden;
        EXPECT_EQ(leArquivo(dir / (nome + extensao)), leArquivo(golden)) << nome << extensao;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Programas, ArquivosGerados,
    testing::Values(CasoGolden{"kovra/multiplica.kod", kSucesso},
                    CasoGolden{"quirla/soma_vetor.qud", kSucesso},
                    CasoGolden{"comum/listagem_longos.zid", kSucesso},
                    CasoGolden{"quirla/sem_simbolos.qud",
                               "3 (WARNING) - O modo de endereçamento imediato é ilegal para "
                               "instruções de desvio\n" +
                                   kSucesso}),
    [](const testing::TestParamInfo<CasoGolden>& info) {
        return fs::path(info.param.fonte).stem().string();
    });

TEST(Listagem, ComErrosFicaAAnterior) {
    teste::DiretorioTemporario dir;
    teste::escreveArquivo(dir / "p.qud", "LDR Y 10\n");
    teste::escreveArquivo(dir / "p.map", "anterior");
    const auto r = executaCli(dir.caminho(), "p.qud");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.saida, "1 (ERRO) - Registrador Inválido: Y\n");
    EXPECT_EQ(leArquivo(dir / "p.map"), "anterior");
    EXPECT_FALSE(fs::exists(dir / "p.mem"));
}

// The image is written first and stays; a listing that cannot be written is a failure, and the
// success line does not follow.
TEST(Listagem, FalhaAoGravarDeixaAImagem) {
    teste::DiretorioTemporario dir;
    teste::escreveArquivo(dir / "p.qud", "HLT\n");
    fs::create_directory(dir / "p.map");
    const auto r = executaCli(dir.caminho(), "p.qud");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.saida, "");
    EXPECT_NE(r.erros.find("Não foi possível gravar o arquivo p.map"), std::string::npos);
    EXPECT_EQ(leArquivo(dir / "p.mem").substr(0, 6), std::string("\x03QRL\xF0\x00", 6));
}

// The bundled examples are what a newcomer assembles first: none may report an error.
TEST(Exemplos, MontamSemErros) {
    int exemplos = 0;
    const std::set<std::string> fontes = {".zid", ".kod", ".qud", ".jed"};
    for (const auto& entrada : fs::directory_iterator(ORVANDEL_EXEMPLOS)) {
        if (!fontes.contains(entrada.path().extension().string())) continue;
        const std::string caminho = entrada.path().string();
        Montador m;
        m.monta(maquinaPorExtensao(caminho), leArquivoFonte(caminho).linhas);
        EXPECT_EQ(teste::linhasMensagens(m), std::vector<std::string>{}) << caminho;
        ++exemplos;
    }
    EXPECT_GE(exemplos, 3);
}

} // namespace
} // namespace orvandel
