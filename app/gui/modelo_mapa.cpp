// The memory map's table model.
#include "modelo_mapa.hpp"

namespace orvandel {

ModeloMapa::ModeloMapa(const Memoria& memoria, QObject* pai)
    : QAbstractTableModel(pai), memoria_(memoria) {}

void ModeloMapa::recarrega(int enderecos, BaseMapa base) {
    beginResetModel();
    enderecos_ = enderecos;
    base_ = base;
    endResetModel();
}

int ModeloMapa::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : enderecos_;
}

int ModeloMapa::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : 2;
}

QVariant ModeloMapa::data(const QModelIndex& indice, int papel) const {
    if (papel != Qt::DisplayRole || !indice.isValid() || indice.row() >= enderecos_) return {};
    const auto endereco = static_cast<unsigned>(indice.row());
    const unsigned valor = indice.column() == 0 ? endereco : memoria_[endereco];
    return QString::fromStdString(celulaMapa(valor, base_));
}

QVariant ModeloMapa::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (papel != Qt::DisplayRole || orientacao != Qt::Horizontal) return {};
    return secao == 0 ? QStringLiteral("End.") : QStringLiteral("Valor");
}

Qt::ItemFlags ModeloMapa::flags(const QModelIndex& indice) const {
    return indice.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace orvandel
