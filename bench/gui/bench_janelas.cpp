// The desktop program's own speed, on the offscreen platform: the memory map showing a Jelmo
// image and switching between hexadecimal and decimal, Assemble of a 10,000-line Jelmo source
// through to the refreshed map, and the main window built and shown. Each iteration paints
// synchronously, so the time includes what the user waits for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMenuBar>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "../fontes_bench.hpp"
#include "editor_fonte.hpp"
#include "janela_mapa.hpp"
#include "janela_principal.hpp"

namespace orvandel::bench {
namespace {

class SemDialogos : public Dialogos {
  public:
    std::optional<QString> arquivoParaAbrir(QWidget*, const FiltroArquivos&) override { return {}; }
    std::optional<QString> arquivoParaSalvar(QWidget*, const FiltroArquivos&) override {
        return {};
    }
    void mensagem(QWidget*, const QString& texto) override { qFatal("%s", qPrintable(texto)); }
    bool pergunta(QWidget*, const QString&) override { return false; }
};

QAction* acao(QWidget* janela, const QString& texto) {
    for (QAction* menu : janela->findChild<QMenuBar*>()->actions())
        for (QAction* a : menu->menu()->actions())
            if (a->text() == texto) return a;
    qFatal("no action %s", qPrintable(texto));
}

// A main window with a generated Jelmo source opened from the command line, as a student's.
class Bancada {
  public:
    explicit Bancada(int linhas)
        : dir_(std::filesystem::temp_directory_path() / "orvandel-bench-gui") {
        std::filesystem::create_directories(dir_);
        const std::filesystem::path fonte = dir_ / "programa.jed";
        std::ofstream(fonte, std::ios::binary) << textoFonte(geracao::Dialeto::Jelmo, linhas);
        janela.executaLinhaDeComando(examinaArgumentos({fonte.string()}));
        janela.show();
        if (!QTest::qWaitForWindowExposed(&janela)) qFatal("window not exposed");
    }
    ~Bancada() { std::filesystem::remove_all(dir_); }

    void monta() { acao(&janela, QStringLiteral("&Montar"))->trigger(); }
    void mostraMapa() {
        acao(&janela, QStringLiteral("&Mapa de Memória"))->trigger();
        if (!QTest::qWaitForWindowExposed(janela.mapa())) qFatal("map not exposed");
    }
    void pintaMapa() { janela.mapa()->tabela()->viewport()->repaint(); }

    SemDialogos dialogos;
    JanelaPrincipal janela{dialogos};

  private:
    std::filesystem::path dir_;
};

void mapaAlternaBase(benchmark::State& state) {
    Bancada bancada(100000);
    bancada.monta();
    bancada.mostraMapa();
    QAction* bases[] = {acao(bancada.janela.mapa(), QStringLiteral("&Decimal")),
                        acao(bancada.janela.mapa(), QStringLiteral("&Hexadecimal"))};
    int vez = 0;
    for (auto _ : state) {
        bases[vez++ % 2]->trigger();
        bancada.pintaMapa();
    }
}
BENCHMARK(mapaAlternaBase)->Unit(benchmark::kMillisecond);

void mapaRolaPelaImagem(benchmark::State& state) {
    Bancada bancada(100000);
    bancada.monta();
    bancada.mostraMapa();
    QTableView* tabela = bancada.janela.mapa()->tabela();
    int linha = 0;
    for (auto _ : state) {
        linha = (linha + 4099) % 65536;
        tabela->scrollTo(tabela->model()->index(linha, 0));
        bancada.pintaMapa();
    }
}
BENCHMARK(mapaRolaPelaImagem)->Unit(benchmark::kMillisecond);

void montaAteOMapa(benchmark::State& state) {
    Bancada bancada(static_cast<int>(state.range(0)));
    bancada.mostraMapa();
    for (auto _ : state) {
        bancada.monta();
        bancada.pintaMapa();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(montaAteOMapa)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A key typed in the middle of a 10,000-line source: the colours of that line alone are redone.
void digitaEmFonteGrande(benchmark::State& state) {
    Bancada bancada(10000);
    EditorFonte* editor = bancada.janela.editor();
    editor->vaiParaLinha(5000);
    for (auto _ : state) {
        QTest::keyClick(editor, Qt::Key_X);
        QTest::keyClick(editor, Qt::Key_Backspace);
        editor->viewport()->repaint();
    }
}
BENCHMARK(digitaEmFonteGrande)->Unit(benchmark::kMillisecond);

void janelaCriadaEMostrada(benchmark::State& state) {
    for (auto _ : state) {
        SemDialogos dialogos;
        JanelaPrincipal janela(dialogos);
        janela.show();
        if (!QTest::qWaitForWindowExposed(&janela)) qFatal("window not exposed");
        janela.repaint();
    }
}
BENCHMARK(janelaCriadaEMostrada)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orvandel::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    orvandel::instalaTraducoes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
