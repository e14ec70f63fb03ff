// The symbol table window.
#include "janela_simbolos.hpp"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include "mapa.hpp"

namespace orvandel {

ModeloSimbolos::ModeloSimbolos(const TabelaSimbolos& simbolos, QObject* pai)
    : QAbstractTableModel(pai), simbolos_(simbolos) {}

// The row count is taken at each refill: the table changes only with a run.
void ModeloSimbolos::recarrega() {
    beginResetModel();
    linhas_ = static_cast<int>(simbolos_.entradas().size());
    endResetModel();
}

int ModeloSimbolos::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : linhas_;
}
int ModeloSimbolos::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : 3;
}

QVariant ModeloSimbolos::data(const QModelIndex& indice, int papel) const {
    if (papel != Qt::DisplayRole || indice.row() >= static_cast<int>(simbolos_.entradas().size()))
        return {};
    const tipoSimbolo& simbolo = simbolos_.entradas()[static_cast<size_t>(indice.row())];
    switch (indice.column()) {
    case 0:
        return QString::fromStdString(simbolo.nome);
    case 1:
        return QString::number(simbolo.valor);
    default:
        return QString::fromStdString(
            celulaMapa(static_cast<uint32_t>(simbolo.valor), BaseMapa::Hexadecimal));
    }
}

QVariant ModeloSimbolos::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (papel != Qt::DisplayRole || orientacao != Qt::Horizontal) return {};
    static const QString titulos[] = {QStringLiteral("Nome"), QStringLiteral("Decimal"),
                                      QStringLiteral("Hexadecimal")};
    return titulos[secao];
}

JanelaSimbolos::JanelaSimbolos(const TabelaSimbolos& simbolos,
                               std::function<void(const std::string&)> escolhido, QWidget* pai)
    : QWidget(pai, Qt::Tool), modelo_(simbolos, this), tabela_(new QTableView(this)) {
    setWindowTitle(QStringLiteral("Tabela de Símbolos"));
    setAccessibleName(windowTitle());
    tabela_->setAccessibleName(QStringLiteral("Símbolos e valores"));
    tabela_->horizontalHeader()->setAccessibleName(
        QStringLiteral("Colunas Nome, Decimal e Hexadecimal"));
    tabela_->setModel(&modelo_);
    tabela_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabela_->verticalHeader()->hide();
    tabela_->horizontalHeader()->setStretchLastSection(true);
    connect(tabela_, &QAbstractItemView::activated, this,
            [this, escolhido](const QModelIndex& indice) {
                escolhido(modelo_.index(indice.row(), 0).data().toString().toStdString());
            });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabela_);
    resize(320, 400);
    recarrega();
}

} // namespace orvandel
