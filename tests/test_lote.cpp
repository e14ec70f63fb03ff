// Batch runs in a temporary directory: logs, images and shown messages, byte for byte.
#include <gtest/gtest.h>

#include <map>

#include "apoio.hpp"
#include "diagnosticos.hpp"
#include "gravacao.hpp"
#include "lote.hpp"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using Textos = std::vector<std::string>;

class MensagensGuardadas : public Mensageiro {
  public:
    Textos textos;
    void mostraMensagem(const std::string& texto) override { textos.push_back(texto); }
};

const std::string kInicio = "Inicio do processamento\r\n";
const std::string kFim = "Fim do processamento\r\n";
const std::string kFoo = "Opera\xE7\xE3o n\xE3o identificada: FOO. N\xE3o ser\xE1 gerado c\xF3"
                         "digo para esta linha ";
const std::string kLogKovraComErro =
    kInicio + "\r\nArquivo: ERRO.KOD\r\n1 (ERRO) - Operando indefinido: NADA\r\n" + kFim;

std::string zeros(size_t quantos) {
    return std::string(quantos, '\0');
}

class Lote : public testing::Test {
  protected:
    teste::DiretorioTemporario dir;
    MensagensGuardadas mensagens;

    void fonte(const std::string& nome, const std::string& texto) {
        teste::escreveArquivo(dir / nome, texto);
    }
    std::string arquivo(const std::string& nome) { return teste::leArquivo(dir / nome); }
    bool existe(const std::string& nome) { return fs::exists(fs::symlink_status(dir / nome)); }
    ResumoLote executa(int maquinaAlvo, bool verboso) {
        return executaLote(maquinaAlvo, verboso, mensagens, dir.caminho());
    }
};

// The text of the failure that stops a batch; "" when it ran to the end.
std::string falhaDe(const fs::path& dir, int maquinaAlvo, Mensageiro& mensageiro) {
    try {
        executaLote(maquinaAlvo, false, mensageiro, dir);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST_F(Lote, QuatroMaquinasNaOrdemComErrosEAvisos) {
    fonte("SOMA.KOD", "INICIO: LDA X\r\nSHL\r\nHLT\r\nX: 5\r\n");
    fonte("aviso.Kod", "LDA 2\n300\n"); // a warning only: assembled, warning not logged
    fonte("ERRO.KOD", "LDA NADA\n");
    fonte("ERRO.mem", "anterior");
    fonte("dados.qud", "ORG 2\nDB 7\nDW H1234\n");
    fonte("ruim.QUD", "1X: DB 2\nFOO\n");
    fonte("w.jed", "H1234\n70000\n");
    fonte("e.JED", "BAR 1\n");
    fonte("a.zid", "HLT\n");
    for (const char* ignorado : {"nota.txt", "soma.kodx", "kod", "b.kod.bak"}) fonte(ignorado, "");

    EXPECT_EQ(executa(kTodasMaquinas, false).comErros, 3);
    EXPECT_EQ(mensagens.textos,
              (Textos{"Arquivos Kovra processados: 3\r\nErros: 1 (Detalhes em Log_Kovra.txt)",
                      "Arquivos Quirla processados: 2\r\nErros: 1 (Detalhes em Log_Quirla.txt)",
                      "Arquivos Jelmo processados: 2\r\nErros: 1 (Detalhes em Log_Jelmo.txt)",
                      "Arquivos Zibel processados: 1"}));
    EXPECT_EQ(arquivo("Log_Kovra.txt"), kLogKovraComErro);
    EXPECT_EQ(arquivo("Log_Quirla.txt"),
              kInicio + "\r\nArquivo: ruim.QUD\r\n1 (ERRO) - S\xEDmbolo mal formado: 1X\r\n" +
                  "2 (ERRO) - " + kFoo + "\r\n" + kFim);
    EXPECT_EQ(arquivo("Log_Jelmo.txt"),
              kInicio +
                  "\r\nArquivo: e.JED\r\n1 (ERRO) - Opera\xE7\xE3o n\xE3o identificada: BAR. "
                  "N\xE3o ser\xE1 gerado c\xF3"
                  "digo para esta linha \r\n" +
                  kFim);
    EXPECT_EQ(arquivo("Log_Zibel.txt"), kInicio + kFim); // no errors, not verbose

    EXPECT_EQ(arquivo("SOMA.mem"),
              std::string("\x03KVR\x20\x00\x04\x00\xE1\x00\xF0\x00\x05\x00", 14) + zeros(502));
    EXPECT_EQ(arquivo("aviso.mem"), std::string("\x03KVR\x20\x00\x02\x00", 8) + zeros(508));
    EXPECT_EQ(arquivo("dados.mem"),
              std::string("\x03QRL\0\0\0\0\x07\0\x12\0\x34\0", 14) + zeros(502));
    EXPECT_EQ(arquivo("w.mem"), "\x03J16\x12\x34" + zeros(65534));
    EXPECT_EQ(arquivo("ERRO.mem"), "anterior");
    EXPECT_EQ(arquivo("SOMA.KOD"), "INICIO: LDA X\r\nSHL\r\nHLT\r\nX: 5\r\n");
    for (const char* ausente : {"ruim.mem", "e.mem", "SOMA.map", "nota.mem", "b.kod.mem"})
        EXPECT_FALSE(existe(ausente)) << ausente;
}

TEST_F(Lote, VerbosoRegistraOsBonsEmOrdemDeNome) {
    const std::map<std::string, std::string> blocos = {
        {"a.zid", "Arquivo: a.zid: montagem sem erros\r\n"},
        {"B.ZID", "Arquivo: B.ZID: montagem sem erros\r\n"},
        {".zid", "Arquivo: .zid: montagem sem erros\r\n"},
        {"c.Zid", "\r\nArquivo: c.Zid\r\n1 (ERRO) - " + kFoo + "\r\n"},
        {"d.zid", "\r\nArquivo: d.zid\r\n1 (ERRO) - Operando indefinido: Y\r\n"
                  "2 (ERRO) - Operando indefinido: Y\r\n"},
    };
    for (const auto& [nome, texto] : {std::pair{"a.zid", "HLT\n"},
                                      {"B.ZID", "300\n"},
                                      {".zid", ""},
                                      {"c.Zid", "FOO\n"},
                                      {"d.zid", "LDA Y\nSTA Y\n"}})
        fonte(nome, texto);
    std::string esperado = kInicio; // name order, letter case aside, whatever the disk's order
    for (const char* nome : {".zid", "a.zid", "B.ZID", "c.Zid", "d.zid"})
        esperado += blocos.at(nome);

    EXPECT_EQ(processaLote(3, true, mensagens, dir.caminho()).comErros, 2);
    EXPECT_EQ(arquivo("Log_Zibel.txt"), esperado + kFim);
    EXPECT_EQ(mensagens.textos,
              Textos{"Arquivos Zibel processados: 5\r\nErros: 2 (Detalhes em Log_Zibel.txt)"});
    EXPECT_EQ(arquivo(".mem"), "\x03ZBL" + zeros(512));
    EXPECT_FALSE(existe("Log_Kovra.txt"));
}

TEST_F(Lote, DiretorioSemFontesSubstituiOsLogsAntigos) {
    fonte("nota.txt", "HLT\n");
    fonte("Log_Kovra.txt", "log de antes\r\n");
    EXPECT_EQ(executa(kTodasMaquinas, true).processados, 0);
    EXPECT_EQ(mensagens.textos, (Textos{"Nenhum arquivo Kovra no diret\xC3\xB3rio",
                                        "Nenhum arquivo Quirla no diret\xC3\xB3rio",
                                        "Nenhum arquivo Jelmo no diret\xC3\xB3rio",
                                        "Nenhum arquivo Zibel no diret\xC3\xB3rio"}));
    for (const char* log : {"Log_Kovra.txt", "Log_Quirla.txt", "Log_Jelmo.txt", "Log_Zibel.txt"})
        EXPECT_EQ(arquivo(log), kInicio) << log;
}

// A failure at a Quirla source: the Kovra batch before it is complete, the Quirla log ends with
// the failed file's block and the interruption, and Jelmo and Zibel never run.
struct CasoFalha {
    void (*prepara)(const fs::path& dir);
    std::string fonte; // the source whose block the log ends with
    std::string falha; // "Não foi possível " + falha + " o arquivo " + `arquivo`'s path + ": " +
                       // motivo
    std::string arquivo;
    std::string motivo;
};

TEST(LoteInterrompido, FalhaParaOLoteEFechaOLog) {
    const std::string ehDiretorio = "\xC3\xA9 um diret\xC3\xB3rio";
    const std::vector<CasoFalha> casos = {
        {[](const fs::path& d) { fs::create_directory(d / "x.qud"); }, "x.qud", "ler", "x.qud",
         ehDiretorio},
        {[](const fs::path& d) { fs::create_symlink(d / "falta", d / "y.qud"); }, "y.qud", "ler",
         "y.qud", "arquivo ou diret\xC3\xB3rio inexistente"},
        {[](const fs::path& d) {
             teste::escreveArquivo(d / "ok.qud", "DB 1\n");
             fs::create_directory(d / "ok.mem");
         },
         "ok.qud", "gravar", "ok.mem", ehDiretorio},
    };
    for (const CasoFalha& caso : casos) {
        teste::DiretorioTemporario dir;
        teste::escreveArquivo(dir / "ERRO.KOD", "LDA NADA\n");
        caso.prepara(dir.caminho());
        MensagensGuardadas mensagens;
        EXPECT_EQ(falhaDe(dir.caminho(), kTodasMaquinas, mensagens),
                  "N\xC3\xA3o foi poss\xC3\xADvel " + caso.falha + " o arquivo " +
                      (dir / caso.arquivo).string() + ": " + caso.motivo);
        EXPECT_EQ(mensagens.textos,
                  Textos{"Arquivos Kovra processados: 1\r\nErros: 1 (Detalhes em Log_Kovra.txt)"});
        EXPECT_EQ(teste::leArquivo(dir / "Log_Kovra.txt"), kLogKovraComErro);
        EXPECT_TRUE(teste::leArquivo(dir / "Log_Quirla.txt")
                        .starts_with(kInicio + "\r\nArquivo: " + caso.fonte +
                                     "\r\nProcessamento interrompido: N\xE3o foi poss\xEDvel "))
            << caso.arquivo;
        EXPECT_FALSE(fs::exists(dir / "Log_Jelmo.txt") || fs::exists(dir / "Log_Zibel.txt"));
    }
}

// The run's messages up to the numeral that does not convert make up the failed file's block.
TEST_F(Lote, MontagemAbandonadaFechaOLogComSuasMensagens) {
    fonte("g.qud", "FOO\n99999999999\n");
    EXPECT_EQ(falhaDe(dir.caminho(), 1, mensagens),
              "'99999999999' n\xC3\xA3o \xC3\xA9 um valor inteiro v\xC3\xA1lido");
    EXPECT_EQ(arquivo("Log_Quirla.txt"),
              kInicio + "\r\nArquivo: g.qud\r\n1 (ERRO) - " + kFoo +
                  "\r\nProcessamento interrompido: '99999999999' n\xE3o \xE9 um valor inteiro "
                  "v\xE1lido\r\n");
    EXPECT_TRUE(mensagens.textos.empty());
}

// The images are written, but a log that cannot be written is a failure; in a batch that was
// interrupted anyway both failures are told, as an older log would pass for this run's.
TEST_F(Lote, LogQueNaoPodeSerGravadoEhFalha) {
    fonte("a.kod", "HLT\n");
    fs::create_directory(dir / "Log_Kovra.txt");
    const std::string semLog = "N\xC3\xA3o foi poss\xC3\xADvel gravar o arquivo " +
                               (dir / "Log_Kovra.txt").string() + ": \xC3\xA9 um diret\xC3\xB3rio";
    EXPECT_EQ(falhaDe(dir.caminho(), kTodasMaquinas, mensagens), semLog);
    EXPECT_EQ(arquivo("a.mem").size(), 516u);
    EXPECT_FALSE(existe("Log_Quirla.txt"));
    fs::create_directory(dir / "b.kod");
    EXPECT_TRUE(falhaDe(dir.caminho(), 0, mensagens)
                    .ends_with("/b.kod: \xC3\xA9 um diret\xC3\xB3rio; " + semLog));
}

} // namespace
} // namespace orvandel
