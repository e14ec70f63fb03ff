// The association of the four extensions: the registry's keys, the desktop's files, and the
// per-user association under a temporary HOME, checked with xdg-utils' own queries.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "apoio.hpp"
#include "associacao.hpp"

namespace orvandel {
namespace {

TEST(AssociacaoRegistro, ChavesDasQuatroExtensoesEmOrdem) {
    const std::string cmd = R"("C:\Programas\orvandel.exe" "%1")";
    const std::vector<RegistroExtensao> esperado = {
        {"kod", {{{".kod", "kod_file"}, {R"(kod_file\shell\open\command)", cmd}}}},
        {"qud", {{{".qud", "qud_file"}, {R"(qud_file\shell\open\command)", cmd}}}},
        {"jed", {{{".jed", "jed_file"}, {R"(jed_file\shell\open\command)", cmd}}}},
        {"zid", {{{".zid", "zid_file"}, {R"(zid_file\shell\open\command)", cmd}}}},
    };
    EXPECT_EQ(planoRegistro(R"(C:\Programas\orvandel.exe)"), esperado);
    const std::vector<RemocaoExtensao> remocao = {
        {"kod", ".kod", "kod_file"},
        {"qud", ".qud", "qud_file"},
        {"jed", ".jed", "jed_file"},
        {"zid", ".zid", "zid_file"},
    };
    EXPECT_EQ(planoRemocaoRegistro(), remocao);
    EXPECT_EQ(falhaRegistroAssociacao("kod"),
              "Execute como Administrador para associar arquivos kod.");
    EXPECT_EQ(falhaRegistroRemocao("zid"),
              "Execute como Administrador para desassociar arquivos zid.");
}

TEST(AssociacaoDesktop, ExecCitaOCaminhoDoPrograma) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"/usr/bin/orvandel", R"("/usr/bin/orvandel" %f)"},
        {"/home/ana/meus programas/orvandel", R"("/home/ana/meus programas/orvandel" %f)"},
        {R"(/opt/a"b/orvandel)", R"("/opt/a\\"b/orvandel" %f)"},
        {"/opt/$HOME/`x`/orvandel", R"("/opt/\\$HOME/\\`x\\`/orvandel" %f)"},
        {R"(/opt/a\b/orvandel)", R"("/opt/a\\\\b/orvandel" %f)"},
        {"/opt/100%/orvandel", R"("/opt/100%%/orvandel" %f)"},
        {"/opt/ação/orvandel", R"("/opt/ação/orvandel" %f)"},
        {"/opt/a\nExec=x/orvandel", ""},
        {"/opt/a\tb/orvandel", ""},
    };
    for (const auto& [programa, exec] : casos) EXPECT_EQ(comandoExec(programa), exec) << programa;
}

TEST(AssociacaoDesktop, PacoteMimeDeUmaExtensao) {
    EXPECT_EQ(pacoteMime({"qud"}),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"text/x-orvandel-quirla\">\n"
              "    <comment>Arquivo fonte para Quirla</comment>\n"
              "    <sub-class-of type=\"text/plain\"/>\n"
              "    <glob pattern=\"*.qud\"/>\n"
              "  </mime-type>\n"
              "</mime-info>\n");
    EXPECT_EQ(nomePacoteMime("jed"), "orvandel-jed.xml");
}

// The package installed system-wide declares the same four types as the per-user association.
TEST(AssociacaoDesktop, PacoteDaInstalacaoIgualAoGerado) {
    const std::vector<std::string> extensoes = extensoesAssociadas();
    EXPECT_EQ(teste::leArquivo(ORVANDEL_INSTALACAO "/orvandel.xml"),
              pacoteMime({extensoes.begin(), extensoes.end()}));
}

struct CasoMimeapps {
    const char* nome;
    std::string antes;
    std::string depois;
};

TEST(AssociacaoDesktop, PadraoEmMimeappsList) {
    const std::string tipo = "text/x-orvandel-kovra";
    const std::vector<CasoMimeapps> poe = {
        {"arquivo vazio", "", "[Default Applications]\ntext/x-orvandel-kovra=orvandel.desktop;\n"},
        {"outro grupo", "[Added Associations]\na/b=x.desktop;\n",
         "[Added Associations]\na/b=x.desktop;\n\n[Default Applications]\n"
         "text/x-orvandel-kovra=orvandel.desktop;\n"},
        {"grupo com outros", "[Default Applications]\na/b=x.desktop;\n[Outro]\n",
         "[Default "
         "Applications]\ntext/x-orvandel-kovra=orvandel.desktop;\na/b=x.desktop;\n[Outro]\n"},
        {"outro programa", "[Default Applications]\ntext/x-orvandel-kovra = y.desktop;\n",
         "[Default Applications]\ntext/x-orvandel-kovra=orvandel.desktop;\n"},
    };
    for (const auto& c : poe)
        EXPECT_EQ(comPadrao(c.antes, tipo, "orvandel.desktop"), c.depois) << c.nome;
    const std::vector<CasoMimeapps> tira = {
        {"só o nosso",
         "[Default Applications]\na/b=x.desktop;\ntext/x-orvandel-kovra=orvandel.desktop;\n",
         "[Default Applications]\na/b=x.desktop;\n"},
        {"com outro na lista",
         "[Default Applications]\ntext/x-orvandel-kovra=y.desktop;orvandel.desktop;\n",
         "[Default Applications]\ntext/x-orvandel-kovra=y.desktop;\n"},
        {"de outro programa", "[Default Applications]\ntext/x-orvandel-kovra=y.desktop;\n",
         "[Default Applications]\ntext/x-orvandel-kovra=y.desktop;\n"},
        {"em outro grupo", "[Added Associations]\ntext/x-orvandel-kovra=orvandel.desktop;\n",
         "[Added Associations]\ntext/x-orvandel-kovra=orvandel.desktop;\n"},
        {"grupo esvaziado", "[Default Applications]\ntext/x-orvandel-kovra=orvandel.desktop;\n",
         ""},
        {"grupo esvaziado no fim",
         "[A]\na/b=x;\n\n[Default Applications]\ntext/x-orvandel-kovra=orvandel.desktop;\n",
         "[A]\na/b=x;\n"},
        {"grupo esvaziado no meio",
         "[Default Applications]\ntext/x-orvandel-kovra=orvandel.desktop;\n[A]\na/b=x;\n",
         "[A]\na/b=x;\n"},
        {"nome parecido", "[Default Applications]\ntext/x-orvandel-kovra=orvandel.desktop.bak;\n",
         "[Default Applications]\ntext/x-orvandel-kovra=orvandel.desktop.bak;\n"},
    };
    for (const auto& c : tira)
        EXPECT_EQ(semPadrao(c.antes, tipo, "orvandel.desktop"), c.depois) << c.nome;
}

#ifndef _WIN32

// HOME and the XDG variables point into a temporary directory for the test's duration.
class AssociacaoXdg : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::system("command -v xdg-mime >/dev/null && command -v mimetype >/dev/null") != 0)
            GTEST_SKIP() << "xdg-utils e libfile-mimeinfo-perl não estão instalados";
        for (const char* v :
             {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "PATH"}) {
            const char* valor = std::getenv(v);
            antigas_.emplace_back(v, valor ? std::optional<std::string>(valor) : std::nullopt);
        }
        ::setenv("HOME", casa_.caminho().c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("XDG_DATA_DIRS", (casa_ / "sistema").c_str(), 1);
        teste::escreveArquivo(casa_ / "soma.kod", "LDA 10\n");
        teste::escreveArquivo(casa_ / "SOMA.ZID", "LDA 10\n");
    }
    void TearDown() override {
        for (const auto& [v, valor] : antigas_)
            valor ? ::setenv(v.c_str(), valor->c_str(), 1) : ::unsetenv(v.c_str());
    }
    // What xdg-mime answers, its desktop detection off, as a user of this HOME.
    std::string xdgMime(const std::string& pergunta) const {
        const std::string comando = "env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u DISPLAY "
                                    "-u WAYLAND_DISPLAY xdg-mime query " +
                                    pergunta + " 2>/dev/null";
        std::string saida;
        FILE* processo = ::popen(comando.c_str(), "r");
        for (int c; (c = std::fgetc(processo)) != EOF;) saida += static_cast<char>(c);
        ::pclose(processo);
        return saida;
    }
    teste::DiretorioTemporario casa_;
    std::vector<std::pair<std::string, std::optional<std::string>>> antigas_;
};

TEST_F(AssociacaoXdg, AssociaERemoveSoOQueEhSeu) {
    const std::string alheio = "[Default Applications]\ntext/x-c=editor.desktop;\n";
    std::filesystem::create_directories(casa_ / ".config");
    teste::escreveArquivo(casa_ / ".config/mimeapps.list", alheio);
    EXPECT_EQ(associaArquivos("/opt/meu orvandel/orvandel"), std::vector<std::string>{});
    EXPECT_EQ(xdgMime("filetype " + (casa_ / "soma.kod").string()), "text/x-orvandel-kovra\n");
    EXPECT_EQ(xdgMime("filetype " + (casa_ / "SOMA.ZID").string()), "text/x-orvandel-zibel\n");
    EXPECT_EQ(xdgMime("default text/x-orvandel-kovra"), "orvandel.desktop\n");
    EXPECT_EQ(xdgMime("default text/x-orvandel-jelmo"), "orvandel.desktop\n");
    EXPECT_NE(teste::leArquivo(casa_ / ".local/share/applications/orvandel.desktop")
                  .find("\nExec=\"/opt/meu orvandel/orvandel\" %f\n"),
              std::string::npos);
    EXPECT_EQ(associaArquivos("/opt/meu orvandel/orvandel"), std::vector<std::string>{});

    EXPECT_EQ(removeAssociacao(), std::vector<std::string>{});
    EXPECT_NE(xdgMime("filetype " + (casa_ / "soma.kod").string()), "text/x-orvandel-kovra\n");
    EXPECT_EQ(xdgMime("default text/x-orvandel-kovra"), "");
    EXPECT_EQ(teste::leArquivo(casa_ / ".config/mimeapps.list"), alheio);
    EXPECT_EQ(teste::nomesEm(casa_ / ".local/share/applications"), std::vector<std::string>{});
    EXPECT_EQ(teste::nomesEm(casa_ / ".local/share/mime/packages"), std::vector<std::string>{});
    EXPECT_EQ(removeAssociacao(), std::vector<std::string>{});
}

TEST_F(AssociacaoXdg, RemocaoNaoDeixaArquivosDeConfiguracao) {
    EXPECT_EQ(associaArquivos("/usr/bin/orvandel"), std::vector<std::string>{});
    EXPECT_EQ(teste::nomesEm(casa_ / ".config"), std::vector<std::string>{"mimeapps.list"});
    EXPECT_EQ(removeAssociacao(), std::vector<std::string>{});
    EXPECT_EQ(teste::nomesEm(casa_ / ".config"), std::vector<std::string>{});
}

TEST_F(AssociacaoXdg, CadaExtensaoRecusadaTemSuaMensagem) {
    teste::escreveArquivo(casa_ / "dados", "");
    ::setenv("XDG_DATA_HOME", (casa_ / "dados").c_str(), 1);
    const std::string motivo = ": não foi possível criar a pasta " + (casa_ / "dados").string() +
                               "/applications: um componente do caminho não é um diretório";
    const std::vector<std::string> falhas = associaArquivos("/usr/bin/orvandel");
    const std::vector<std::string> esperadas = {"Não foi possível associar arquivos kod" + motivo,
                                                "Não foi possível associar arquivos qud" + motivo,
                                                "Não foi possível associar arquivos jed" + motivo,
                                                "Não foi possível associar arquivos zid" + motivo};
    EXPECT_EQ(falhas, esperadas);
    EXPECT_FALSE(std::filesystem::exists(casa_ / ".config/mimeapps.list"));
}

// Without shared-mime-info no type is known, and no default may name one.
TEST_F(AssociacaoXdg, SemUpdateMimeDatabaseNenhumTipoFicaPadrao) {
    ::setenv("PATH", (casa_ / "vazio").c_str(), 1);
    const std::vector<std::string> falhas = associaArquivos("/usr/bin/orvandel");
    ASSERT_EQ(falhas.size(), 4u);
    EXPECT_EQ(falhas[2], "Não foi possível associar arquivos jed: não foi possível executar "
                         "update-mime-database: arquivo ou diretório inexistente");
    EXPECT_FALSE(std::filesystem::exists(casa_ / ".config/mimeapps.list"));
}

#endif

} // namespace
} // namespace orvandel
