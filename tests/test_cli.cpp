// orvandel-cli end to end: the real binary in a temporary directory.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include "apoio.hpp"
#include "cli.hpp"

namespace orvandel {
namespace {

using teste::executaCli;
using teste::leArquivo;

class Cli : public testing::Test {
  protected:
    teste::DiretorioTemporario dir;
    void fonte(const std::string& nome, const std::string& texto) {
        teste::escreveArquivo(dir / nome, texto);
    }
    bool existe(const std::string& nome) { return std::filesystem::exists(dir / nome); }
};

TEST_F(Cli, MontagemSemErrosGravaImagemEListagem) {
    fonte("soma.zid", "INICIO: LDA X\r\nHLT\r\nX: 5 ; dado\r\n");
    const auto r = executaCli(dir.caminho(), "soma.zid");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.saida, " Código gerado sem erros \n");
    EXPECT_EQ(r.erros, "");
    const std::string imagem = leArquivo(dir / "soma.mem");
    ASSERT_EQ(imagem.size(), 516u);
    EXPECT_EQ(imagem.substr(0, 12), std::string("\x03ZBL\x20\x00\x03\x00\xF0\x00\x05\x00", 12));
    EXPECT_EQ(leArquivo(dir / "soma.map"), "S\xEDmbolo     Valor Decimal   Valor Hexadecimal\r\n"
                                           "-------     -------------   -----------------\r\n"
                                           "INICIO                  0                   0\r\n"
                                           "X                       3                   3\r\n");
}

TEST_F(Cli, ErrosNaoGravamNadaEDeixamAImagemAnterior) {
    fonte("p.kod", "LDA NADA\n");
    teste::escreveArquivo(dir / "p.mem", "anterior");
    const auto r = executaCli(dir.caminho(), "p.kod");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.saida, "1 (ERRO) - Operando indefinido: NADA\n");
    EXPECT_EQ(leArquivo(dir / "p.mem"), "anterior");
    EXPECT_FALSE(existe("p.map"));
}

TEST_F(Cli, MaquinaPelaOpcaoOuPelaExtensao) {
    fonte("a.txt", "SHL\n");
    EXPECT_EQ(executaCli(dir.caminho(), "-m kovra a.txt").status, 0);
    EXPECT_EQ(leArquivo(dir / "a.mem").substr(0, 5), "\x03KVR\xE1");
    EXPECT_EQ(executaCli(dir.caminho(), "-m Q a.txt").status, 1); // SHL is no Quirla mnemonic
    fonte("b.ZID", "SHL\n");
    const auto r = executaCli(dir.caminho(), "b.ZID");
    EXPECT_EQ(
        r.saida,
        "1 (ERRO) - Operação não identificada: SHL. Não será gerado código para esta linha \n");
}

TEST_F(Cli, VariosArquivosCadaUmEmSuaMontagem) {
    fonte("a.zid", "HLT\n");
    fonte("b.zid", "FOO\n");
    const auto r = executaCli(dir.caminho(), "a.zid b.zid");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        r.saida,
        "Arquivo: a.zid\n Código gerado sem erros \n"
        "Arquivo: b.zid\n1 (ERRO) - Operação não identificada: FOO. Não será gerado código para esta linha \n");
}

TEST_F(Cli, MapaHexadecimalEDecimal) {
    fonte("m.zid", "ORG 10\nDB 255\nFOO\n");
    const auto hex = executaCli(dir.caminho(), "--mapa hex m.zid");
    EXPECT_EQ(hex.status, 1);
    const std::string inicio =
        "3 (ERRO) - Operação não identificada: FOO. Não será gerado código para esta linha \n0 0\n";
    EXPECT_EQ(hex.saida.substr(0, inicio.size()), inicio);
    EXPECT_NE(hex.saida.find("\nA FF\nB 0\n"), std::string::npos);
    EXPECT_TRUE(hex.saida.ends_with("\nFF 0\n"));
    const auto dec = executaCli(dir.caminho(), "--mapa dec m.zid");
    EXPECT_NE(dec.saida.find("\n10 255\n"), std::string::npos);
    EXPECT_TRUE(dec.saida.ends_with("\n255 0\n"));

    fonte("j.jed", "H1234\n");
    const auto jelmo = executaCli(dir.caminho(), "--mapa hex j.jed");
    EXPECT_EQ(jelmo.status, 0);
    EXPECT_EQ(std::count(jelmo.saida.begin(), jelmo.saida.end(), '\n'), 65536 + 1);
    EXPECT_NE(jelmo.saida.find("\n0 12\n1 34\n"), std::string::npos);
    EXPECT_TRUE(jelmo.saida.ends_with("\nFFFF 0\n"));
    EXPECT_EQ(leArquivo(dir / "j.mem").size(), 65540u);
}

TEST_F(Cli, MontagemAbandonadaNaoGravaNemMostraMapa) {
    fonte("g.zid", "FOO\nLDA 99999999999\n");
    const auto r = executaCli(dir.caminho(), "--mapa hex g.zid");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(
        r.saida,
        "1 (ERRO) - Operação não identificada: FOO. Não será gerado código para esta linha \n");
    EXPECT_EQ(r.erros, "orvandel-cli: g.zid:2: '99999999999' não é um valor inteiro válido\n");
    EXPECT_FALSE(existe("g.mem"));
}

TEST_F(Cli, Falhas) {
    const auto semArquivo = executaCli(dir.caminho(), "falta.zid");
    EXPECT_EQ(semArquivo.status, 2);
    EXPECT_NE(semArquivo.erros.find("falta.zid: arquivo ou diretório inexistente"),
              std::string::npos);

    std::filesystem::create_directory(dir / "pasta.zid");
    EXPECT_EQ(executaCli(dir.caminho(), "pasta.zid").status, 2);

    fonte("ok.zid", "HLT\n");
    std::filesystem::create_directory(dir / "ok.mem");
    const auto semGravar = executaCli(dir.caminho(), "ok.zid");
    EXPECT_EQ(semGravar.status, 2);
    EXPECT_EQ(semGravar.saida, "");
    EXPECT_NE(semGravar.erros.find("Não foi possível gravar o arquivo ok.mem"), std::string::npos);

    fonte("prog.mem", "HLT\n");
    const auto sobreFonte = executaCli(dir.caminho(), "-m Z prog.mem");
    EXPECT_EQ(sobreFonte.status, 2);
    EXPECT_NE(sobreFonte.erros.find("prog.mem"), std::string::npos);
    EXPECT_EQ(leArquivo(dir / "prog.mem"), "HLT\n");

    for (const char* uso : {"", "-m", "-m X a.zid", "--mapa oct a.zid", "--nada a.zid"})
        EXPECT_EQ(executaCli(dir.caminho(), uso).status, 2) << uso;
}

TEST_F(Cli, LimiteDeTamanhoDeArquivoNaoDeixaRastro) {
    fonte("j.jed", "H1234\n");
    teste::escreveArquivo(dir / "j.mem", "anterior");
    const std::string comando = "cd '" + dir.caminho().string() +
                                "' && ulimit -f 16 && '" ORVANDEL_CLI "' j.jed >/dev/null 2>.erros";
    const int bruto = std::system(comando.c_str());
    EXPECT_TRUE(WIFEXITED(bruto) && WEXITSTATUS(bruto) == 2) << bruto;
    EXPECT_NE(leArquivo(dir / ".erros").find("arquivo grande demais"), std::string::npos);
    EXPECT_EQ(leArquivo(dir / "j.mem"), "anterior");
    std::filesystem::remove(dir / ".erros");
    const auto arquivos = std::distance(std::filesystem::directory_iterator(dir.caminho()),
                                        std::filesystem::directory_iterator());
    EXPECT_EQ(arquivos, 2); // the source and the old image: no temporary file left
}

TEST_F(Cli, AjudaEVersao) {
    const auto ajuda = executaCli(dir.caminho(), "--help");
    EXPECT_EQ(ajuda.status, 0);
    EXPECT_NE(ajuda.saida.find("Uso: orvandel-cli"), std::string::npos);
    const auto versao = executaCli(dir.caminho(), "--version");
    EXPECT_EQ(versao.status, 0);
    EXPECT_TRUE(versao.saida.starts_with("orvandel-cli "));
}

TEST_F(Cli, EntradaHostilDaResultadoNormal) {
    fonte("nul.zid", std::string(4096, '\0'));
    const auto nulos = executaCli(dir.caminho(), "nul.zid");
    EXPECT_EQ(nulos.status, 1); // one line whose operation is 1000 NUL characters
    EXPECT_TRUE(nulos.saida.starts_with("1 (ERRO) - Operação não identificada: "));
    std::string binario;
    for (int i = 0; i < 100000; ++i) binario += static_cast<char>((i * 7919) % 256);
    fonte("bin.zid", binario);
    EXPECT_LE(executaCli(dir.caminho(), "bin.zid").status, 1);
    fonte("longa.zid", "NOP " + std::string(1000000, 'A') + "\n");
    EXPECT_EQ(executaCli(dir.caminho(), "longa.zid").status, 1); // too many operands for NOP
    fonte("utf8.zid", "\xEF\xBB\xBFLDA \xFF\xFE\n");
    const auto invalido = executaCli(dir.caminho(), "utf8.zid");
    EXPECT_EQ(invalido.saida, "1 (ERRO) - Operando indefinido: ??\n");
    std::string milhao;
    for (int i = 0; i < 1000000; ++i) milhao += "NOP\n";
    fonte("milhao.zid", milhao);
    const auto grande = executaCli(dir.caminho(), "milhao.zid");
    EXPECT_EQ(grande.status, 1);
    EXPECT_TRUE(
        grande.saida.starts_with("257 (ERRO) - Excedido limite de memória (endereço 255)\n"));
}

TEST_F(Cli, LoteImprimeOsResumos) {
    fonte("SOMA.KOD", "LDA 5\nHLT\n");
    fonte("erro.kod", "LDA NADA\n");
    fonte("a.zid", "HLT\n");
    const auto k = executaCli(dir.caminho(), "-b K");
    EXPECT_EQ(k.status, 1);
    EXPECT_EQ(k.saida, "Arquivos Kovra processados: 2\nErros: 1 (Detalhes em Log_Kovra.txt)\n");
    EXPECT_EQ(k.erros, "");
    EXPECT_EQ(leArquivo(dir / "SOMA.mem").substr(0, 10),
              std::string("\x03KVR\x20\x00\x05\x00\xF0\x00", 10));
    EXPECT_FALSE(existe("a.mem"));

    std::filesystem::remove(dir / "erro.kod");
    const auto todas = executaCli(dir.caminho(), "-v -b");
    EXPECT_EQ(todas.status, 0);
    EXPECT_EQ(todas.saida, "Arquivos Kovra processados: 1\nNenhum arquivo Quirla no diretório\n"
                           "Nenhum arquivo Jelmo no diretório\nArquivos Zibel processados: 1\n");
    EXPECT_EQ(
        leArquivo(dir / "Log_Zibel.txt"),
        "Inicio do processamento\r\nArquivo: a.zid: montagem sem erros\r\nFim do processamento\r\n");
}

TEST_F(Cli, LoteInterrompido) {
    std::filesystem::create_directory(dir / "x.kod");
    fonte("a.zid", "HLT\n");
    const auto r = executaCli(dir.caminho(), "-b");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.saida, "");
    EXPECT_EQ(r.erros, "orvandel-cli: Não foi possível ler o arquivo x.kod: é um diretório\n");
    EXPECT_EQ(leArquivo(dir / "Log_Kovra.txt"),
              "Inicio do processamento\r\n\r\nArquivo: x.kod\r\nProcessamento interrompido: "
              "N\xE3o foi poss\xEDvel ler o arquivo x.kod: \xE9 um diret\xF3rio\r\n");
    EXPECT_FALSE(existe("Log_Zibel.txt") || existe("a.mem"));

    fonte("g.zid", "99999999999\n");
    const auto abandono = executaCli(dir.caminho(), "-b Z");
    EXPECT_EQ(abandono.status, 2);
    EXPECT_EQ(abandono.erros,
              "orvandel-cli: g.zid:1: '99999999999' não é um valor inteiro válido\n");
    EXPECT_NE(leArquivo(dir / "Log_Zibel.txt")
                  .find("\r\nProcessamento interrompido: '99999999999' n\xE3o"),
              std::string::npos); // the log keeps the text alone
}

TEST_F(Cli, VerbosoSemLoteEhErroDeUso) {
    fonte("a.zid", "HLT\n");
    for (const char* argumentos : {"-v", "-v a.zid"}) {
        const auto r = executaCli(dir.caminho(), argumentos);
        EXPECT_EQ(r.status, 2) << argumentos;
        EXPECT_EQ(r.erros, "orvandel-cli: a opção -v só vale com -b (veja orvandel-cli --help)\n");
    }
    EXPECT_FALSE(existe("a.mem") || existe("Log_Zibel.txt"));
}

} // namespace
} // namespace orvandel
