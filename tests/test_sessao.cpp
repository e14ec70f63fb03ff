// The desktop program's session: naming rules, Assemble, close and the command line, with the
// window's dialogs answered by a script.
#include <gtest/gtest.h>

#include <deque>

#include "apoio.hpp"
#include "gravacao.hpp"
#include "sessao.hpp"

namespace orvandel {
namespace {

using Linhas = std::vector<std::string>;
using Resposta = std::optional<std::string>;

class InterfaceRoteirizada : public InterfaceSessao {
  public:
    std::deque<Resposta> respostas; // to the open and save dialogs, in turn
    std::vector<FiltroArquivos> filtros;
    Linhas mostradas;
    bool sim = true;
    int perguntas = 0;
    Linhas editor;

    Resposta escolheArquivoParaAbrir(const FiltroArquivos& f) override { return responde(f); }
    Resposta escolheArquivoParaSalvar(const FiltroArquivos& f) override { return responde(f); }
    void mostraMensagem(const std::string& texto) override { mostradas.push_back(texto); }
    bool pergunta(std::string_view texto) override {
        EXPECT_EQ(texto, kPerguntaModificado);
        ++perguntas;
        return sim;
    }
    Linhas textoDoEditor() override { return editor; }
    void mostraTextoNoEditor(const Linhas& linhas) override { editor = linhas; }

  private:
    Resposta responde(const FiltroArquivos& filtro) {
        filtros.push_back(filtro);
        if (respostas.empty()) return std::nullopt;
        Resposta r = respostas.front();
        respostas.pop_front();
        return r;
    }
};

class SessaoTeste : public testing::Test {
  protected:
    teste::DiretorioTemporario dir;
    InterfaceRoteirizada ui;
    Sessao sessao{ui};

    std::string caminho(const std::string& nome) { return (dir / nome).string(); }
    void arquivo(const std::string& nome, const std::string& bytes) {
        teste::escreveArquivo(dir / nome, bytes);
    }
    std::string conteudo(const std::string& nome) { return teste::leArquivo(dir / nome); }
    void abre(const std::string& nome) {
        ui.respostas.push_back(caminho(nome));
        sessao.abre();
    }
    void salvaComo(const std::string& nome) {
        ui.respostas.push_back(caminho(nome));
        sessao.salvaComo();
    }
};

const FiltroArquivos kFiltroKovra{
    "kod", "Arquivos fonte para Kovra|*.kod|Arquivos de texto|*.txt|Todos os Arquivos|*.*"};
const FiltroArquivos kFiltroZibel{
    "zid", "Arquivos fonte para Zibel|*.zid|Arquivos de texto|*.txt|Todos os Arquivos|*.*"};

TEST_F(SessaoTeste, NomesDeAbrirESalvarComo) {
    const struct {
        bool abrir;
        int seletor;
        std::string escolhido, nomeArquivo, nomeArquivoMem, titulo;
    } casos[] = {
        {true, 1, "notas", "notas.qud", "notas.mem", "notas"},
        {true, 2, "soma.qud", "soma.qud", "soma.mem", "soma.qud"},
        {true, 0, "a.b", "a.b.kod", "a.b.mem", "a.b"},
        {false, 0, "soma", "soma.kod", "soma.mem", "soma.kod"},
        {false, 0, "soma..kod", "soma.kod", "soma.mem", "soma.kod"},
        {false, 1, "prog.txt", "prog.txt", "prog.mem", "prog.txt"},
    };
    for (const auto& caso : casos) {
        arquivo(caso.escolhido, "HLT\r\n");
        sessao.defineSeletor(caso.seletor);
        caso.abrir ? abre(caso.escolhido) : salvaComo(caso.escolhido);
        EXPECT_EQ(sessao.nomeArquivo(), caminho(caso.nomeArquivo)) << caso.escolhido;
        EXPECT_EQ(sessao.nomeArquivoMem(), caminho(caso.nomeArquivoMem)) << caso.escolhido;
        EXPECT_EQ(sessao.titulo(), "Orvandel Assembler - " + caminho(caso.titulo))
            << caso.escolhido;
        EXPECT_EQ(sessao.maquinaAlvo(), caso.abrir ? 2 : caso.seletor) << caso.escolhido;
        EXPECT_EQ(ui.filtros.back(), filtroArquivos(caso.seletor)) << caso.escolhido;
    }
    EXPECT_EQ(conteudo("soma.kod"), "HLT\r\n");
    EXPECT_EQ(filtroArquivos(0), kFiltroKovra);
}

// The next Save of a file opened without extension writes the new name, never the file read.
TEST_F(SessaoTeste, SalvarDaExtensaoDaMaquina) {
    arquivo("notas", "antigo\r\n");
    sessao.defineSeletor(1);
    abre("notas");
    ui.editor = {"novo"};
    sessao.salva();
    EXPECT_EQ(conteudo("notas"), "antigo\r\n");
    EXPECT_EQ(conteudo("notas.qud"), "novo\r\n");

    arquivo("soma.jed", "HLT\r\n");
    sessao.defineSeletor(2);
    abre("soma.jed");
    const std::string titulo = sessao.titulo();
    sessao.defineSeletor(0);
    sessao.salva();
    EXPECT_EQ(sessao.nomeArquivo(), caminho("soma.jed.kod"));
    EXPECT_EQ(sessao.nomeArquivoMem(), caminho("soma.mem"));
    EXPECT_EQ(sessao.titulo(), titulo);
    EXPECT_EQ(sessao.maquinaAlvo(), 0);
    EXPECT_EQ(conteudo("soma.jed.kod"), "HLT\r\n");
}

TEST_F(SessaoTeste, ZibelDaLinhaDeComando) {
    arquivo("soma.ZID", "HLT\r\n");
    EXPECT_EQ(sessao.executaLinhaDeComando(examinaArgumentos({caminho("soma.ZID")})), std::nullopt);
    EXPECT_EQ(sessao.seletor(), 2); // the selector has no Zibel item
    EXPECT_EQ(sessao.maquinaAlvo(), 3);
    EXPECT_EQ(sessao.enderecosMapa(), 65536);
    EXPECT_EQ(sessao.titulo(), "Orvandel Assembler - " + caminho("soma.ZID"));
    EXPECT_EQ(ui.editor, Linhas{"HLT"});

    EXPECT_TRUE(sessao.monta());
    EXPECT_EQ(conteudo("soma.mem").substr(0, 4), "\x03ZBL");
    sessao.defineSeletor(0);
    sessao.salva(); // Zibel keeps its extension
    EXPECT_EQ(sessao.nomeArquivo(), caminho("soma.ZID"));
    ui.respostas.push_back(std::nullopt);
    sessao.salvaComo();
    EXPECT_EQ(ui.filtros.back(), kFiltroZibel);
}

TEST_F(SessaoTeste, MontarAposAvisosEErros) {
    sessao.defineSeletor(0);
    ui.editor = {"LDA 2", "300"};
    salvaComo("prog");
    ASSERT_TRUE(sessao.monta());
    EXPECT_EQ(sessao.mensagens(),
              (Linhas{"2 (WARNING) - Valor 300 (decimal) não é representável em 8 bits",
                      " Código gerado sem erros "}));
    EXPECT_EQ(teste::nomesEm(dir.caminho()), (Linhas{"prog.kod", "prog.map", "prog.mem"}));
    EXPECT_EQ(sessao.montagem().memoria()[0], 0x20);

    EXPECT_EQ(sessao.linhaDaMensagem(0), 1);
    EXPECT_EQ(sessao.linhaDaMensagem(1), std::nullopt); // the success line

    ui.editor = {"LDA NADA"};
    EXPECT_TRUE(sessao.monta());
    EXPECT_EQ(sessao.mensagens(), Linhas{"1 (ERRO) - Operando indefinido: NADA"});
    EXPECT_EQ(sessao.linhaDaMensagem(0), 0);
}

TEST_F(SessaoTeste, MontarSemNomeCanceladoNadaFaz) {
    EXPECT_FALSE(sessao.monta());
    EXPECT_EQ(ui.filtros.size(), 1u);
    EXPECT_TRUE(sessao.mensagens().empty());
    EXPECT_TRUE(teste::nomesEm(dir.caminho()).empty());
}

// An abandoned run and an output that cannot be written show their text and stop the command.
TEST_F(SessaoTeste, FalhasDeMontar) {
    ui.editor = {"LDA 1", "LDA NADA", "DB 99999999999"};
    sessao.defineSeletor(0);
    salvaComo("x.kod");
    EXPECT_FALSE(sessao.monta());
    EXPECT_EQ(ui.mostradas, Linhas{"'99999999999' não é um valor inteiro válido"});
    EXPECT_EQ(sessao.mensagens(), (Linhas{"2 (ERRO) - Operando indefinido: NADA"}));

    ui.editor = {"HLT"};
    std::filesystem::create_directory(dir / "x.mem");
    EXPECT_FALSE(sessao.monta());
    EXPECT_EQ(ui.mostradas.size(), 2u);
    EXPECT_TRUE(sessao.mensagens().empty());

    arquivo("prog.mem", "HLT\r\n"); // a source named like its image is never overwritten
    abre("prog.mem");
    EXPECT_FALSE(sessao.monta());
    EXPECT_EQ(conteudo("prog.mem"), "HLT\r\n");
}

TEST_F(SessaoTeste, FecharPerguntaSoComModificacao) {
    EXPECT_TRUE(sessao.podeFechar());
    EXPECT_EQ(ui.perguntas, 0);

    sessao.defineModificado(true);
    ui.sim = false;
    EXPECT_TRUE(sessao.podeFechar());

    ui.sim = true; // Yes saves (Save As, never named) and keeps the window open
    sessao.defineSeletor(0);
    ui.editor = {"HLT"};
    ui.respostas.push_back(caminho("f"));
    EXPECT_FALSE(sessao.podeFechar());
    EXPECT_EQ(conteudo("f.kod"), "HLT\r\n");
    EXPECT_TRUE(sessao.podeFechar());
    EXPECT_EQ(ui.perguntas, 2);
}

class ArquivosQueFalham : public ArquivosFonte {
  public:
    TextoFonte le(const std::filesystem::path&) override { throw FalhaArquivo("sem leitura"); }
    Codificacao grava(const std::filesystem::path&, const TextoFonte&) override {
        throw FalhaArquivo("disco cheio");
    }
};

TEST_F(SessaoTeste, FalhasDeArquivoDeixamOEstado) {
    ArquivosQueFalham falhos;
    Sessao s(ui, falhos);
    s.defineModificado(true);
    ui.respostas = {caminho("a.jed"), caminho("b")};
    s.abre();
    EXPECT_EQ(s.titulo(), kTituloInicial);
    EXPECT_EQ(s.nomeArquivo(), "");
    EXPECT_TRUE(s.arquivoModificado());
    s.salva(); // Save As: the names are taken, the title and the flag stay
    EXPECT_EQ(s.nomeArquivo(), caminho("b.jed"));
    EXPECT_EQ(s.nomeArquivoMem(), caminho("b.mem"));
    EXPECT_EQ(s.titulo(), kTituloInicial);
    EXPECT_TRUE(s.arquivoModificado());
    EXPECT_EQ(ui.mostradas, (Linhas{"sem leitura", "disco cheio"}));

    Sessao linha(ui, falhos); // an unreadable source on the command line: an empty editor
    ui.editor.clear();
    linha.executaLinhaDeComando(examinaArgumentos({"k.kod"}));
    EXPECT_EQ(linha.nomeArquivo(), "k.kod");
    EXPECT_EQ(linha.maquinaAlvo(), 0);
    EXPECT_EQ(linha.seletor(), 2);
    EXPECT_EQ(linha.nomeArquivoMem(), "");
    EXPECT_EQ(linha.titulo(), kTituloInicial);
    EXPECT_TRUE(ui.editor.empty());
}

// A character beyond Windows-1252 typed into a Windows-1252 file makes it UTF-8 with a mark.
TEST_F(SessaoTeste, CodificacaoSegueOQueSeGrava) {
    arquivo("a.kod", "; \xE9\r\n");
    sessao.defineSeletor(0);
    abre("a.kod");
    EXPECT_EQ(ui.editor, Linhas{"; é"});
    ui.editor = {"; é →"};
    sessao.salva();
    EXPECT_EQ(conteudo("a.kod"), "\xEF\xBB\xBF; é →\r\n");
    EXPECT_EQ(sessao.codificacao(), Codificacao::Utf8);
}

class SessaoLote : public SessaoTeste {
  protected:
    std::optional<int> lote(const Linhas& argumentos) {
        return sessao.executaLinhaDeComando(examinaArgumentos(argumentos), dir.caminho());
    }
};

TEST_F(SessaoLote, MensagensTituloESeletorPorMaquina) {
    arquivo("a.kod", "HLT\r\n");
    arquivo("b.KOD", "LDA NADA\r\n");
    EXPECT_EQ(lote({"-b", "K"}), 1);
    EXPECT_EQ(ui.mostradas,
              Linhas{"Arquivos Kovra processados: 2\r\nErros: 1 (Detalhes em Log_Kovra.txt)"});
    EXPECT_EQ(sessao.titulo(), "Orvandel Assembler - Batch Processing");
    EXPECT_EQ(sessao.seletor(), 0);

    ui.mostradas.clear();
    std::filesystem::remove(dir / "b.KOD");
    EXPECT_EQ(lote({"-b"}), 0);
    EXPECT_EQ(ui.mostradas,
              (Linhas{"Arquivos Kovra processados: 1", "Nenhum arquivo Quirla no diretório",
                      "Nenhum arquivo Jelmo no diretório", "Nenhum arquivo Zibel no diretório"}));
    EXPECT_EQ(sessao.titulo(), "Orvandel Assembler - Multi Batch Processing");
    EXPECT_EQ(sessao.seletor(), 2); // Zibel, last, shows Jelmo
}

TEST_F(SessaoLote, FalhaParaOLoteEContinua) {
    std::filesystem::create_directory(dir / "x.qud");
    EXPECT_EQ(lote({"-b"}), std::nullopt);
    ASSERT_EQ(ui.mostradas.size(), 2u);
    EXPECT_EQ(ui.mostradas[0], "Nenhum arquivo Kovra no diretório");
    EXPECT_TRUE(ui.mostradas[1].starts_with("Não foi possível ler o arquivo ")) << ui.mostradas[1];
}

} // namespace
} // namespace orvandel
