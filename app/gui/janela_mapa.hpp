// The memory-map window: a narrow tool window that lists the image address by address, in
// hexadecimal or decimal. It only reads the image.
#pragma once

#include <QWidget>

#include "modelo_mapa.hpp"

class QAction;
class QTableView;

namespace orvandel {

class Sessao;

class JanelaMapa : public QWidget {
    Q_OBJECT
  public:
    JanelaMapa(const Sessao& sessao, QWidget* pai);

    // Shown in front, with the focus, and refilled.
    void mostra();
    // Reads the number of addresses from the selector, and every cell from the image, anew.
    void recarrega();
    // Before a run: the image against which its changes are marked.
    void guardaAnterior() { modelo_.guardaAnterior(); }
    // The address's row current and in the middle of the view.
    void mostraEndereco(int endereco);
    // The bytes that the source lines `primeira` to `ultima` placed highlighted, the first of
    // them in view.
    void mostraLinhas(int primeira, int ultima);
    const ModeloMapa& modelo() const { return modelo_; }
    QTableView* tabela() const { return tabela_; }

  signals:
    void fechada();
    // A row was activated (double-click, Enter) whose byte the zero-based source line `linha`
    // placed.
    void linhaPedida(int linha);

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    void criaTabela();
    void criaMenu();
    void mostraNaBase(BaseMapa base);
    void perguntaEndereco();

    const Sessao& sessao_;
    ModeloMapa modelo_;
    QTableView* tabela_ = nullptr;
    QAction* decimal_ = nullptr;
    QAction* hexadecimal_ = nullptr;
};

} // namespace orvandel
