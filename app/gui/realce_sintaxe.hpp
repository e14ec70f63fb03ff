// The editor's colours: each block coloured by itself, from the engine's view of the line, so
// typing in a long source re-colours only the lines it touches.
#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

#include "realce.hpp"

namespace orvandel {

class RealceSintaxe : public QSyntaxHighlighter {
  public:
    explicit RealceSintaxe(QTextDocument* documento);
    void defineMaquina(Maquina maquina);

  protected:
    void highlightBlock(const QString& texto) override;

  private:
    Maquina maquina_ = Maquina::Jelmo;
    std::array<QTextCharFormat, 7> formatos_; // by Categoria
};

} // namespace orvandel
