// The source editor and its margin.
#include "editor_fonte.hpp"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QToolTip>

#include "ajuda_instrucao.hpp"
#include "realce_sintaxe.hpp"

namespace orvandel {

namespace {

// The messages of one line, kept with its block so that the mark moves with the text.
class MarcaDeMensagens : public QTextBlockUserData {
  public:
    bool temErro = false;
    QStringList textos;
};

MarcaDeMensagens* marcaDe(const QTextBlock& bloco) {
    return static_cast<MarcaDeMensagens*>(bloco.userData());
}

class Margem : public QWidget {
  public:
    explicit Margem(EditorFonte* editor) : QWidget(editor), editor_(editor) {
        setAccessibleName(QStringLiteral("Números de linha e marcas de mensagens"));
    }
    QSize sizeHint() const override { return {editor_->larguraMargem(), 0}; }

  protected:
    void paintEvent(QPaintEvent* evento) override { editor_->pintaMargem(evento); }
    bool event(QEvent* evento) override {
        if (evento->type() != QEvent::ToolTip) return QWidget::event(evento);
        const auto* ajuda = static_cast<QHelpEvent*>(evento);
        const QString texto = editor_->mensagensNaAltura(ajuda->pos().y());
        if (texto.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(ajuda->globalPos(), texto, this);
        return true;
    }

  private:
    EditorFonte* editor_;
};

// An error is a red disc, a warning an amber triangle: told apart by shape as well as colour.
void pintaMarca(QPainter& pintor, const QRectF& area, bool erro) {
    const qreal lado = std::min(area.width(), area.height()) * 0.7;
    const QRectF caixa(area.center().x() - lado / 2, area.center().y() - lado / 2, lado, lado);
    pintor.setPen(Qt::NoPen);
    if (erro) {
        pintor.setBrush(QColor(0xD0, 0x20, 0x20));
        pintor.drawEllipse(caixa);
        return;
    }
    QPainterPath triangulo;
    triangulo.moveTo(caixa.center().x(), caixa.top());
    triangulo.lineTo(caixa.bottomRight());
    triangulo.lineTo(caixa.bottomLeft());
    triangulo.closeSubpath();
    pintor.setBrush(QColor(0xE0, 0x90, 0x00));
    pintor.drawPath(triangulo);
}

} // namespace

EditorFonte::EditorFonte(QWidget* pai) : QPlainTextEdit(pai), margem_(new Margem(this)) {
    realce_ = new RealceSintaxe(document());
    connect(this, &QPlainTextEdit::blockCountChanged, this, &EditorFonte::ajustaMargem);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& area, int rolagem) {
        if (rolagem)
            margem_->scroll(0, rolagem);
        else
            margem_->update(0, area.y(), margem_->width(), area.height());
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &EditorFonte::destacaLinhaAtual);
    ajustaMargem();
    destacaLinhaAtual();
}

void EditorFonte::marcaMensagens(const std::vector<Mensagem>& mensagens) {
    for (QTextBlock bloco = document()->begin(); bloco.isValid(); bloco = bloco.next())
        if (bloco.userData()) bloco.setUserData(nullptr);
    for (const Mensagem& mensagem : mensagens) {
        QTextBlock bloco = document()->findBlockByNumber(mensagem.numLinha);
        if (!bloco.isValid()) continue;
        if (!marcaDe(bloco)) bloco.setUserData(new MarcaDeMensagens);
        MarcaDeMensagens* marca = marcaDe(bloco);
        marca->temErro |= mensagem.tipo == TipoMensagem::Erro;
        marca->textos << QString::fromStdString(mensagem.linhaLista());
    }
    margem_->update();
}

void EditorFonte::vaiParaLinha(int linha) {
    const QTextBlock bloco = document()->findBlockByNumber(linha);
    if (!bloco.isValid()) return;
    setTextCursor(QTextCursor(bloco));
    centerCursor();
    setFocus();
}

void EditorFonte::defineMaquina(Maquina maquina) {
    maquina_ = maquina;
    realce_->defineMaquina(maquina);
}

void EditorFonte::ampliaFonte(int passos) {
    if (fonteBase_.family().isEmpty()) fonteBase_ = font();
    passos > 0 ? zoomIn(passos) : zoomOut(-passos);
    ajustaMargem();
}

void EditorFonte::restauraFonte() {
    if (fonteBase_.family().isEmpty()) return;
    setFont(fonteBase_);
    ajustaMargem();
}

int EditorFonte::larguraMargem() const {
    const int digitos = QString::number(std::max(1, blockCount())).size();
    const int marca = fontMetrics().height();
    return 6 + marca + fontMetrics().horizontalAdvance(u'9') * digitos;
}

void EditorFonte::pintaMargem(QPaintEvent* evento) {
    QPainter pintor(margem_);
    pintor.fillRect(evento->rect(), palette().color(QPalette::AlternateBase));
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setFont(font());
    const int altura = fontMetrics().height();
    QTextBlock bloco = firstVisibleBlock();
    qreal topo = blockBoundingGeometry(bloco).translated(contentOffset()).top();
    while (bloco.isValid() && topo <= evento->rect().bottom()) {
        const qreal base = topo + blockBoundingRect(bloco).height();
        if (bloco.isVisible() && base >= evento->rect().top()) {
            if (const MarcaDeMensagens* marca = marcaDe(bloco))
                pintaMarca(pintor, QRectF(2, topo, altura, altura), marca->temErro);
            pintor.setPen(palette().color(QPalette::PlaceholderText));
            pintor.drawText(QRectF(0, topo, margem_->width() - 3, altura), Qt::AlignRight,
                            QString::number(bloco.blockNumber() + 1));
        }
        bloco = bloco.next();
        topo = base;
    }
}

QString EditorFonte::mensagensNaAltura(int y) const {
    QTextBlock bloco = firstVisibleBlock();
    qreal topo = blockBoundingGeometry(bloco).translated(contentOffset()).top();
    while (bloco.isValid() && topo <= y) {
        const qreal base = topo + blockBoundingRect(bloco).height();
        if (y < base) return marcaDe(bloco) ? marcaDe(bloco)->textos.join(u'\n') : QString();
        bloco = bloco.next();
        topo = base;
    }
    return {};
}

void EditorFonte::resizeEvent(QResizeEvent* evento) {
    QPlainTextEdit::resizeEvent(evento);
    const QRect area = contentsRect();
    margem_->setGeometry(area.left(), area.top(), larguraMargem(), area.height());
}

void EditorFonte::ajustaMargem() {
    setViewportMargins(larguraMargem(), 0, 0, 0);
    const QRect area = contentsRect();
    margem_->setGeometry(area.left(), area.top(), larguraMargem(), area.height());
    margem_->update();
}

void EditorFonte::destacaLinhaAtual() {
    QTextEdit::ExtraSelection linha;
    linha.format.setBackground(QColor(0xFF, 0xF6, 0xC8));
    linha.format.setProperty(QTextFormat::FullWidthSelection, true);
    linha.cursor = textCursor();
    linha.cursor.clearSelection();
    setExtraSelections({linha});
}

QString EditorFonte::ajudaNoPonto(const QPoint& ponto) const {
    const QTextCursor cursor = cursorForPosition(ponto);
    // Past the end of a line the nearest caret position is its end: only a point on text counts.
    if (std::abs(cursorRect(cursor).center().x() - ponto.x()) > fontMetrics().averageCharWidth())
        return {};
    const QString texto = cursor.block().text();
    const auto coluna = static_cast<size_t>(cursor.positionInBlock());
    for (const Trecho& trecho : classificaLinha(texto.toStdU16String(), maquina_)) {
        if (trecho.categoria != Categoria::Instrucao || coluna < trecho.inicio ||
            coluna > trecho.inicio + trecho.comprimento)
            continue;
        const QString mnemonico = texto.mid(static_cast<qsizetype>(trecho.inicio),
                                            static_cast<qsizetype>(trecho.comprimento));
        return QString::fromStdString(ajudaDaInstrucao(mnemonico.toStdString(), maquina_));
    }
    return {};
}

// Hovering a mnemonic shows what the machine makes of it.
bool EditorFonte::viewportEvent(QEvent* evento) {
    if (evento->type() != QEvent::ToolTip) return QPlainTextEdit::viewportEvent(evento);
    const auto* ajuda = static_cast<QHelpEvent*>(evento);
    const QString texto = ajudaNoPonto(ajuda->pos());
    if (texto.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(ajuda->globalPos(), texto, viewport());
    return true;
}

} // namespace orvandel
