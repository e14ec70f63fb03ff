// The About box.
#include "caixa_sobre.hpp"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvandel {

namespace {

QLabel* rotulo(const QString& texto, QWidget* pai) {
    auto* r = new QLabel(texto, pai);
    r->setAccessibleName(texto);
    return r;
}

} // namespace

CaixaSobre::CaixaSobre(QWidget* pai) : QDialog(pai, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("About"));
    setAccessibleName(windowTitle());
    setModal(false);
    setFixedSize(298, 213);

    auto* painel = new QFrame(this);
    painel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    painel->setAccessibleName(QStringLiteral("Sobre o programa"));
    auto* icone = new QLabel(painel);
    icone->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    icone->setAccessibleName(QStringLiteral("Ícone do programa"));
    auto* textos = new QVBoxLayout(painel);
    textos->addWidget(icone);
    textos->addWidget(rotulo(QStringLiteral("Orvandel Multi Assembler"), painel));
    textos->addWidget(rotulo(QStringLiteral("Versão 1.0.4"), painel));
    textos->addWidget(rotulo(QStringLiteral("Setembro de 2015"), painel));
    textos->addWidget(
        rotulo(QStringLiteral("Autores:\nos colaboradores do projeto Orvandel"), painel));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(painel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void CaixaSobre::mostra() {
    if (const QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

} // namespace orvandel
