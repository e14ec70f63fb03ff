// The parts of a run on their own: the source decoder, the line cut, the splitter, the value
// routines, and the image and listing writers.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "fonte.hpp"
#include "fontes_bench.hpp"
#include "imagem.hpp"
#include "linha.hpp"
#include "listagem.hpp"
#include "montagem.hpp"
#include "saidas.hpp"
#include "texto.hpp"
#include "valores.hpp"

namespace orvandel::bench {
namespace {

constexpr int kLinhas = 100000;

std::unique_ptr<Montador> montado(geracao::Dialeto dialeto, Maquina maquina) {
    auto m = std::make_unique<Montador>();
    m->monta(maquina, linhasFonte(dialeto, kLinhas));
    return m;
}

// Windows-1252 bytes with BOM detection and line ends -> UTF-8 lines.
void decodificador(benchmark::State& state) {
    const std::string& bytes = textoFonte(geracao::Dialeto::Jelmo, kLinhas);
    for (auto _ : state) benchmark::DoNotOptimize(decodificaFonte(bytes));
    state.SetItemsProcessed(state.iterations() * kLinhas);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(decodificador)->Unit(benchmark::kMillisecond);

// A source's text cut into line views: the lines counted, then cut, as the engine does.
void corte(benchmark::State& state) {
    const std::string& bytes = textoFonte(geracao::Dialeto::Jelmo, kLinhas);
    for (auto _ : state) benchmark::DoNotOptimize(vistasDasLinhas(bytes));
    state.SetItemsProcessed(state.iterations() * kLinhas);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(corte)->Unit(benchmark::kMillisecond);

// separaLinha over every line, as pass 2 hands them over (8-bit, case as written).
void separador(benchmark::State& state) {
    std::vector<std::string> linhas;
    for (const std::string& linha : linhasFonte(geracao::Dialeto::Jelmo, kLinhas))
        linhas.push_back(utf8ParaCp1252(linha));
    elemLinha e;
    for (auto _ : state)
        for (const std::string& linha : linhas) benchmark::DoNotOptimize(separaLinha(linha, e));
    state.SetItemsProcessed(state.iterations() * kLinhas);
}
BENCHMARK(separador)->Unit(benchmark::kMillisecond);

// The operands that reach the value routines: Jelmo's register forms, with parentheses, have
// recognisers of their own.
std::vector<std::string> operandos(geracao::Dialeto dialeto) {
    std::vector<std::string> todos;
    elemLinha e;
    for (const std::string& linha : linhasFonte(dialeto, kLinhas)) {
        const std::string cp1252 = utf8ParaCp1252(linha);
        separaLinha(cp1252, e);
        for (std::string_view operando : e.operandos)
            if (operando.find('(') == std::string_view::npos) todos.emplace_back(operando);
    }
    return todos;
}

// Every such operand through the value routines, with the symbols the run defined: numerals
// are converted, the rest resolved as symbol references or immediates.
void valores(benchmark::State& state, geracao::Dialeto dialeto, Maquina maquina) {
    const std::vector<std::string> textos = operandos(dialeto);
    const auto m = montado(dialeto, maquina);
    int32_t valor = 0;
    for (auto _ : state)
        for (const std::string& texto : textos) {
            if (ehNumero(texto))
                valor = converteNumero(*m, texto, 0);
            else if (!resolveSimbolo(*m, texto, valor, 0))
                valorImediato(*m, texto, valor, 0);
            benchmark::DoNotOptimize(valor);
        }
    if (!m->mensagens().empty()) state.SkipWithError("the operands drew messages");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(textos.size()));
}
BENCHMARK_CAPTURE(valores, Jelmo, geracao::Dialeto::Jelmo, Maquina::Jelmo)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(valores, Kovra, geracao::Dialeto::Kovra, Maquina::Kovra)
    ->Unit(benchmark::kMillisecond);

void imagem(benchmark::State& state, Maquina maquina) {
    const auto m = montado(
        maquina == Maquina::Jelmo ? geracao::Dialeto::Jelmo : geracao::Dialeto::Kovra, maquina);
    for (auto _ : state) benchmark::DoNotOptimize(conteudoArquivoMem(maquina, m->memoria));
}
BENCHMARK_CAPTURE(imagem, Jelmo, Maquina::Jelmo);
BENCHMARK_CAPTURE(imagem, Kovra, Maquina::Kovra);

// The listing of a full table: 1,000 symbols.
void listagem(benchmark::State& state) {
    const auto m = montado(geracao::Dialeto::Kovra, Maquina::Kovra);
    for (auto _ : state) benchmark::DoNotOptimize(conteudoTabSimb(m->tabSimbolos));
}
BENCHMARK(listagem)->Unit(benchmark::kMicrosecond);

// Both files written as a successful run leaves them: temporary file, sync, rename.
void gravacao(benchmark::State& state) {
    Montagem m;
    m.monta(Maquina::Jelmo, linhasFonte(geracao::Dialeto::Jelmo, kLinhas));
    std::string modelo =
        (std::filesystem::temp_directory_path() / "orvandel-bench-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) return state.SkipWithError("mkdtemp failed");
    const std::filesystem::path fonte = std::filesystem::path(modelo) / "programa.jed";
    for (auto _ : state) gravaImagemEListagem(fonte, nomesSaida(fonte).imagem, m);
    std::filesystem::remove_all(modelo);
}
BENCHMARK(gravacao)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace orvandel::bench
