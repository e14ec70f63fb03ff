// The main window.
#include "janela_principal.hpp"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include <QInputDialog>

#include "alvos.hpp"
#include "associacao.hpp"
#include "caixa_sobre.hpp"
#include "editor_fonte.hpp"
#include "janela_mapa.hpp"
#include "janela_simbolos.hpp"
#include "localizar.hpp"
#include "navegacao.hpp"

namespace orvandel {

namespace {

QString qtexto(std::string_view texto) {
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}

QLabel* rotulo(const QString& texto, QWidget* pai) {
    auto* r = new QLabel(texto, pai);
    r->setAccessibleName(texto);
    return r;
}

QFont fonte(const QString& familia, QFont::StyleHint estilo, int pontos, QFont::Weight peso) {
    QFont f(familia, pontos, peso);
    f.setStyleHint(estilo);
    return f;
}

// A menu of the bar, named for screen readers by its title without the access-key mark.
QMenu* criaMenu(QMenuBar* barra, const QString& titulo) {
    QMenu* menu = barra->addMenu(titulo);
    menu->setAccessibleName(QString(titulo).remove(u'&'));
    return menu;
}

// The association's failures, one message box for each extension refused.
void mostraFalhas(Dialogos& dialogos, QWidget* pai, const std::vector<std::string>& falhas) {
    for (const std::string& falha : falhas) dialogos.mensagem(pai, qtexto(falha));
}

// The running executable as the system reports it, which the association opens files with.
std::filesystem::path caminhoDoPrograma() {
    const QString caminho = QCoreApplication::applicationFilePath();
    return std::filesystem::path(caminho.toStdU16String());
}

void comBarrasDeRolagem(QPlainTextEdit* caixa) {
    caixa->setLineWrapMode(QPlainTextEdit::NoWrap);
    caixa->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    caixa->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

} // namespace

JanelaPrincipal::JanelaPrincipal(Dialogos& dialogos, QWidget* pai)
    : QMainWindow(pai), dialogos_(dialogos), sessao_(*this) {
    auto* central = new QWidget(this);
    central->setAccessibleName(QStringLiteral("Área de edição"));
    auto* coluna = new QVBoxLayout(central);
    auto* linha = new QHBoxLayout;
    coluna->addLayout(linha);
    criaSeletor(linha);
    criaBotoes(linha);
    criaEditor(coluna);
    criaSaidaDeAvisos(coluna);
    setCentralWidget(central);
    criaBarraDeStatus();
    criaMenuArquivo();
    criaMenuEditar();
    criaMenuVisualizar();
    criaMenuAjuda();
    criaJanelasAuxiliares();
    setAccessibleName(qtexto(kTituloInicial));
    menuBar()->setAccessibleName(QStringLiteral("Menu principal"));
    resize(736, 474 + menuBar()->sizeHint().height());
    mostraEstado();
}

JanelaPrincipal::~JanelaPrincipal() = default;

void JanelaPrincipal::criaJanelasAuxiliares() {
    sobre_ = new CaixaSobre(this);
    mapa_ = new JanelaMapa(sessao_, this);
    connect(mapa_, &JanelaMapa::fechada, mapaDeMemoria_,
            [this] { mapaDeMemoria_->setChecked(false); });
    connect(mapa_, &JanelaMapa::linhaPedida, this, [this](int linha) {
        activateWindow();
        editor_->vaiParaLinha(linha);
    });
    simbolos_ = new JanelaSimbolos(
        sessao_.montagem().simbolos(), [this](const std::string& nome) { mostraDefinicao(nome); },
        this);
    localizar_ = new DialogoLocalizar(editor_, this);
}

void JanelaPrincipal::criaSeletor(QLayout* linha) {
    auto* grupo = new QGroupBox(QStringLiteral("Máquina Alvo"), this);
    grupo->setAccessibleName(grupo->title());
    auto* itens = new QHBoxLayout(grupo);
    seletor_ = new QButtonGroup(this);
    for (int alvo = 0; alvo < kQuantidadeAlvos; ++alvo) {
        if (alvo == kAlvoZibel) continue;
        const std::string_view nome = nomeMaquina(maquinaDoAlvo(alvo));
        auto* botao = new QRadioButton(
            QString::fromUtf8(nome.data(), static_cast<qsizetype>(nome.size())), grupo);
        botao->setAccessibleName(botao->text());
        seletor_->addButton(botao, alvo);
        itens->addWidget(botao);
    }
    connect(seletor_, &QButtonGroup::idClicked, this, [this](int id) {
        sessao_.defineSeletor(id);
        mapa_->recarrega();
        editor_->defineMaquina(sessao_.maquinaDaMontagem());
    });
    linha->addWidget(grupo);
}

void JanelaPrincipal::criaBotoes(QLayout* linha) {
    static_cast<QBoxLayout*>(linha)->addStretch();
    auto* salvar = new QPushButton(QStringLiteral("Salvar"), this);
    auto* montar = new QPushButton(QStringLiteral("Executar Montagem"), this);
    for (QPushButton* botao : {salvar, montar}) {
        botao->setAccessibleName(botao->text());
        linha->addWidget(botao);
    }
    connect(salvar, &QPushButton::clicked, this, [this] { comando(&Sessao::salva); });
    connect(montar, &QPushButton::clicked, this, &JanelaPrincipal::monta);
}

// The Tab key inserts a tab; the document's own modified flag, which follows every change of the
// text by any means and comes back with undo, is the session's.
void JanelaPrincipal::criaEditor(QLayout* coluna) {
    editor_ = new EditorFonte(this);
    editor_->setAccessibleName(QStringLiteral("Código Fonte"));
    editor_->setFont(fonte(QStringLiteral("Courier"), QFont::TypeWriter, 8, QFont::Normal));
    editor_->setMinimumSize(200, 200);
    comBarrasDeRolagem(editor_);
    auto* titulo = rotulo(QStringLiteral("Código Fonte:"), this);
    titulo->setBuddy(editor_);
    coluna->addWidget(titulo);
    coluna->addWidget(editor_);
    static_cast<QBoxLayout*>(coluna)->setStretchFactor(editor_, 1);
    editor_->installEventFilter(this);
    editor_->viewport()->installEventFilter(this);
    connect(editor_->document(), &QTextDocument::modificationChanged, this,
            [this](bool modificado) { sessao_.defineModificado(modificado); });
    connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (acompanhaCursor_) mostraPosicao();
        mostraLinhasNoMapa();
    });
    connect(editor_, &QPlainTextEdit::selectionChanged, this, &JanelaPrincipal::mostraLinhasNoMapa);
}

void JanelaPrincipal::criaSaidaDeAvisos(QLayout* coluna) {
    avisos_ = new QPlainTextEdit(this);
    avisos_->setAccessibleName(QStringLiteral("Saída de Avisos"));
    avisos_->setReadOnly(true);
    avisos_->setFont(fonte(QStringLiteral("Arial"), QFont::SansSerif, 8, QFont::Bold));
    avisos_->setFixedHeight(110);
    comBarrasDeRolagem(avisos_);
    avisos_->installEventFilter(this);
    avisos_->viewport()->installEventFilter(this);
    auto* titulo = rotulo(QStringLiteral("Saída de Avisos:"), this);
    titulo->setBuddy(avisos_);
    coluna->addWidget(titulo);
    coluna->addWidget(avisos_);
}

void JanelaPrincipal::criaBarraDeStatus() {
    const struct {
        int largura;
        QString texto, nome;
    } paineis[] = {{200, {}, QStringLiteral("Situação")},
                   {60, QStringLiteral("Linha: 0"), QStringLiteral("Linha")},
                   {60, QStringLiteral("Coluna: 0"), QStringLiteral("Coluna")},
                   {50, {}, QStringLiteral("Painel livre")}};
    std::vector<QLabel*> criados;
    for (const auto& p : paineis) {
        auto* painel = new QLabel(p.texto, this);
        painel->setFixedWidth(p.largura);
        painel->setAccessibleName(p.nome);
        statusBar()->addWidget(painel);
        criados.push_back(painel);
    }
    statusBar()->setAccessibleName(QStringLiteral("Barra de status"));
    linha_ = criados[1];
    coluna_ = criados[2];
}

void JanelaPrincipal::criaMenuArquivo() {
    QMenu* menu = criaMenu(menuBar(), QStringLiteral("&Arquivo"));
    abrir_ = menu->addAction(QStringLiteral("&Abrir"), QKeySequence(Qt::CTRL | Qt::Key_A), this,
                             [this] { comando(&Sessao::abre); });
    menu->addAction(QStringLiteral("&Montar"), QKeySequence(Qt::CTRL | Qt::Key_M), this,
                    &JanelaPrincipal::monta);
    menu->addAction(QStringLiteral("&Salvar"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                    [this] { comando(&Sessao::salva); });
    menu->addAction(QStringLiteral("Salvar &Como"), this, [this] {
        sessao_.salvaComo();
        mostraEstado();
    });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Sai&r"), this, &QWidget::close);
}

// They act on the editor, wherever the focus is.
void JanelaPrincipal::criaMenuEditar() {
    QMenu* menu = criaMenu(menuBar(), QStringLiteral("&Editar"));
    menu->addAction(QStringLiteral("Recor&tar"), QKeySequence(Qt::CTRL | Qt::Key_X), editor_,
                    &QPlainTextEdit::cut);
    menu->addAction(QStringLiteral("&Copiar"), QKeySequence(Qt::CTRL | Qt::Key_C), editor_,
                    &QPlainTextEdit::copy);
    menu->addAction(QStringLiteral("C&olar"), QKeySequence(Qt::CTRL | Qt::Key_V), editor_,
                    &QPlainTextEdit::paste);
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Localizar..."), QKeySequence(Qt::CTRL | Qt::Key_F), this,
                    [this] { localizar_->mostra(false); });
    menu->addAction(QStringLiteral("Localizar pró&xima"), QKeySequence(Qt::Key_F3), this,
                    [this] { localizar_->localiza(); });
    menu->addAction(QStringLiteral("Localizar &anterior"), QKeySequence(Qt::SHIFT | Qt::Key_F3),
                    this, [this] { localizar_->localiza(true); });
    menu->addAction(QStringLiteral("Substit&uir..."), QKeySequence(Qt::CTRL | Qt::Key_R), this,
                    [this] { localizar_->mostra(true); });
    menu->addAction(QStringLiteral("&Ir para linha..."), QKeySequence(Qt::CTRL | Qt::Key_G), this,
                    &JanelaPrincipal::perguntaLinha);
}

void JanelaPrincipal::criaMenuVisualizar() {
    QMenu* menu = criaMenu(menuBar(), QStringLiteral("&Visualizar"));
    mapaDeMemoria_ = menu->addAction(QStringLiteral("&Mapa de Memória"));
    mapaDeMemoria_->setCheckable(true);
    connect(mapaDeMemoria_, &QAction::triggered, this, &JanelaPrincipal::alternaMapa);
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Tabela de Símbolos"), QKeySequence(Qt::CTRL | Qt::Key_T), this,
                    [this] {
                        simbolos_->show();
                        simbolos_->raise();
                        simbolos_->activateWindow();
                    });
    menu->addAction(QStringLiteral("Próxima me&nsagem"), QKeySequence(Qt::Key_F8), this,
                    [this] { mensagemVizinha(1); });
    menu->addAction(QStringLiteral("Mensagem ant&erior"), QKeySequence(Qt::SHIFT | Qt::Key_F8),
                    this, [this] { mensagemVizinha(-1); });
    menu->addSeparator();
    QAction* amplia = menu->addAction(QStringLiteral("&Aumentar fonte"), this,
                                      [this] { editor_->ampliaFonte(1); });
    amplia->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    menu->addAction(QStringLiteral("&Diminuir fonte"), QKeySequence(Qt::CTRL | Qt::Key_Minus), this,
                    [this] { editor_->ampliaFonte(-1); });
    menu->addAction(QStringLiteral("Tamanho &normal da fonte"), QKeySequence(Qt::CTRL | Qt::Key_0),
                    this, [this] { editor_->restauraFonte(); });
}

void JanelaPrincipal::criaMenuAjuda() {
    QMenu* menu = criaMenu(menuBar(), QStringLiteral("Aj&uda"));
    menu->addAction(QStringLiteral("&Sobre"), this, [this] { sobre_->mostra(); });
    menu->addAction(QStringLiteral("Associar Arquivos"), this, [this] {
        mostraFalhas(dialogos_, this, associaArquivos(caminhoDoPrograma()));
    });
    menu->addAction(QStringLiteral("Remover Associação"), this,
                    [this] { mostraFalhas(dialogos_, this, removeAssociacao()); });
}

void JanelaPrincipal::comando(void (Sessao::*passo)()) {
    (sessao_.*passo)();
    mostraEstado();
}

// The map is refreshed after a failed run as after a successful one, not when the command stopped.
void JanelaPrincipal::monta() {
    mapa_->guardaAnterior();
    if (sessao_.monta()) mapa_->recarrega();
    mostraLinhasNoMapa();
    editor_->marcaMensagens(sessao_.montagem().mensagens());
    simbolos_->recarrega();
    mensagemAtual_ = -1;
    mostraEstado();
}

// Clicking or pressing Enter on a message, or F8, moves the editor to the line it is about.
void JanelaPrincipal::vaiParaMensagem(int indice) {
    const std::optional<int> linha = sessao_.linhaDaMensagem(static_cast<size_t>(indice));
    if (!linha) return;
    mensagemAtual_ = indice;
    QTextCursor cursor(avisos_->document()->findBlockByNumber(indice));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    avisos_->setTextCursor(cursor);
    editor_->vaiParaLinha(*linha);
}

void JanelaPrincipal::mensagemVizinha(int passo) {
    const int total = static_cast<int>(sessao_.montagem().mensagens().size());
    if (total == 0 || sessao_.mensagens().empty()) return;
    const int atual = mensagemAtual_ < 0 ? (passo > 0 ? -1 : total) : mensagemAtual_;
    vaiParaMensagem(((atual + passo) % total + total) % total);
}

void JanelaPrincipal::perguntaLinha() {
    bool escolheu = false;
    const int linha =
        QInputDialog::getInt(this, QStringLiteral("Ir para linha"), QStringLiteral("Linha:"),
                             editor_->textCursor().blockNumber() + 1, 1,
                             editor_->document()->blockCount(), 1, &escolheu);
    if (escolheu) editor_->vaiParaLinha(linha - 1);
}

void JanelaPrincipal::mostraDefinicao(const std::string& simbolo) {
    if (const std::optional<int> linha = linhaDaDefinicao(simbolo, textoDoEditor())) {
        activateWindow();
        editor_->vaiParaLinha(*linha);
    }
}

void JanelaPrincipal::alternaMapa(bool visivel) {
    if (!visivel) {
        mapa_->hide();
        return;
    }
    mapa_->mostra();
    mostraLinhasNoMapa();
}

// The map follows the editor: the bytes of the lines under the caret or the selection. A
// selection that ends at the start of a line, as whole lines selected do, leaves that line out.
void JanelaPrincipal::mostraLinhasNoMapa() {
    if (!mapa_ || !mapa_->isVisible()) return;
    const QTextCursor cursor = editor_->textCursor();
    const QTextDocument* documento = editor_->document();
    const int primeira = documento->findBlock(cursor.selectionStart()).blockNumber();
    const QTextBlock fim = documento->findBlock(cursor.selectionEnd());
    const bool deixaFim = cursor.hasSelection() && cursor.selectionEnd() == fim.position() &&
                          fim.blockNumber() > primeira;
    mapa_->mostraLinhas(primeira, fim.blockNumber() - (deixaFim ? 1 : 0));
}

void JanelaPrincipal::mostraEstado() {
    setWindowTitle(qtexto(sessao_.titulo()));
    if (QAbstractButton* selecionado = seletor_->button(sessao_.seletor()))
        selecionado->setChecked(true);
    QStringList linhas;
    for (const std::string& mensagem : sessao_.mensagens()) linhas << qtexto(mensagem);
    const QString avisos = linhas.join(u'\n');
    if (avisos_->toPlainText() != avisos) avisos_->setPlainText(avisos);
    editor_->defineMaquina(sessao_.maquinaDaMontagem());
    if (editor_->document()->isModified() != sessao_.arquivoModificado())
        editor_->document()->setModified(sessao_.arquivoModificado());
}

void JanelaPrincipal::mostraPosicao() {
    const QTextCursor cursor = editor_->textCursor();
    linha_->setText(QStringLiteral("Linha: %1").arg(cursor.blockNumber() + 1));
    coluna_->setText(QStringLiteral("Coluna: %1").arg(cursor.positionInBlock() + 1));
}

std::optional<int> JanelaPrincipal::executaLinhaDeComando(const LinhaDeComando& linha,
                                                          const std::filesystem::path& diretorio) {
    const std::optional<int> status = sessao_.executaLinhaDeComando(linha, diretorio);
    mostraEstado();
    return status;
}

void JanelaPrincipal::closeEvent(QCloseEvent* evento) {
    const bool fecha = sessao_.podeFechar();
    mostraEstado();
    if (!fecha) {
        evento->ignore();
        return;
    }
    mapa_->hide();
    sobre_->hide();
    evento->accept();
}

// Ctrl+A opens a file also from the editor and the message box, which would take it as select-all.
bool JanelaPrincipal::ehAtalhoDaJanela(const QEvent* evento) const {
    const auto* tecla = static_cast<const QKeyEvent*>(evento);
    return QKeySequence(tecla->keyCombination()) == abrir_->shortcut();
}

// A click on a line of the message box, or Enter on it.
bool JanelaPrincipal::ehEscolhaDeMensagem(const QObject* objeto, const QEvent* evento) const {
    if (objeto == avisos_->viewport()) return evento->type() == QEvent::MouseButtonRelease;
    if (objeto != avisos_ || evento->type() != QEvent::KeyPress) return false;
    const int tecla = static_cast<const QKeyEvent*>(evento)->key();
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

bool JanelaPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo == QEvent::ShortcutOverride && ehAtalhoDaJanela(evento)) {
        evento->ignore();
        return true;
    }
    if (ehEscolhaDeMensagem(objeto, evento)) vaiParaMensagem(avisos_->textCursor().blockNumber());
    const bool noEditor =
        objeto == editor_ && (tipo == QEvent::KeyPress || tipo == QEvent::KeyRelease);
    const bool cliqueNoEditor = objeto == editor_->viewport() && tipo == QEvent::MouseButtonPress;
    if (noEditor || cliqueNoEditor) {
        acompanhaCursor_ = true;
        mostraPosicao();
    }
    return QMainWindow::eventFilter(objeto, evento);
}

std::optional<std::string> JanelaPrincipal::escolheArquivoParaAbrir(const FiltroArquivos& filtro) {
    const std::optional<QString> escolhido = dialogos_.arquivoParaAbrir(this, filtro);
    return escolhido ? std::optional(escolhido->toStdString()) : std::nullopt;
}

std::optional<std::string> JanelaPrincipal::escolheArquivoParaSalvar(const FiltroArquivos& filtro) {
    const std::optional<QString> escolhido = dialogos_.arquivoParaSalvar(this, filtro);
    return escolhido ? std::optional(escolhido->toStdString()) : std::nullopt;
}

// A batch summary breaks its line with CR LF, which a message box shows as one break.
void JanelaPrincipal::mostraMensagem(const std::string& texto) {
    dialogos_.mensagem(this, qtexto(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

bool JanelaPrincipal::pergunta(std::string_view texto) {
    return dialogos_.pergunta(this, qtexto(texto));
}

// Block by block, as typed: the document's plain-text export would turn non-breaking spaces
// into blanks. An empty editor is a source without lines.
std::vector<std::string> JanelaPrincipal::textoDoEditor() {
    std::vector<std::string> linhas;
    const QTextDocument* documento = editor_->document();
    if (documento->isEmpty()) return linhas;
    linhas.reserve(static_cast<size_t>(documento->blockCount()));
    for (QTextBlock bloco = documento->begin(); bloco.isValid(); bloco = bloco.next())
        linhas.push_back(bloco.text().toStdString());
    return linhas;
}

void JanelaPrincipal::mostraTextoNoEditor(const std::vector<std::string>& linhas) {
    QStringList texto;
    texto.reserve(static_cast<qsizetype>(linhas.size()));
    for (const std::string& linha : linhas) texto << qtexto(linha);
    editor_->setPlainText(texto.join(u'\n'));
}

} // namespace orvandel
