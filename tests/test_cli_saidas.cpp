// orvandel-cli's added outputs end to end: listing and exports against golden files, Intel HEX
// read back by objcopy, JSON read back field by field, editor messages, standard input, -o,
// batch summaries, and the failures of the standard streams.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include "apoio.hpp"
#include "cli.hpp"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using teste::executaCli;
using teste::leArquivo;

class CliSaidas : public testing::Test {
  protected:
    teste::DiretorioTemporario dir;
    void fonte(const std::string& nome, const std::string& texto) {
        teste::escreveArquivo(dir / nome, texto);
    }
    void copiaGolden(const std::string& nome) {
        fs::copy_file(fs::path(ORVANDEL_GOLDEN) / "cli" / nome, dir / nome);
    }
    std::string golden(const std::string& nome) {
        return leArquivo(fs::path(ORVANDEL_GOLDEN) / "cli" / nome);
    }
};

TEST_F(CliSaidas, ListagemEExportacoesIguaisAoGolden) {
    struct Caso {
        std::string fonte, argumentos;
        int status;
        std::vector<std::string> saidas;
    };
    const std::vector<Caso> casos = {
        {"soma.zid",
         "--listagem --formato hex --formato LOGISIM --formato=texto",
         0,
         {"soma.lst", "soma.hex", "soma.logisim", "soma.txt"}},
        {"multiplica.jed", "--listagem", 0, {"multiplica.lst"}},
        {"listagem.kod", "--listagem --formato hex", 1, {"listagem.lst"}}, // errors: no export
    };
    for (const Caso& caso : casos) {
        copiaGolden(caso.fonte);
        EXPECT_EQ(executaCli(dir.caminho(), caso.argumentos + " " + caso.fonte).status,
                  caso.status);
        for (const std::string& saida : caso.saidas)
            EXPECT_EQ(leArquivo(dir / saida), golden(saida)) << saida;
    }
    EXPECT_FALSE(fs::exists(dir / "listagem.hex") || fs::exists(dir / "listagem.mem"));
}

TEST_F(CliSaidas, IntelHexLidoPeloObjcopyEBinario) {
    fonte("j.jed", "ORG H1FF0\nDAW 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11\nORG 4\nDB 0\n");
    ASSERT_EQ(executaCli(dir.caminho(), "--formato hex --formato bin j.jed").status, 0);
    const std::string comando = "objcopy -I ihex -O binary '" + (dir / "j.hex").string() + "' '" +
                                (dir / "j.out").string() + "'";
    ASSERT_EQ(std::system(comando.c_str()), 0);
    const std::string faixa = leArquivo(dir / "j.out"); // from address 4 to 1FF0h + 21
    ASSERT_EQ(faixa.size(), 0x1FF0u + 22 - 4);
    EXPECT_EQ(faixa.substr(faixa.size() - 6), std::string("\x00\x09\x00\x0A\x00\x0B", 6));
    const std::string binario = leArquivo(dir / "j.bin");
    ASSERT_EQ(binario.size(), 65536u);
    EXPECT_EQ(binario.substr(4, faixa.size()), faixa);

    fonte("vazio.qud", "; nada\n");
    ASSERT_EQ(executaCli(dir.caminho(), "--formato hex --formato bin vazio.qud").status, 0);
    EXPECT_EQ(leArquivo(dir / "vazio.hex"), ":00000001FF\r\n");
    EXPECT_EQ(leArquivo(dir / "vazio.bin"), std::string(256, '\0'));
}

TEST_F(CliSaidas, JsonLidoDeVolta) {
    fonte("a.kod", "LDA X\nX: DB 1\nFOO\n300\n");
    fonte("b.kod", "HLT\n99999999999\n");
    const auto r = executaCli(dir.caminho(), "--json --mapa dec a.kod b.kod falta.kod");
    EXPECT_EQ(r.status, 2);
    std::vector<nlohmann::json> docs;
    std::istringstream linhas(r.saida);
    for (std::string linha; std::getline(linhas, linha);)
        docs.push_back(nlohmann::json::parse(linha));
    ASSERT_EQ(docs.size(), 3u);
    const nlohmann::json& a = docs[0];
    EXPECT_EQ(a["arquivo"], "a.kod");
    EXPECT_EQ(a["maquina"], "Kovra");
    EXPECT_EQ(a["status"], 1);
    EXPECT_EQ(a["erros"], 1);
    EXPECT_EQ(a["avisos"], 1);
    ASSERT_EQ(a["mensagens"].size(), 2u);
    EXPECT_EQ(a["mensagens"][0]["linha"], 3);
    EXPECT_EQ(a["mensagens"][0]["tipo"], "erro");
    EXPECT_EQ(a["mensagens"][0]["texto"],
              "Operação não identificada: FOO. Não será gerado código para esta linha ");
    EXPECT_EQ(a["mensagens"][1]["tipo"], "aviso");
    EXPECT_EQ(a["gravados"], nlohmann::json::array());
    EXPECT_TRUE(a["abandono"].is_null() && a["falha"].is_null());
    ASSERT_EQ(a["memoria"].size(), 256u);
    EXPECT_EQ(a["memoria"][0], 0x20);
    EXPECT_EQ(a["memoria"][2], 1);
    EXPECT_EQ(
        docs[1]["abandono"],
        nlohmann::json({{"linha", 2}, {"texto", "'99999999999' não é um valor inteiro válido"}}));
    EXPECT_EQ(docs[1]["status"], 2);
    EXPECT_NE(docs[2]["falha"].get<std::string>().find("falta.kod"), std::string::npos);
    EXPECT_EQ(docs[2]["mensagens"], nlohmann::json::array());

    fonte("ok.zid", "HLT\n");
    const auto ok =
        nlohmann::json::parse(executaCli(dir.caminho(), "--json --listagem ok.zid").saida);
    EXPECT_EQ(ok["gravados"], nlohmann::json({"ok.mem", "ok.map", "ok.lst"}));
    EXPECT_EQ(ok["status"], 0);
}

TEST_F(CliSaidas, MensagensParaEditores) {
    fonte("p.qud", "LDR Y 10\nJMP #3\n");
    const auto r = executaCli(dir.caminho(), "--gnu p.qud");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        r.saida,
        "p.qud:1: erro: Registrador Inválido: Y\n"
        "p.qud:2: aviso: O modo de endereçamento imediato é ilegal para instruções de desvio\n");
}

TEST_F(CliSaidas, EntradaPadraoENomeDaSaida) {
    fonte("prog.txt", "LDA 5\nHLT\nFOO\n");
    const auto checa = executaCli(dir.caminho(), "-mK --gnu - < prog.txt");
    EXPECT_EQ(checa.status, 1);
    EXPECT_EQ(
        checa.saida,
        "-:3: erro: Operação não identificada: FOO. Não será gerado código para esta linha \n");
    EXPECT_EQ(teste::nomesEm(dir.caminho()),
              std::vector<std::string>{"prog.txt"}); // nothing written

    fonte("ok.txt", "LDA 5\nHLT\n");
    fs::create_directory(dir / "saida");
    const auto grava =
        executaCli(dir.caminho(), "-m kovra -o saida/prog --listagem --formato bin - < ok.txt");
    EXPECT_EQ(grava.status, 0);
    EXPECT_EQ(grava.erros, "");
    EXPECT_EQ(teste::nomesEm(dir / "saida"),
              (std::vector<std::string>{"prog.bin", "prog.lst", "prog.map", "prog.mem"}));
    EXPECT_EQ(leArquivo(dir / "saida" / "prog.mem").substr(0, 8),
              std::string("\x03KVR\x20\x00\x05\x00", 8));
    EXPECT_NE(leArquivo(dir / "saida" / "prog.lst").find("Listagem de (entrada padr\xE3o) (Kovra)"),
              std::string::npos);

    EXPECT_EQ(executaCli(dir.caminho(), "-o x.img ok.txt -m K").status, 0);
    EXPECT_TRUE(fs::exists(dir / "x.img") && fs::exists(dir / "x.map"));
    const auto colisao = executaCli(dir.caminho(), "-m K -o x.txt --formato texto ok.txt");
    EXPECT_EQ(colisao.status, 2);
    EXPECT_NE(colisao.erros.find("x.txt serviria a duas saídas"), std::string::npos);
    fonte("s.hex", "HLT\n");
    EXPECT_EQ(executaCli(dir.caminho(), "-m Z --formato hex s.hex").status,
              2); // never over the source
    EXPECT_EQ(leArquivo(dir / "s.hex"), "HLT\n");
}

TEST_F(CliSaidas, FormasDasOpcoesEErrosDeUso) {
    fonte("a.asm", "HLT\n");
    struct Caso {
        std::string argumentos;
        int status;
        std::string erros;
    };
    const std::vector<Caso> casos = {
        {"--mapa=HEX -mZ a.asm", 0, ""},
        {"--mapa Dec -m=Z a.asm", 2,
         "orvandel-cli: máquina desconhecida: =Z (veja orvandel-cli --help)\n"},
        {"a.asm", 0, "orvandel-cli: a.asm: máquina Jelmo (pela extensão)\n"},
        {"-m J a.asm", 0, ""},
        {"--json --gnu -mZ a.asm", 2,
         "orvandel-cli: as opções --json e --gnu não podem ser usadas juntas (veja orvandel-cli --help)\n"},
        {"-o x -mZ a.asm a.asm", 2,
         "orvandel-cli: a opção -o vale para um único arquivo fonte (veja orvandel-cli --help)\n"},
        {"- < a.asm", 2,
         "orvandel-cli: a entrada padrão (-) exige -m (veja orvandel-cli --help)\n"},
        {"-mZ --listagem - < a.asm", 2,
         "orvandel-cli: a entrada padrão (-) só grava arquivos com -o (veja orvandel-cli --help)\n"},
        {"-mZ --formato elf a.asm", 2,
         "orvandel-cli: --formato aceita mem, hex, bin, logisim ou texto, não elf (veja orvandel-cli --help)\n"},
        {"--listagem=sim -mZ a.asm", 2,
         "orvandel-cli: a opção --listagem não aceita valor (veja orvandel-cli --help)\n"},
        {"--resumo r.csv a.asm", 2,
         "orvandel-cli: a opção --resumo só vale com -b (veja orvandel-cli --help)\n"},
        {"-b --resumo r.txt", 2,
         "orvandel-cli: o resumo é gravado em .csv ou .json, não em r.txt (veja orvandel-cli --help)\n"},
    };
    for (const Caso& caso : casos) {
        const auto r = executaCli(dir.caminho(), caso.argumentos);
        EXPECT_EQ(r.status, caso.status) << caso.argumentos;
        EXPECT_EQ(r.erros, caso.erros) << caso.argumentos;
    }
    EXPECT_NE(executaCli(dir.caminho(), "--mapa=hex -mZ a.asm").saida.find("\n0 F0\n1 0\n"),
              std::string::npos);
}

TEST_F(CliSaidas, ResumoDoLote) {
    fonte("bom.kod", "HLT\n300\n");
    fonte("ruim.kod", "LDA NADA\n");
    fonte("x,y.zid", "HLT\n");
    EXPECT_EQ(executaCli(dir.caminho(), "-b --resumo r.csv").status, 1);
    const std::string csv = leArquivo(dir / "r.csv");
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF"
                                "arquivo,maquina,erros,avisos,imagem,falha\r\n"));
    EXPECT_NE(csv.find("\r\nbom.kod,Kovra,0,1,sim,\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\nruim.kod,Kovra,1,0,não,\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\n\"x,y.zid\",Zibel,0,0,sim,\r\n"), std::string::npos);
    EXPECT_EQ(leArquivo(dir / "Log_Kovra.txt"),
              "Inicio do processamento\r\n\r\nArquivo: ruim.kod\r\n"
              "1 (ERRO) - Operando indefinido: NADA\r\nFim do processamento\r\n");

    fonte("g.qud", "HLT\n99999999999\n");
    const auto r = executaCli(dir.caminho(), "-b Q --resumo=r.json");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.erros, "orvandel-cli: g.qud:2: '99999999999' não é um valor inteiro válido\n");
    const auto json = nlohmann::json::parse(leArquivo(dir / "r.json"));
    ASSERT_EQ(json["arquivos"].size(), 1u);
    EXPECT_EQ(json["arquivos"][0]["arquivo"], "g.qud");
    EXPECT_EQ(json["arquivos"][0]["imagem"], false);
    EXPECT_EQ(json["arquivos"][0]["abandono"]["linha"], 2);
}

TEST_F(CliSaidas, SaidaPadraoCheiaOuFechada) {
    fonte("a.zid", "HLT\n");
    for (const std::string redirecao : {">/dev/full", ">&-"}) {
        const std::string comando = "cd '" + dir.caminho().string() +
                                    "' && '" ORVANDEL_CLI "' a.zid " + redirecao + " 2>.erros";
        const int bruto = std::system(comando.c_str());
        EXPECT_TRUE(WIFEXITED(bruto) && WEXITSTATUS(bruto) == 2) << redirecao;
        EXPECT_TRUE(leArquivo(dir / ".erros").starts_with("orvandel-cli: ")) << redirecao;
    }
    EXPECT_NE(leArquivo(dir / ".erros").find("fechada"), std::string::npos);
    EXPECT_EQ(leArquivo(dir / "a.mem").size(), 516u);
}

TEST_F(CliSaidas, CaracteresDeControleSoNoTerminalFicamVisiveis) {
    fonte("c.zid", "\x1B[2J\x7F\n");
    const auto arquivo = executaCli(dir.caminho(), "c.zid");
    EXPECT_EQ(
        arquivo.saida,
        "1 (ERRO) - Operação não identificada: \x1B[2J\x7F. Não será gerado código para esta linha \n");
    // script(1) gives the program a terminal and copies what it wrote.
    const std::string comando = "cd '" + dir.caminho().string() +
                                "' && script -qec \"'" ORVANDEL_CLI
                                "' c.zid\" /dev/null > .terminal";
    std::system(comando.c_str());
    EXPECT_NE(leArquivo(dir / ".terminal").find("identificada: ^[[2J^?. N"), std::string::npos);
}

} // namespace
} // namespace orvandel
