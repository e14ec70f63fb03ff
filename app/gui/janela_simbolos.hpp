// The symbol table of the last run: every name with its value in decimal and hexadecimal, in
// table order. Choosing a row (double-click or Enter) shows the line that defines it.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>

#include "orvandel/simbolos.hpp"

class QTableView;

namespace orvandel {

class ModeloSimbolos : public QAbstractTableModel {
  public:
    ModeloSimbolos(const TabelaSimbolos& simbolos, QObject* pai);
    void recarrega();

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;

  private:
    const TabelaSimbolos& simbolos_;
    int linhas_ = 0;
};

class JanelaSimbolos : public QWidget {
  public:
    // `escolhido` receives the name of the symbol chosen.
    JanelaSimbolos(const TabelaSimbolos& simbolos,
                   std::function<void(const std::string&)> escolhido, QWidget* pai);
    void recarrega() { modelo_.recarrega(); }
    const ModeloSimbolos& modelo() const { return modelo_; }

  private:
    ModeloSimbolos modelo_;
    QTableView* tabela_;
};

} // namespace orvandel
