// The memory map as a table model: address and value of each byte, read from the image when a
// cell is painted, so that nothing holds 131,072 cell texts. A byte that the last run changed is
// marked, the bytes of the source lines selected in the editor are highlighted, and a row's
// tooltip names the line that placed its byte and the symbols whose value is its address.
#pragma once

#include <QAbstractTableModel>

#include "mapa.hpp"
#include "orvandel/montagem.hpp"

namespace orvandel {

class ModeloMapa : public QAbstractTableModel {
  public:
    explicit ModeloMapa(const Montagem& montagem, QObject* pai = nullptr);

    // The image as it is before a run, against which the run's changes are marked.
    void guardaAnterior() { anterior_ = montagem_.memoria(); }
    bool alterado(int endereco) const;
    // The bytes that the lines `primeira` to `ultima` placed are highlighted (none: -1, -1).
    // Tells whether that changed anything. A refill clears it.
    bool destacaLinhas(int primeira, int ultima);
    bool destacado(int endereco) const;

    // A refill: the number of addresses and the base of the texts, every cell read anew.
    void recarrega(int enderecos, BaseMapa base);
    BaseMapa base() const { return base_; }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

  private:
    QString simbolosEm(int endereco) const;

    const Montagem& montagem_;
    Memoria anterior_{};
    int enderecos_ = 256;
    int primeiraDestacada_ = -1;
    int ultimaDestacada_ = -1;
    BaseMapa base_ = BaseMapa::Hexadecimal;
};

} // namespace orvandel
