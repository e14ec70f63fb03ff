// The editor's colours.
#include "realce_sintaxe.hpp"

namespace orvandel {

namespace {

QTextCharFormat formato(const QColor& cor, bool negrito = false, bool italico = false) {
    QTextCharFormat f;
    f.setForeground(cor);
    if (negrito) f.setFontWeight(QFont::Bold);
    f.setFontItalic(italico);
    return f;
}

} // namespace

RealceSintaxe::RealceSintaxe(QTextDocument* documento) : QSyntaxHighlighter(documento) {
    formatos_[static_cast<size_t>(Categoria::Rotulo)] = formato(QColor(0x00, 0x00, 0x80), true);
    formatos_[static_cast<size_t>(Categoria::Instrucao)] = formato(QColor(0x00, 0x40, 0xC0), true);
    formatos_[static_cast<size_t>(Categoria::Diretiva)] = formato(QColor(0x80, 0x00, 0x80), true);
    formatos_[static_cast<size_t>(Categoria::Registrador)] = formato(QColor(0x00, 0x70, 0x70));
    formatos_[static_cast<size_t>(Categoria::Numero)] = formato(QColor(0xA0, 0x30, 0x00));
    formatos_[static_cast<size_t>(Categoria::Literal)] = formato(QColor(0x00, 0x70, 0x00));
    formatos_[static_cast<size_t>(Categoria::Comentario)] =
        formato(QColor(0x70, 0x70, 0x70), false, true);
}

void RealceSintaxe::defineMaquina(Maquina maquina) {
    if (maquina == maquina_) return;
    maquina_ = maquina;
    rehighlight();
}

void RealceSintaxe::highlightBlock(const QString& texto) {
    const std::u16string_view linha(reinterpret_cast<const char16_t*>(texto.utf16()),
                                    static_cast<size_t>(texto.size()));
    for (const Trecho& t : classificaLinha(linha, maquina_))
        setFormat(static_cast<int>(t.inicio), static_cast<int>(t.comprimento),
                  formatos_[static_cast<size_t>(t.categoria)]);
}

} // namespace orvandel
