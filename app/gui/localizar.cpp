// Find and replace.
#include "localizar.hpp"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace orvandel {

namespace {

QPushButton* botao(const QString& texto, QWidget* pai, QLayout* linha) {
    auto* b = new QPushButton(texto, pai);
    b->setAccessibleName(QString(texto).remove(u'&'));
    linha->addWidget(b);
    return b;
}

} // namespace

DialogoLocalizar::DialogoLocalizar(QPlainTextEdit* editor, QWidget* pai)
    : QDialog(pai), editor_(editor), procura_(new QLineEdit(this)), troca_(new QLineEdit(this)),
      maiusculas_(new QCheckBox(QStringLiteral("Diferenciar &maiúsculas"), this)) {
    setWindowTitle(QStringLiteral("Localizar e substituir"));
    setAccessibleName(windowTitle());
    procura_->setAccessibleName(QStringLiteral("Localizar"));
    troca_->setAccessibleName(QStringLiteral("Substituir por"));
    maiusculas_->setAccessibleName(QStringLiteral("Diferenciar maiúsculas"));

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("&Localizar:"), procura_);
    campos->addRow(QStringLiteral("Substituir &por:"), troca_);
    linhaDeTroca_ = campos->labelForField(troca_);
    campos->addRow(maiusculas_);

    auto* botoes = new QHBoxLayout;
    connect(botao(QStringLiteral("Pró&xima"), this, botoes), &QPushButton::clicked, this,
            [this] { localiza(); });
    connect(botao(QStringLiteral("&Anterior"), this, botoes), &QPushButton::clicked, this,
            [this] { localiza(true); });
    auto* uma = botao(QStringLiteral("&Substituir"), this, botoes);
    auto* todas = botao(QStringLiteral("Substituir &todas"), this, botoes);
    connect(uma, &QPushButton::clicked, this, &DialogoLocalizar::substitui);
    connect(todas, &QPushButton::clicked, this, &DialogoLocalizar::substituiTodas);
    connect(botao(QStringLiteral("Fechar"), this, botoes), &QPushButton::clicked, this,
            &QDialog::close);
    connect(procura_, &QLineEdit::returnPressed, this, [this] { localiza(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addLayout(botoes);
}

void DialogoLocalizar::mostra(bool substituir) {
    troca_->setVisible(substituir);
    linhaDeTroca_->setVisible(substituir);
    const QString selecionado = editor_->textCursor().selectedText();
    if (!selecionado.isEmpty() && !selecionado.contains(QChar::ParagraphSeparator))
        procura_->setText(selecionado);
    show();
    raise();
    activateWindow();
    procura_->setFocus();
    procura_->selectAll();
}

QTextDocument::FindFlags DialogoLocalizar::opcoes(bool paraTras) const {
    QTextDocument::FindFlags f;
    if (paraTras) f |= QTextDocument::FindBackward;
    if (maiusculas_->isChecked()) f |= QTextDocument::FindCaseSensitively;
    return f;
}

bool DialogoLocalizar::localiza(bool paraTras) {
    const QString texto = procura_->text();
    if (texto.isEmpty()) return false;
    if (editor_->find(texto, opcoes(paraTras))) return true;
    const QTextCursor posicao = editor_->textCursor(); // around the end, then back if none
    editor_->moveCursor(paraTras ? QTextCursor::End : QTextCursor::Start);
    if (editor_->find(texto, opcoes(paraTras))) return true;
    editor_->setTextCursor(posicao);
    return false;
}

void DialogoLocalizar::substitui() {
    const Qt::CaseSensitivity caso =
        maiusculas_->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QTextCursor cursor = editor_->textCursor();
    if (cursor.hasSelection() && cursor.selectedText().compare(procura_->text(), caso) == 0)
        cursor.insertText(troca_->text());
    localiza();
}

// One edit: a single undo brings every replaced text back.
int DialogoLocalizar::substituiTodas() {
    const QString texto = procura_->text();
    if (texto.isEmpty()) return 0;
    QTextDocument* documento = editor_->document();
    QTextCursor edicao(documento);
    edicao.beginEditBlock();
    int trocas = 0;
    for (QTextCursor achado = documento->find(texto, 0, opcoes(false)); !achado.isNull();
         achado = documento->find(texto, achado, opcoes(false))) {
        achado.insertText(troca_->text());
        ++trocas;
    }
    edicao.endEditBlock();
    return trocas;
}

} // namespace orvandel
