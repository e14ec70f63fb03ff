// Qt's file dialogs and message boxes, configured as the main window's commands need them.
#include "dialogos.hpp"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace orvandel {

namespace {

std::optional<QString> escolheArquivo(QWidget* pai, const FiltroArquivos& filtro,
                                      QFileDialog::AcceptMode modo) {
    QFileDialog dialogo(pai);
    dialogo.setAcceptMode(modo);
    dialogo.setFileMode(modo == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    const QStringList filtros = filtrosDoDialogo(filtro.filtro);
    dialogo.setNameFilters(filtros);
    dialogo.selectNameFilter(filtros.value(0));
    dialogo.setDefaultSuffix(QString::fromStdString(filtro.extensaoPadrao));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return std::nullopt;
    QString escolhido = dialogo.selectedFiles().constFirst();
    // A name typed with a final dot gets the extension too, so that "soma." is saved as soma.kod
    // (the session then drops the doubled dot); Qt's dialog adds it only to a name without one.
    if (modo == QFileDialog::AcceptSave && escolhido.endsWith(u'.'))
        escolhido += QStringLiteral(".") + dialogo.defaultSuffix();
    return escolhido;
}

QString titulo() {
    return QString::fromUtf8(kTituloInicial.data(), static_cast<qsizetype>(kTituloInicial.size()));
}

} // namespace

QStringList filtrosDoDialogo(const std::string& filtro) {
    const QStringList partes = QString::fromStdString(filtro).split(u'|');
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        const QString padrao =
            partes[i + 1] == QStringLiteral("*.*") ? QStringLiteral("*") : partes[i + 1];
        filtros << partes[i] + QStringLiteral(" (") + padrao + QStringLiteral(")");
    }
    return filtros;
}

std::optional<QString> DialogosDoSistema::arquivoParaAbrir(QWidget* pai,
                                                           const FiltroArquivos& filtro) {
    return escolheArquivo(pai, filtro, QFileDialog::AcceptOpen);
}

std::optional<QString> DialogosDoSistema::arquivoParaSalvar(QWidget* pai,
                                                            const FiltroArquivos& filtro) {
    return escolheArquivo(pai, filtro, QFileDialog::AcceptSave);
}

void DialogosDoSistema::mensagem(QWidget* pai, const QString& texto) {
    QMessageBox caixa(QMessageBox::NoIcon, titulo(), texto, QMessageBox::Ok, pai);
    caixa.exec();
}

bool DialogosDoSistema::pergunta(QWidget* pai, const QString& texto) {
    QMessageBox caixa(QMessageBox::Warning, titulo(), texto, QMessageBox::Yes | QMessageBox::No,
                      pai);
    return caixa.exec() == QMessageBox::Yes;
}

void instalaTraducoes() {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto* traducao = new QTranslator(QCoreApplication::instance());
    if (traducao->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traducao);
}

} // namespace orvandel
