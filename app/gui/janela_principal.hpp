// The main window: the source editor, the machine selector, the Assemble command, the message
// list and the status bar. A thin layer over the Sessao, which holds the state and the rules:
// the window shows dialogs and moves text between its widgets and the session.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <optional>

#include "dialogos.hpp"
#include "sessao.hpp"

class QAction;
class QButtonGroup;
class QLabel;
class QPlainTextEdit;

namespace orvandel {

class CaixaSobre;
class DialogoLocalizar;
class EditorFonte;
class JanelaMapa;
class JanelaSimbolos;

class JanelaPrincipal : public QMainWindow, private InterfaceSessao {
    Q_OBJECT
  public:
    explicit JanelaPrincipal(Dialogos& dialogos, QWidget* pai = nullptr);
    ~JanelaPrincipal() override;

    // Opens the source the command line names, or runs its batch and returns the exit status
    // when the program is to end.
    std::optional<int> executaLinhaDeComando(const LinhaDeComando& linha,
                                             const std::filesystem::path& diretorio = {});

    const Sessao& sessao() const { return sessao_; }
    EditorFonte* editor() const { return editor_; }
    JanelaMapa* mapa() const { return mapa_; }

  protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void criaSeletor(QLayout* linha);
    void criaBotoes(QLayout* linha);
    void criaEditor(QLayout* coluna);
    void criaSaidaDeAvisos(QLayout* coluna);
    void criaBarraDeStatus();
    void criaMenuArquivo();
    void criaMenuEditar();
    void criaMenuVisualizar();
    void criaMenuAjuda();
    void criaJanelasAuxiliares();

    void comando(void (Sessao::*passo)());
    void monta();
    void alternaMapa(bool visivel);
    void mostraLinhasNoMapa();
    void vaiParaMensagem(int indice);
    void mensagemVizinha(int passo);
    void perguntaLinha();
    void mostraDefinicao(const std::string& simbolo);
    void mostraEstado();
    void mostraPosicao();
    bool ehAtalhoDaJanela(const QEvent* evento) const;
    bool ehEscolhaDeMensagem(const QObject* objeto, const QEvent* evento) const;

    std::optional<std::string> escolheArquivoParaAbrir(const FiltroArquivos& filtro) override;
    std::optional<std::string> escolheArquivoParaSalvar(const FiltroArquivos& filtro) override;
    void mostraMensagem(const std::string& texto) override;
    bool pergunta(std::string_view texto) override;
    std::vector<std::string> textoDoEditor() override;
    void mostraTextoNoEditor(const std::vector<std::string>& linhas) override;
    void estadoMudou() override { mostraEstado(); }

    Dialogos& dialogos_;
    Sessao sessao_;
    QButtonGroup* seletor_ = nullptr;
    EditorFonte* editor_ = nullptr;
    QPlainTextEdit* avisos_ = nullptr;
    QLabel* linha_ = nullptr;
    QLabel* coluna_ = nullptr;
    QAction* abrir_ = nullptr;
    QAction* mapaDeMemoria_ = nullptr;
    JanelaMapa* mapa_ = nullptr;
    CaixaSobre* sobre_ = nullptr;
    JanelaSimbolos* simbolos_ = nullptr;
    DialogoLocalizar* localizar_ = nullptr;
    int mensagemAtual_ = -1;       // the message F8 and Shift+F8 move from
    bool acompanhaCursor_ = false; // the panels show the caret from the first key or click on
};

} // namespace orvandel
