// Whole assembly runs (reset, pass 1, pass 2) on generated sources of 1,000 to 1,000,000 lines.
// items_per_second is source lines per second.
#include <benchmark/benchmark.h>

#include <memory>

#include "fontes_bench.hpp"
#include "montagem.hpp"
#include "orvandel/montagem.hpp"
#include "orvandel/texto.hpp"

namespace orvandel::bench {
namespace {

// `monta(m)` over and over on one Montador, for a source of state.range(0) lines.
template <typename Monta> void mede(benchmark::State& state, Monta&& monta) {
    auto m = std::make_unique<Montador>();
    for (auto _ : state) {
        monta(*m);
        benchmark::DoNotOptimize(m->memoria.data());
    }
    if (m->contErros() != 0) state.SkipWithError("the generated source drew errors");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void montagem(benchmark::State& state, geracao::Dialeto dialeto, Maquina maquina) {
    const std::vector<std::string>& fonte = linhasFonte(dialeto, static_cast<int>(state.range(0)));
    mede(state, [&](Montador& m) { m.monta(maquina, fonte); });
}

BENCHMARK_CAPTURE(montagem, Jelmo, geracao::Dialeto::Jelmo, Maquina::Jelmo)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(montagem, Kovra, geracao::Dialeto::Kovra, Maquina::Kovra)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);

// The same runs over the source's whole text, as orvandel-cli hands it over: the engine counts
// and cuts its lines, on the thread that splits them ahead of pass 1 from 8,192 lines on.
void montagemTexto(benchmark::State& state, geracao::Dialeto dialeto, Maquina maquina) {
    const std::string& texto = textoFonte(dialeto, static_cast<int>(state.range(0)));
    const CodificacaoLinhas codificacao =
        ehUtf8NaoAscii(texto) ? CodificacaoLinhas::Utf8 : CodificacaoLinhas::Cp1252;
    mede(state, [&](Montador& m) { m.monta(maquina, texto, codificacao); });
}

BENCHMARK_CAPTURE(montagemTexto, Jelmo, geracao::Dialeto::Jelmo, Maquina::Jelmo)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(montagemTexto, Kovra, geracao::Dialeto::Kovra, Maquina::Kovra)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);

// The same runs through the front ends' face, with the record of which line placed each byte
// off (what every run pays for its existence) and on (what a listing or a teaching view pays).
void montagemOrigens(benchmark::State& state, geracao::Dialeto dialeto, Maquina maquina) {
    const std::vector<std::string>& fonte = linhasFonte(dialeto, 100000);
    Montagem montagem;
    montagem.registraOrigens(state.range(0) != 0);
    for (auto _ : state) {
        montagem.monta(maquina, fonte);
        benchmark::DoNotOptimize(montagem.memoria().data());
    }
    if (montagem.contErros() != 0) state.SkipWithError("the generated source drew errors");
    state.SetItemsProcessed(state.iterations() * 100000);
}

BENCHMARK_CAPTURE(montagemOrigens, Jelmo, geracao::Dialeto::Jelmo, Maquina::Jelmo)
    ->ArgName("origens")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(montagemOrigens, Kovra, geracao::Dialeto::Kovra, Maquina::Kovra)
    ->ArgName("origens")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orvandel::bench
