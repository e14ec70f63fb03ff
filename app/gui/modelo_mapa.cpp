// The memory map's table model.
#include "modelo_mapa.hpp"

#include <QColor>

namespace orvandel {

ModeloMapa::ModeloMapa(const Montagem& montagem, QObject* pai)
    : QAbstractTableModel(pai), montagem_(montagem) {}

bool ModeloMapa::alterado(int endereco) const {
    const auto i = static_cast<size_t>(endereco);
    return montagem_.memoria()[i] != anterior_[i];
}

bool ModeloMapa::destacaLinhas(int primeira, int ultima) {
    if (primeira == primeiraDestacada_ && ultima == ultimaDestacada_) return false;
    primeiraDestacada_ = primeira;
    ultimaDestacada_ = ultima;
    emit dataChanged(index(0, 0), index(enderecos_ - 1, 1), {Qt::BackgroundRole});
    return true;
}

bool ModeloMapa::destacado(int endereco) const {
    const int32_t linha = montagem_.linhaDoByte(endereco);
    return linha >= 0 && linha >= primeiraDestacada_ && linha <= ultimaDestacada_;
}

QString ModeloMapa::simbolosEm(int endereco) const {
    QStringList nomes;
    for (const tipoSimbolo& simbolo : montagem_.simbolos().entradas())
        if (simbolo.valor == endereco) nomes << QString::fromStdString(simbolo.nome);
    return nomes.join(QStringLiteral(", "));
}

void ModeloMapa::recarrega(int enderecos, BaseMapa base) {
    beginResetModel();
    enderecos_ = enderecos;
    base_ = base;
    primeiraDestacada_ = ultimaDestacada_ = -1;
    endResetModel();
}

int ModeloMapa::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : enderecos_;
}

int ModeloMapa::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : 2;
}

QVariant ModeloMapa::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid() || indice.row() >= enderecos_) return {};
    const int endereco = indice.row();
    switch (papel) {
    case Qt::DisplayRole: {
        const unsigned valor = indice.column() == 0
                                   ? static_cast<unsigned>(endereco)
                                   : montagem_.memoria()[static_cast<size_t>(endereco)];
        return QString::fromStdString(celulaMapa(valor, base_));
    }
    case Qt::BackgroundRole:
        if (destacado(endereco)) return QColor(0xB8, 0xD8, 0xFF);
        return alterado(endereco) ? QVariant(QColor(0xFF, 0xE0, 0xA0)) : QVariant();
    case Qt::ToolTipRole: {
        QStringList dica;
        if (const int32_t linha = montagem_.linhaDoByte(endereco); linha >= 0)
            dica << QStringLiteral("Linha %1").arg(linha + 1);
        if (const QString nomes = simbolosEm(endereco); !nomes.isEmpty()) dica << nomes;
        if (alterado(endereco)) dica << QStringLiteral("Alterado na última montagem");
        return dica.isEmpty() ? QVariant() : QVariant(dica.join(u'\n'));
    }
    default:
        return {};
    }
}

QVariant ModeloMapa::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (papel != Qt::DisplayRole || orientacao != Qt::Horizontal) return {};
    return secao == 0 ? QStringLiteral("End.") : QStringLiteral("Valor");
}

Qt::ItemFlags ModeloMapa::flags(const QModelIndex& indice) const {
    return indice.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace orvandel
