// The source editor: a plain-text editor with a margin of line numbers and message marks, the
// current line highlighted, colours for the selected machine, and zoom.
#pragma once

#include <QPlainTextEdit>
#include <vector>

#include "orvandel/maquinas.hpp"
#include "orvandel/mensagens.hpp"

namespace orvandel {

class RealceSintaxe;

class EditorFonte : public QPlainTextEdit {
  public:
    explicit EditorFonte(QWidget* pai);

    // The run's messages as marks beside their lines, the previous ones gone. A mark stays with
    // its line when lines are inserted or removed above it.
    void marcaMensagens(const std::vector<Mensagem>& mensagens);
    // The caret at the start of the line (zero-based), shown and highlighted.
    void vaiParaLinha(int linha);
    void defineMaquina(Maquina maquina);
    void ampliaFonte(int passos);
    void restauraFonte();

    // For the margin: its width, its painting and the text of its tooltip at a height.
    int larguraMargem() const;
    void pintaMargem(QPaintEvent* evento);
    QString mensagensNaAltura(int y) const;
    // The help of the instruction whose mnemonic is at that point of the viewport, if any.
    QString ajudaNoPonto(const QPoint& ponto) const;

  protected:
    void resizeEvent(QResizeEvent* evento) override;
    bool viewportEvent(QEvent* evento) override;

  private:
    void ajustaMargem();
    void destacaLinhaAtual();

    QWidget* margem_;
    RealceSintaxe* realce_;
    QFont fonteBase_;
    Maquina maquina_ = Maquina::Jelmo;
};

} // namespace orvandel
