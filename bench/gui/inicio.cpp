// The desktop program's start, as a whole process: Qt loaded, translations installed, the main
// window built, shown and painted once, then the end. Timed from outside by hyperfine.
#include <QApplication>
#include <QTest>

#include "janela_principal.hpp"

namespace {

class SemDialogos : public orvandel::Dialogos {
  public:
    std::optional<QString> arquivoParaAbrir(QWidget*, const orvandel::FiltroArquivos&) override {
        return {};
    }
    std::optional<QString> arquivoParaSalvar(QWidget*, const orvandel::FiltroArquivos&) override {
        return {};
    }
    void mensagem(QWidget*, const QString&) override {}
    bool pergunta(QWidget*, const QString&) override { return false; }
};

} // namespace

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    orvandel::instalaTraducoes();
    SemDialogos dialogos;
    orvandel::JanelaPrincipal janela(dialogos);
    janela.show();
    if (!QTest::qWaitForWindowExposed(&janela)) return 1;
    janela.repaint();
    return 0;
}
