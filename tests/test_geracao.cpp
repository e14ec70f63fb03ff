// The benchmark source generator: sizes, determinism, the mix of lines, and sources that the
// machines assemble without a single message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "fonte.hpp"
#include "geracao.hpp"
#include "imagem.hpp"
#include "listagem.hpp"

namespace orvandel {
namespace {

using geracao::Dialeto;
using geracao::geraFonte;

std::vector<std::string> linhasDe(const std::string& texto) {
    return decodificaFonte(texto).linhas;
}

size_t contaLinhas(const std::string& texto) {
    return static_cast<size_t>(std::count(texto.begin(), texto.end(), '\n'));
}

// FNV-1a, to state a whole file's bytes in one literal.
uint64_t resumo(std::string_view bytes) {
    uint64_t h = 14695981039346656037ull;
    for (char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

TEST(Geracao, TemExatamenteAsLinhasPedidas) {
    for (Dialeto d : {Dialeto::Zibel, Dialeto::Kovra, Dialeto::Quirla, Dialeto::Jelmo,
                      Dialeto::Dasm6502, Dialeto::GnuX86})
        for (int n : {10, 999, 12345}) {
            const std::string texto = geraFonte(d, n);
            EXPECT_EQ(contaLinhas(texto), static_cast<size_t>(n))
                << geracao::extensao(d) << " " << n;
            EXPECT_TRUE(texto.ends_with('\n'));
        }
}

TEST(Geracao, PoucasLinhasDemaisSaoRecusadas) {
    EXPECT_THROW(geraFonte(Dialeto::Kovra, 9), std::invalid_argument);
}

TEST(Geracao, AMesmaSementeDaOMesmoTexto) {
    EXPECT_EQ(geraFonte(Dialeto::Jelmo, 2000, 7), geraFonte(Dialeto::Jelmo, 2000, 7));
    EXPECT_NE(geraFonte(Dialeto::Jelmo, 2000, 7), geraFonte(Dialeto::Jelmo, 2000, 8));
}

TEST(Geracao, CabecalhoDeCadaDialeto) {
    EXPECT_TRUE(geraFonte(Dialeto::Dasm6502, 100).starts_with("\tprocessor 6502\nK0\tequ "));
    EXPECT_TRUE(geraFonte(Dialeto::GnuX86, 100).starts_with("\t.text\n\t.equ K0, "));
    EXPECT_TRUE(geraFonte(Dialeto::Kovra, 100).starts_with("; Programa gerado"));
    const std::vector<std::string> linhas = linhasDe(geraFonte(Dialeto::Kovra, 100));
    EXPECT_EQ(linhas[1].substr(0, 8), "K0: EQU ");
    EXPECT_EQ(linhas[6], "\tORG 0"); // 100 lines: five constants after the title
}

TEST(Geracao, MisturaDeLinhasComoUmPrograma) {
    const std::vector<std::string> linhas = linhasDe(geraFonte(Dialeto::Jelmo, 100000));
    size_t rotulos = 0, comentarios = 0, constantes = 0, origens = 0;
    for (const std::string& linha : linhas) {
        rotulos += linha.starts_with('L') && linha.find(':') != std::string::npos;
        comentarios += linha.find(';') != std::string::npos;
        constantes += linha.find(": EQU ") != std::string::npos;
        origens += linha.starts_with("\tORG 0");
    }
    EXPECT_EQ(constantes, 300u);
    EXPECT_GT(rotulos, 100000u / 10);
    EXPECT_LT(rotulos, 100000u / 7);
    EXPECT_GT(comentarios, 100000u * 30 / 100);
    EXPECT_LT(comentarios, 100000u * 36 / 100);
    EXPECT_GE(origens, 2u); // Jelmo's 64 KB are outgrown
}

TEST(Geracao, UsaTodasAsFormasDeOperandoDoJelmo) {
    const std::string texto = geraFonte(Dialeto::Jelmo, 5000);
    for (const char* forma : {" R1,", "(R2)+", "-(R3)", "(R4)", "((R5)+)", "(-(R0))", "(R7)", " #",
                              "(K", "SOB R", "JSR R7, ", "CCC ", "DAB [", "DAW "})
        EXPECT_NE(texto.find(forma), std::string::npos) << forma;
}

class FonteDaMaquina : public testing::TestWithParam<std::pair<Dialeto, Maquina>> {};

TEST_P(FonteDaMaquina, MontaSemNenhumaMensagem) {
    const auto [dialeto, maquina] = GetParam();
    for (uint32_t semente : {1u, 2u, 3u}) {
        const auto m = teste::monta(maquina, linhasDe(geraFonte(dialeto, 30000, semente)));
        EXPECT_EQ(teste::linhasMensagens(*m), std::vector<std::string>{}) << "semente " << semente;
        EXPECT_EQ(m->tabSimbolos.entradas().size(), 1000u); // the table is full: every use resolves
    }
}

INSTANTIATE_TEST_SUITE_P(Maquinas, FonteDaMaquina,
                         testing::Values(std::pair{Dialeto::Zibel, Maquina::Zibel},
                                         std::pair{Dialeto::Kovra, Maquina::Kovra},
                                         std::pair{Dialeto::Quirla, Maquina::Quirla},
                                         std::pair{Dialeto::Jelmo, Maquina::Jelmo}));

TEST(Geracao, PequenasFontesMontamSemMensagens) {
    for (auto [dialeto, maquina] :
         {std::pair{Dialeto::Zibel, Maquina::Zibel}, std::pair{Dialeto::Kovra, Maquina::Kovra},
          std::pair{Dialeto::Quirla, Maquina::Quirla}, std::pair{Dialeto::Jelmo, Maquina::Jelmo}})
        for (uint32_t semente = 1; semente <= 20; ++semente) {
            const auto m = teste::monta(maquina, linhasDe(geraFonte(dialeto, 50, semente)));
            EXPECT_EQ(m->contErros(), 0) << geracao::extensao(dialeto) << " " << semente;
            EXPECT_TRUE(m->mensagens().empty());
        }
}

// The Kovra benchmark source, assembled: the exact image and listing, so that no change to
// the engine's fast paths can alter a byte unnoticed.
TEST(Geracao, FonteKovraDaSempreAMesmaImagemEListagem) {
    const auto m = teste::monta(Maquina::Kovra, linhasDe(geraFonte(Dialeto::Kovra, 20000)));
    EXPECT_EQ(resumo(conteudoArquivoMem(Maquina::Kovra, m->memoria)), 8455951310498182827ull);
    EXPECT_EQ(resumo(conteudoTabSimb(m->tabSimbolos)), 7707597219304138852ull);
}

// The peers' sources must assemble as cleanly as the machines', or the comparison would time
// error reports. The GNU assembler comes with the compiler; dasm only where it is installed.
int montaComPar(const std::string& comando, const std::filesystem::path& diretorio) {
    const std::string completo = "cd '" + diretorio.string() + "' && " + comando + " >saida 2>&1";
    return std::system(completo.c_str());
}

TEST(Geracao, FonteDoAssemblerGnuMontaSemMensagens) {
    teste::DiretorioTemporario dir;
    teste::escreveArquivo(dir / "fonte.s", geraFonte(Dialeto::GnuX86, 20000));
    EXPECT_EQ(montaComPar("as -o fonte.o fonte.s", dir.caminho()), 0);
    EXPECT_EQ(teste::leArquivo(dir / "saida"), "");
}

TEST(Geracao, FonteDoDasmMontaSemErros) {
    if (std::system("command -v dasm >/dev/null 2>&1") != 0) GTEST_SKIP() << "dasm not installed";
    teste::DiretorioTemporario dir;
    teste::escreveArquivo(dir / "fonte.asm", geraFonte(Dialeto::Dasm6502, 20000));
    EXPECT_EQ(montaComPar("dasm fonte.asm -ofonte.bin -f2 -v0", dir.caminho()), 0);
    const std::string saida = teste::leArquivo(dir / "saida");
    EXPECT_EQ(saida.find("error"), std::string::npos) << saida;
    EXPECT_EQ(saida.find("arning"), std::string::npos) << saida;
}

// Every ORG reset comes before the Kovra program outgrows its 256 bytes, in both passes.
TEST(Geracao, OrgMantemAKovraNaMemoria) {
    Montador m;
    Rastreio rastreio;
    m.rastreio = &rastreio;
    const std::vector<std::string> linhas = linhasDe(geraFonte(Dialeto::Kovra, 20000));
    m.monta(Maquina::Kovra, linhas);
    EXPECT_EQ(rastreio.passagem1, rastreio.passagem2);
    EXPECT_LE(*std::max_element(rastreio.passagem2.begin(), rastreio.passagem2.end()), 256);
    const auto origens = std::count_if(linhas.begin(), linhas.end(), [](const std::string& l) {
        return l.starts_with("\tORG 0");
    });
    EXPECT_GT(origens, 100); // some 20,000 lines of one or two bytes each
}

TEST(Geracao, LoteAlternaAsQuatroMaquinas) {
    teste::DiretorioTemporario dir;
    geracao::geraLote(dir.caminho(), 6, 20);
    for (const char* nome : {"fonte0000.zid", "fonte0001.kod", "fonte0002.qud", "fonte0003.jed",
                             "fonte0004.zid", "fonte0005.kod"}) {
        const std::string texto = teste::leArquivo(dir / nome);
        EXPECT_EQ(contaLinhas(texto), 20u) << nome;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "fonte0006.qud"));
}

} // namespace
} // namespace orvandel
