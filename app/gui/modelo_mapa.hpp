// The memory map as a table model: address and value of each byte, read from the image when a
// cell is painted, so that nothing holds 131,072 cell texts.
#pragma once

#include <QAbstractTableModel>

#include "mapa.hpp"

namespace orvandel {

class ModeloMapa : public QAbstractTableModel {
  public:
    explicit ModeloMapa(const Memoria& memoria, QObject* pai = nullptr);

    // A refill: the number of addresses and the base of the texts, every cell read anew.
    void recarrega(int enderecos, BaseMapa base);
    BaseMapa base() const { return base_; }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

  private:
    const Memoria& memoria_;
    int enderecos_ = 256;
    BaseMapa base_ = BaseMapa::Hexadecimal;
};

} // namespace orvandel
