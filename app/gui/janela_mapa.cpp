// The memory-map window.
#include "janela_mapa.hpp"

#include <QActionGroup>
#include <QCloseEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "navegacao.hpp"
#include "sessao.hpp"

namespace orvandel {

namespace {

constexpr int kLargura = 131;
constexpr int kAlturaMinima = 571;
constexpr int kLarguraColuna = 40;
constexpr int kAlturaLinha = 16;

// A line between the columns and none between the rows.
class DelegadoComLinhaVertical : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao,
               const QModelIndex& indice) const override {
        QStyledItemDelegate::paint(pintor, opcao, indice);
        pintor->save();
        pintor->setPen(opcao.palette.color(QPalette::Mid));
        pintor->drawLine(opcao.rect.topRight(), opcao.rect.bottomRight());
        pintor->restore();
    }
};

} // namespace

JanelaMapa::JanelaMapa(const Sessao& sessao, QWidget* pai)
    : QWidget(pai, Qt::Tool), sessao_(sessao), modelo_(sessao.montagem(), this) {
    setWindowTitle(QStringLiteral("Mapa da Memória"));
    setAccessibleName(windowTitle());
    setMinimumSize(kLargura, kAlturaMinima);
    setMaximumWidth(kLargura);
    resize(kLargura, kAlturaMinima);
    move(20, 32);
    criaTabela();
    criaMenu();
    recarrega();
}

void JanelaMapa::criaTabela() {
    tabela_ = new QTableView(this);
    tabela_->setAccessibleName(QStringLiteral("Endereços e valores"));
    tabela_->setModel(&modelo_);
    tabela_->setItemDelegate(new DelegadoComLinhaVertical(tabela_));
    tabela_->setShowGrid(false);
    tabela_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabela_->verticalHeader()->hide();
    tabela_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tabela_->verticalHeader()->setMinimumSectionSize(kAlturaLinha);
    tabela_->verticalHeader()->setDefaultSectionSize(kAlturaLinha);
    tabela_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tabela_->horizontalHeader()->setDefaultSectionSize(kLarguraColuna);
    tabela_->horizontalHeader()->setHighlightSections(false);
    tabela_->horizontalHeader()->setAccessibleName(QStringLiteral("Colunas End. e Valor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabela_);
    connect(tabela_, &QAbstractItemView::activated, this, [this](const QModelIndex& indice) {
        if (const int32_t linha = sessao_.montagem().linhaDoByte(indice.row()); linha >= 0)
            emit linhaPedida(linha);
    });
}

void JanelaMapa::criaMenu() {
    auto* barra = new QMenuBar(this);
    barra->setAccessibleName(QStringLiteral("Menu do mapa"));
    QMenu* visualizar = barra->addMenu(QStringLiteral("&Visualizar"));
    visualizar->setAccessibleName(QStringLiteral("Visualizar"));
    auto* grupo = new QActionGroup(this);
    decimal_ = visualizar->addAction(QStringLiteral("&Decimal"), QKeySequence(Qt::CTRL | Qt::Key_D),
                                     this, [this] { mostraNaBase(BaseMapa::Decimal); });
    hexadecimal_ =
        visualizar->addAction(QStringLiteral("&Hexadecimal"), QKeySequence(Qt::CTRL | Qt::Key_H),
                              this, [this] { mostraNaBase(BaseMapa::Hexadecimal); });
    for (QAction* acao : {decimal_, hexadecimal_}) {
        acao->setCheckable(true);
        grupo->addAction(acao);
        addAction(acao); // the shortcuts work wherever the focus is in this window
    }
    hexadecimal_->setChecked(true);
    visualizar->addSeparator();
    visualizar->addAction(QStringLiteral("Sai&r"), this, &QWidget::close);
    QMenu* ir = barra->addMenu(QStringLiteral("&Ir"));
    ir->setAccessibleName(QStringLiteral("Ir"));
    addAction(ir->addAction(QStringLiteral("Ir para &endereço..."),
                            QKeySequence(Qt::CTRL | Qt::Key_G), this,
                            &JanelaMapa::perguntaEndereco));
    layout()->setMenuBar(barra);
}

void JanelaMapa::perguntaEndereco() {
    bool escolheu = false;
    const QString texto =
        QInputDialog::getText(this, QStringLiteral("Ir para endereço"),
                              QStringLiteral("Endereço (na base do mapa, ou 0x...) ou rótulo:"),
                              QLineEdit::Normal, {}, &escolheu);
    if (!escolheu) return;
    const std::optional<int> endereco =
        leEndereco(texto.toStdString(), modelo_.base(), sessao_.montagem().simbolos(),
                   sessao_.enderecosMapa());
    if (endereco)
        mostraEndereco(*endereco);
    else
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("Endereço não encontrado: ") + texto);
}

void JanelaMapa::mostraEndereco(int endereco) {
    const QModelIndex indice = modelo_.index(endereco, 0);
    tabela_->setCurrentIndex(indice);
    tabela_->scrollTo(indice, QAbstractItemView::PositionAtCenter);
}

void JanelaMapa::mostraLinhas(int primeira, int ultima) {
    if (!modelo_.destacaLinhas(primeira, ultima)) return; // the caret moved within the lines
    const std::optional<int> endereco = primeiroEnderecoDasLinhas(
        sessao_.montagem().origens(), sessao_.enderecosMapa(), primeira, ultima);
    if (endereco) tabela_->scrollTo(modelo_.index(*endereco, 0));
}

void JanelaMapa::mostraNaBase(BaseMapa base) {
    (base == BaseMapa::Decimal ? decimal_ : hexadecimal_)->setChecked(true);
    modelo_.recarrega(sessao_.enderecosMapa(), base);
}

void JanelaMapa::mostra() {
    show();
    raise();
    activateWindow();
    tabela_->setFocus();
    recarrega();
}

void JanelaMapa::recarrega() {
    modelo_.recarrega(sessao_.enderecosMapa(), modelo_.base());
}

// Closing only hides the window; it keeps its view mode.
void JanelaMapa::closeEvent(QCloseEvent* evento) {
    QWidget::closeEvent(evento);
    emit fechada();
}

} // namespace orvandel
