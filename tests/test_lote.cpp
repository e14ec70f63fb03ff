// Batch runs in a temporary directory: logs, images and shown messages, byte for byte.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>

#include "apoio.hpp"
#include "diagnosticos.hpp"
#include "gravacao.hpp"
#include "lote.hpp"

namespace orvandel {
namespace {

namespace fs = std::filesystem;

class MensagensGuardadas : public Mensageiro {
public:
    std::vector<std::string> textos;
    void mostraMensagem(const std::string& texto) override { textos.push_back(texto); }
};

const std::string kInicio = "Inicio do processamento\r\n";
const std::string kFim = "Fim do processamento\r\n";
const std::string kFoo = "Opera\xE7\xE3o n\xE3o identificada: FOO. N\xE3o ser\xE1 gerado c\xF3"
                         "digo para esta linha ";

std::string zeros(size_t quantos) { return std::string(quantos, '\0'); }

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
    // The names among `nomes` in the order the directory listing delivers them.
    std::vector<std::string> naOrdemDaListagem(const std::map<std::string, std::string>& nomes) {
        std::vector<std::string> ordem;
        for (const auto& entrada : fs::directory_iterator(dir.caminho()))
            if (nomes.contains(entrada.path().filename().string()))
                ordem.push_back(entrada.path().filename().string());
        return ordem;
    }
};

TEST_F(Lote, QuatroMaquinasNaOrdemComErrosEAvisos) {
    fonte("SOMA.KOD", "INICIO: LDA X\r\nSHL\r\nHLT\r\nX: 5\r\n");
    fonte("aviso.Kod", "LDA 2\n300\n"); // a warning only: assembled, warning not logged
    fonte("ERRO.KOD", "LDA NADA\n");
    fonte("ERRO.mem", "anterior");
    fonte("dados.qud", "ORG 2\nDB 7\nDW H1234\n");
    fonte("ruim.QUD", "1X: DB 2\nFOO\n");
    fonte("w.jed", "H1234\n70000\n");
    fonte("e.JED", "BAR 1\n");
    for (const char* ignorado : {"nota.txt", "soma.kodx", "kod", "b.kod.bak", "zid"})
        fonte(ignorado, "FOO\n");

    EXPECT_EQ(executa(kTodasMaquinas, false).comErros, 3);
    EXPECT_EQ(mensagens.textos,
              (std::vector<std::string>{
                  "Arquivos Kovra processados: 3\r\nErros: 1 (Detalhes em Log_Kovra.txt)",
                  "Arquivos Quirla processados: 2\r\nErros: 1 (Detalhes em Log_Quirla.txt)",
                  "Arquivos Jelmo processados: 2\r\nErros: 1 (Detalhes em Log_Jelmo.txt)",
                  "Nenhum arquivo Zibel no diret\xC3\xB3rio",
              }));
    EXPECT_EQ(arquivo("Log_Kovra.txt"),
              kInicio + "\r\nArquivo: ERRO.KOD\r\n1 (ERRO) - Operando indefinido: NADA\r\n" + kFim);
    EXPECT_EQ(arquivo("Log_Quirla.txt"),
              kInicio +
                  "\r\nArquivo: ruim.QUD\r\n1 (ERRO) - S\xEDmbolo mal formado: 1X\r\n2 (ERRO) - " +
                  kFoo + "\r\n" + kFim);
    EXPECT_EQ(arquivo("Log_Jelmo.txt"),
              kInicio + "\r\nArquivo: e.JED\r\n1 (ERRO) - Opera\xE7\xE3o n\xE3o identificada: BAR. "
                        "N\xE3o ser\xE1 gerado c\xF3" "digo para esta linha \r\n" + kFim);
    EXPECT_EQ(arquivo("Log_Zibel.txt"), kInicio);

    EXPECT_EQ(arquivo("SOMA.mem"),
              std::string("\x03KVR\x20\x00\x04\x00\xE1\x00\xF0\x00\x05\x00", 14) + zeros(502));
    EXPECT_EQ(arquivo("aviso.mem"), std::string("\x03KVR\x20\x00\x02\x00", 8) + zeros(508));
    EXPECT_EQ(arquivo("dados.mem"),
              std::string("\x03QRL\0\0\0\0\x07\0\x12\0\x34\0", 14) + zeros(502));
    EXPECT_EQ(arquivo("w.mem"), "\x03J16\x12\x34" + zeros(65534));
    EXPECT_EQ(arquivo("ERRO.mem"), "anterior");
    EXPECT_EQ(arquivo("SOMA.KOD"), "INICIO: LDA X\r\nSHL\r\nHLT\r\nX: 5\r\n");
    for (const char* ausente :
         {"ruim.mem", "e.mem", "SOMA.map", "soma.mem", "nota.mem", "b.kod.mem"})
        EXPECT_FALSE(existe(ausente)) << ausente;
}

TEST_F(Lote, VerbosoRegistraOsBonsNaOrdemDaListagem) {
    const std::map<std::string, std::string> blocos = {
        {"a.zid", "Arquivo: a.zid: montagem sem erros\r\n"},
        {"B.ZID", "Arquivo: B.ZID: montagem sem erros\r\n"},
        {".zid", "Arquivo: .zid: montagem sem erros\r\n"},
        {"c.Zid", "\r\nArquivo: c.Zid\r\n1 (ERRO) - " + kFoo + "\r\n"},
        {"d.zid", "\r\nArquivo: d.zid\r\n1 (ERRO) - Operando indefinido: Y\r\n2 (ERRO) - Operando "
                  "indefinido: Y\r\n"},
    };
    fonte("a.zid", "HLT\n");
    fonte("B.ZID", "300\n");
    fonte(".zid", "");
    fonte("c.Zid", "FOO\n");
    fonte("d.zid", "LDA Y\nSTA Y\n");
    std::string esperado = kInicio;
    for (const std::string& nome : naOrdemDaListagem(blocos)) esperado += blocos.at(nome);

    const ResumoLote resumo = processaLote(3, true, mensagens, dir.caminho());
    EXPECT_EQ(resumo.processados, 5);
    EXPECT_EQ(resumo.comErros, 2);
    EXPECT_EQ(arquivo("Log_Zibel.txt"), esperado + kFim);
    EXPECT_EQ(mensagens.textos,
              std::vector<std::string>{
                  "Arquivos Zibel processados: 5\r\nErros: 2 (Detalhes em Log_Zibel.txt)"});
    EXPECT_EQ(arquivo(".mem"), "\x03ZBL" + zeros(512));
    EXPECT_FALSE(existe("Log_Kovra.txt"));
}

TEST_F(Lote, SemErrosNemVerbosoOLogTemDuasLinhas) {
    fonte("a.kod", "HLT\n");
    fonte("b.kod", "NOP\n");
    EXPECT_EQ(processaLote(0, false, mensagens, dir.caminho()).comErros, 0);
    EXPECT_EQ(arquivo("Log_Kovra.txt"), kInicio + kFim);
    EXPECT_EQ(mensagens.textos, std::vector<std::string>{"Arquivos Kovra processados: 2"});
}

TEST_F(Lote, DiretorioSemFontesSubstituiOsLogsAntigos) {
    fonte("nota.txt", "HLT\n");
    fonte("Log_Kovra.txt", "log de antes\r\n");
    const ResumoLote resumo = executa(kTodasMaquinas, true);
    EXPECT_EQ(resumo.processados, 0);
    EXPECT_EQ(mensagens.textos,
              (std::vector<std::string>{"Nenhum arquivo Kovra no diret\xC3\xB3rio",
                                        "Nenhum arquivo Quirla no diret\xC3\xB3rio",
                                        "Nenhum arquivo Jelmo no diret\xC3\xB3rio",
                                        "Nenhum arquivo Zibel no diret\xC3\xB3rio"}));
    for (const char* log : {"Log_Kovra.txt", "Log_Quirla.txt", "Log_Jelmo.txt", "Log_Zibel.txt"})
        EXPECT_EQ(arquivo(log), kInicio) << log;
}

// "{dir}" stands for the temporary directory's path.
std::string comDiretorio(std::string texto, const fs::path& dir) {
    const size_t pos = texto.find("{dir}");
    return pos == std::string::npos ? texto : texto.replace(pos, 5, dir.string());
}

// A failure at a Quirla source: the Kovra batch before it is complete, the Quirla log ends with
// the interruption, and Jelmo and Zibel never run.
struct CasoFalha {
    std::string descricao;
    void (*prepara)(const fs::path& dir);
    std::string falha;  // what(), UTF-8
    std::string fimLog; // the Quirla log after its first line, Windows-1252
};

TEST(LoteInterrompido, FalhaParaOLoteEFechaOLog) {
    const std::vector<CasoFalha> casos = {
        {"fonte que é um diretório", [](const fs::path& d) { fs::create_directory(d / "x.qud"); },
         "N\xC3\xA3o foi poss\xC3\xADvel ler o arquivo {dir}/x.qud: \xC3\xA9 um diret\xC3\xB3rio",
         "\r\nArquivo: x.qud\r\nProcessamento interrompido: N\xE3o foi poss\xEDvel ler o arquivo "
         "{dir}/x.qud: \xE9 um diret\xF3rio\r\n"},
        {"link simbólico pendente",
         [](const fs::path& d) { fs::create_symlink(d / "falta", d / "y.qud"); },
         "N\xC3\xA3o foi poss\xC3\xADvel ler o arquivo {dir}/y.qud: arquivo ou diret\xC3\xB3rio "
         "inexistente",
         "\r\nArquivo: y.qud\r\nProcessamento interrompido: N\xE3o foi poss\xEDvel ler o arquivo "
         "{dir}/y.qud: arquivo ou diret\xF3rio inexistente\r\n"},
        {"fila com nome de fonte", [](const fs::path& d) { ::mkfifo((d / "p.qud").c_str(), 0600); },
         "N\xC3\xA3o foi poss\xC3\xADvel ler o arquivo {dir}/p.qud: n\xC3\xA3o \xC3\xA9 um arquivo "
         "comum",
         "\r\nArquivo: p.qud\r\nProcessamento interrompido: N\xE3o foi poss\xEDvel ler o arquivo "
         "{dir}/p.qud: n\xE3o \xE9 um arquivo comum\r\n"},
        {"imagem que não pode ser gravada",
         [](const fs::path& d) {
             teste::escreveArquivo(d / "ok.qud", "DB 1\n");
             fs::create_directory(d / "ok.mem");
         },
         "N\xC3\xA3o foi poss\xC3\xADvel gravar o arquivo {dir}/ok.mem: \xC3\xA9 um "
         "diret\xC3\xB3rio",
         "\r\nArquivo: ok.qud\r\nProcessamento interrompido: N\xE3o foi poss\xEDvel gravar o "
         "arquivo {dir}/ok.mem: \xE9 um diret\xF3rio\r\n"},
        {"montagem abandonada",
         [](const fs::path& d) { teste::escreveArquivo(d / "g.qud", "FOO\n99999999999\n"); },
         "'99999999999' n\xC3\xA3o \xC3\xA9 um valor inteiro v\xC3\xA1lido",
         "\r\nArquivo: g.qud\r\n1 (ERRO) - " + kFoo +
             "\r\nProcessamento interrompido: '99999999999' n\xE3o \xE9 um valor inteiro "
             "v\xE1lido\r\n"},
    };
    for (const CasoFalha& caso : casos) {
        teste::DiretorioTemporario dir;
        teste::escreveArquivo(dir / "ERRO.KOD", "LDA NADA\n");
        caso.prepara(dir.caminho());
        MensagensGuardadas mensagens;
        std::string falha;
        try {
            executaLote(kTodasMaquinas, false, mensagens, dir.caminho());
        } catch (const std::runtime_error& e) {
            falha = e.what();
        }
        EXPECT_EQ(falha, comDiretorio(caso.falha, dir.caminho())) << caso.descricao;
        EXPECT_EQ(mensagens.textos,
                  std::vector<std::string>{
                      "Arquivos Kovra processados: 1\r\nErros: 1 (Detalhes em Log_Kovra.txt)"})
            << caso.descricao;
        EXPECT_EQ(teste::leArquivo(dir / "Log_Kovra.txt"),
                  kInicio + "\r\nArquivo: ERRO.KOD\r\n1 (ERRO) - Operando indefinido: NADA\r\n" +
                      kFim)
            << caso.descricao;
        EXPECT_EQ(teste::leArquivo(dir / "Log_Quirla.txt"),
                  kInicio + comDiretorio(caso.fimLog, dir.caminho()))
            << caso.descricao;
        EXPECT_FALSE(fs::exists(dir / "Log_Jelmo.txt")) << caso.descricao;
        EXPECT_FALSE(fs::exists(dir / "Log_Zibel.txt")) << caso.descricao;
    }
}

TEST_F(Lote, LogQueNaoPodeSerGravadoEhFalha) {
    fonte("a.kod", "HLT\n");
    fs::create_directory(dir / "Log_Kovra.txt");
    const std::string semLog = "N\xC3\xA3o foi poss\xC3\xADvel gravar o arquivo " +
                               (dir / "Log_Kovra.txt").string() + ": \xC3\xA9 um diret\xC3\xB3rio";
    try {
        executa(kTodasMaquinas, false);
        FAIL() << "o lote terminou sem falha";
    } catch (const FalhaArquivo& e) {
        EXPECT_EQ(e.what(), semLog);
    }
    EXPECT_EQ(arquivo("a.mem").size(), 516u);
    EXPECT_FALSE(existe("Log_Quirla.txt"));

    // Both failures are told when the log of an interrupted batch cannot be written either.
    fs::create_directory(dir / "b.kod");
    try {
        executa(0, false);
        FAIL() << "o lote terminou sem falha";
    } catch (const FalhaArquivo& e) {
        EXPECT_TRUE(
            std::string(e.what()).ends_with("/b.kod: \xC3\xA9 um diret\xC3\xB3rio; " + semLog))
            << e.what();
    }
}

} // namespace
} // namespace orvandel
