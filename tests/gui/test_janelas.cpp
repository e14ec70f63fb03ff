// The windows, driven as a user drives them, on the offscreen platform: what only widgets can
// show (menus, keys, the close question, the status bar, the map, the batch's message boxes).
#include <QAccessible>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <deque>

#include "caixa_sobre.hpp"
#include "editor_fonte.hpp"
#include "icone.hpp"
#include "janela_mapa.hpp"
#include "janela_principal.hpp"

namespace orvandel {

class DialogosRoteirizados : public Dialogos {
  public:
    std::deque<QString> respostas; // to the file dialogs, in turn; none left is a cancel
    int aberturas = 0;
    QStringList mensagens;
    int perguntas = 0;
    bool sim = false;

    std::optional<QString> arquivoParaAbrir(QWidget*, const FiltroArquivos&) override {
        ++aberturas;
        return responde();
    }
    std::optional<QString> arquivoParaSalvar(QWidget*, const FiltroArquivos&) override {
        return responde();
    }
    void mensagem(QWidget*, const QString& texto) override { mensagens << texto; }
    bool pergunta(QWidget*, const QString&) override {
        ++perguntas;
        return sim;
    }

  private:
    std::optional<QString> responde() {
        if (respostas.empty()) return std::nullopt;
        QString r = respostas.front();
        respostas.pop_front();
        return r;
    }
};

class TesteJanelas : public QObject {
    Q_OBJECT

    QAction* acao(const QString& menu, const QString& item) {
        for (QAction* m : janela->menuBar()->actions())
            if (m->text() == menu)
                for (QAction* a : m->menu()->actions())
                    if (a->text() == item) return a;
        return nullptr;
    }
    QString painel(int i) { return janela->statusBar()->findChildren<QLabel*>()[i]->text(); }

    DialogosRoteirizados dialogos;
    std::unique_ptr<JanelaPrincipal> janela;
    QTemporaryDir dir;

  private slots:
    void initTestCase() { instalaTraducoes(); }

    // Qt's own buttons speak Portuguese once its translations are installed.
    // The SVG is compiled in and draws something at every size the icon offers.
    void iconeDesenhado() {
        const QIcon icone = iconeDoPrograma();
        QCOMPARE(icone.availableSizes().size(), 7);
        const QImage imagem = icone.pixmap(64, 64).toImage();
        QVERIFY(qAlpha(imagem.pixel(32, 32)) == 255 && qAlpha(imagem.pixel(0, 0)) == 0);
    }

    void botoesPadraoEmPortugues() {
        QMessageBox caixa(QMessageBox::Warning, "", "", QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(caixa.button(QMessageBox::Yes)->text(), QString("&Sim"));
        QCOMPARE(caixa.button(QMessageBox::No)->text(), QString("&Não"));
    }

    void init() {
        dialogos = {};
        janela = std::make_unique<JanelaPrincipal>(dialogos);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }
    void cleanup() { janela.reset(); }

    // The menus' fixed items come first, in order; the teaching aids follow them.
    void menusNaOrdemComAtalhos() {
        const std::vector<std::pair<QString, QStringList>> menus = {
            {"&Arquivo",
             {"&Abrir Ctrl+A", "&Montar Ctrl+M", "&Salvar Ctrl+S", "Salvar &Como ", "", "Sai&r "}},
            {"&Editar", {"Recor&tar Ctrl+X", "&Copiar Ctrl+C", "C&olar Ctrl+V"}},
            {"&Visualizar", {"&Mapa de Memória "}},
            {"Aj&uda", {"&Sobre ", "Associar Arquivos ", "Remover Associação "}},
        };
        const QList<QAction*> barra = janela->menuBar()->actions();
        QCOMPARE(barra.size(), qsizetype(menus.size()));
        for (size_t i = 0; i < menus.size(); ++i) {
            QCOMPARE(barra[qsizetype(i)]->text(), menus[i].first);
            QStringList itens;
            for (QAction* a : barra[qsizetype(i)]->menu()->actions())
                itens << (a->isSeparator() ? QString()
                                           : a->text() + " " + a->shortcut().toString());
            QCOMPARE(itens.mid(0, menus[i].second.size()), menus[i].second);
        }
        QCOMPARE(janela->windowTitle(), QString("Orvandel Multi Assembler"));
        QVERIFY(janela->findChildren<QRadioButton*>()[2]->isChecked());
    }

    void ctrlANoEditorAbreArquivo() {
        janela->editor()->setPlainText("LDA 1");
        janela->editor()->setFocus();
        QTest::keyClick(janela->editor(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(dialogos.aberturas, 1);
        QVERIFY(!janela->editor()->textCursor().hasSelection());
        QTest::keyClick(janela->editor(), Qt::Key_Tab);
        QCOMPARE(janela->editor()->toPlainText(), QString("\tLDA 1"));
    }

    // The flag follows the text: a paste from the menu with the mouse is a change, an arrow is not.
    void fecharPerguntaSoAposMudanca() {
        janela->editor()->setFocus();
        QTest::keyClick(janela->editor(), Qt::Key_Right);
        QVERIFY(janela->close());
        QCOMPARE(dialogos.perguntas, 0);

        init();
        QGuiApplication::clipboard()->setText("HLT");
        acao("&Editar", "C&olar")->trigger();
        QVERIFY(janela->close()); // No closes without saving
        QCOMPARE(dialogos.perguntas, 1);
    }

    void fecharComSimSalvaEFicaAberta() {
        dialogos.sim = true;
        dialogos.respostas = {dir.filePath("prog")};
        QTest::keyClicks(janela->editor(), "HLT");
        QVERIFY(!janela->close());
        QVERIFY(QFile::exists(dir.filePath("prog.jed")));
        QVERIFY(janela->close());
        QCOMPARE(dialogos.perguntas, 1);
    }

    void barraDeStatusSegueOCursor() {
        janela->editor()->setPlainText("um\ndois\ntres");
        QCOMPARE(painel(1), QString("Linha: 0"));
        QCOMPARE(painel(2), QString("Coluna: 0"));
        QTextCursor cursor(janela->editor()->document()->findBlockByNumber(2));
        const QPoint ponto = janela->editor()->cursorRect(cursor).center();
        QTest::mouseClick(janela->editor()->viewport(), Qt::LeftButton, {}, ponto);
        QCOMPARE(painel(1), QString("Linha: 3"));
        QCOMPARE(painel(2), QString("Coluna: 1"));
        QTest::keyClick(janela->editor(), Qt::Key_End);
        QCOMPARE(painel(2), QString("Coluna: 5"));
    }

    void mapaDepoisDeMontar() {
        JanelaMapa* mapa = janela->mapa();
        QCOMPARE(mapa->modelo().rowCount(), 65536);
        janela->findChildren<QRadioButton*>()[0]->click(); // Kovra
        QCOMPARE(mapa->modelo().rowCount(), 256);
        janela->editor()->setPlainText("ORG 10\nDB 255");
        dialogos.respostas = {dir.filePath("mapa.kod")};
        acao("&Arquivo", "&Montar")->trigger();
        QCOMPARE(dialogos.mensagens, QStringList());

        acao("&Visualizar", "&Mapa de Memória")->trigger();
        QVERIFY(mapa->isVisible());
        const auto celula = [&](int linha, int coluna) {
            return mapa->modelo().index(linha, coluna).data().toString();
        };
        QCOMPARE(celula(10, 0) + " " + celula(10, 1), QString("A FF"));
        QCOMPARE(celula(255, 0) + " " + celula(0, 1), QString("FF 0"));
        QApplication::setActiveWindow(mapa); // the offscreen platform activates no tool window
        QTest::keyClick(mapa->tabela(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(celula(10, 0) + " " + celula(10, 1), QString("10 255"));
        QTest::keyClick(mapa->tabela(), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(celula(255, 0), QString("FF"));
        QCOMPARE(mapa->modelo().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Valor"));

        // The run's bytes are marked against the image before it; the next run marks its own.
        const QModelIndex valor = mapa->modelo().index(10, 1);
        QVERIFY(mapa->modelo().data(valor, Qt::BackgroundRole).isValid());
        QVERIFY(!mapa->modelo().data(mapa->modelo().index(11, 1), Qt::BackgroundRole).isValid());
        janela->editor()->setPlainText("ORG 10\nDB 255\nDB 7");
        acao("&Arquivo", "&Montar")->trigger();
        QVERIFY(!mapa->modelo().data(valor, Qt::BackgroundRole).isValid());
        QVERIFY(mapa->modelo().data(mapa->modelo().index(11, 1), Qt::BackgroundRole).isValid());

        mapa->close();
        QVERIFY(!acao("&Visualizar", "&Mapa de Memória")->isChecked());
        QCOMPARE(mapa->width(), 131);
    }

    // The editor's lines and the map's bytes lead to each other through the run's record.
    void fonteEMapaLigados() {
        janela->findChildren<QRadioButton*>()[0]->click(); // Kovra
        janela->editor()->setPlainText("ORG 10\nLDA 20\nNOP\nHLT");
        dialogos.respostas = {dir.filePath("liga.kod")};
        acao("&Arquivo", "&Montar")->trigger();
        acao("&Visualizar", "&Mapa de Memória")->trigger();
        const ModeloMapa& modelo = janela->mapa()->modelo();
        const auto destacados = [&] {
            QList<int> enderecos;
            for (int e = 9; e <= 14; ++e)
                if (modelo.destacado(e)) enderecos << e;
            return enderecos;
        };
        janela->editor()->vaiParaLinha(1);
        QCOMPARE(destacados(), QList<int>({10, 11}));
        QTextCursor selecao = janela->editor()->textCursor();
        selecao.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 2);
        janela->editor()->setTextCursor(selecao);
        QCOMPARE(destacados(), QList<int>({10, 11, 12})); // the line where it ends is left out
        QVERIFY(modelo.index(12, 1).data(Qt::ToolTipRole).toString().contains("Linha 3"));

        QTableView* tabela = janela->mapa()->tabela(); // Enter on a row, from the keyboard
        tabela->setCurrentIndex(modelo.index(13, 0));
        QTest::keyClick(tabela, Qt::Key_Return);
        QCOMPARE(janela->editor()->textCursor().blockNumber(), 3);
        QCOMPARE(destacados(), QList<int>({13}));
    }

    // Over a mnemonic the editor offers its help; over its operand or past the line, nothing.
    void ajudaSobreOMnemonico() {
        janela->findChildren<QRadioButton*>()[0]->click(); // Kovra
        EditorFonte* editor = janela->editor();
        editor->setPlainText("ROT: lda ROT");
        const auto ponto = [&](int coluna) {
            QTextCursor cursor(editor->document());
            cursor.setPosition(coluna);
            return editor->cursorRect(cursor).center() + QPoint(2, 0);
        };
        QVERIFY(editor->ajudaNoPonto(ponto(6)).startsWith("LDA (Kovra)\nCódigo: 20h"));
        QCOMPARE(editor->ajudaNoPonto(ponto(1)), QString());  // the label
        QCOMPARE(editor->ajudaNoPonto(ponto(10)), QString()); // the operand
        QCOMPARE(editor->ajudaNoPonto(ponto(12) + QPoint(200, 0)), QString());
    }

    void loteMostraCadaResumo() {
        QTemporaryDir dir;
        QFile fonte(dir.filePath("a.kod"));
        QVERIFY(fonte.open(QIODevice::WriteOnly));
        fonte.write("LDA NADA\r\n");
        fonte.close();
        const auto status =
            janela->executaLinhaDeComando(examinaArgumentos({"-b", "K"}), dir.path().toStdString());
        QCOMPARE(status, std::optional(1));
        QCOMPARE(
            dialogos.mensagens,
            QStringList{"Arquivos Kovra processados: 1\nErros: 1 (Detalhes em Log_Kovra.txt)"});
        QCOMPARE(janela->windowTitle(), QString("Orvandel Assembler - Batch Processing"));
        QVERIFY(janela->findChildren<QRadioButton*>()[0]->isChecked());
    }

    // The association's two items act for the running program, under a HOME of the test's own;
    // each extension refused is one message box.
    void associacaoPeloMenu() {
        const QByteArray casaAntiga = qgetenv("HOME");
        QVERIFY(qputenv("HOME", dir.filePath("casa").toUtf8()));
        acao("Aj&uda", "Associar Arquivos")->trigger();
        QFile entrada(dir.filePath("casa/.local/share/applications/orvandel.desktop"));
        QVERIFY(entrada.open(QIODevice::ReadOnly));
        QVERIFY(entrada.readAll().contains(
            "\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" %f\n"));
        acao("Aj&uda", "Remover Associação")->trigger();
        QVERIFY(!entrada.exists());
        QCOMPARE(dialogos.mensagens, QStringList{});

        QFile(dir.filePath("arquivo")).open(QIODevice::WriteOnly);
        QVERIFY(qputenv("HOME", dir.filePath("arquivo").toUtf8()));
        acao("Aj&uda", "Associar Arquivos")->trigger();
        QVERIFY(qputenv("HOME", casaAntiga));
        QCOMPARE(dialogos.mensagens.size(), 4);
        QVERIFY(dialogos.mensagens[3].startsWith("Não foi possível associar arquivos zid: "));
    }

    // Screen readers and UI automation find every control by its name: those shown, and the menus.
    void todoControleTemNomeAcessivel() {
        acao("Aj&uda", "&Sobre")->trigger();
        acao("&Visualizar", "&Mapa de Memória")->trigger();
        QList<QWidget*> controles = {janela.get()};
        for (QWidget* w : janela->findChildren<QWidget*>()) {
            const bool deQt =
                w->objectName().startsWith("qt_") || w->parent()->objectName().startsWith("qt_") ||
                qobject_cast<QSizeGrip*>(w); // scroll bars and the grip speak by their role
            if (w->isVisible() && !deQt) controles << w;
            if (auto* barra = qobject_cast<QMenuBar*>(w))
                for (QAction* menu : barra->actions()) controles << menu->menu();
        }
        for (QWidget* w : controles) {
            QAccessibleInterface* acessivel = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(acessivel && !acessivel->text(QAccessible::Name).isEmpty(),
                     w->metaObject()->className());
        }
    }
};

} // namespace orvandel

QTEST_MAIN(orvandel::TesteJanelas)
#include "test_janelas.moc"
