// A batch of 1,000 small sources of the four machines, assembled by `orvandel-cli -b` in a
// temporary directory: process start, reading, both passes, images and logs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "geracao.hpp"

namespace orvandel::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFontes = 1000;
constexpr int kLinhasPorFonte = 40;

fs::path diretorioTemporario() {
    std::string modelo = (fs::temp_directory_path() / "orvandel-lote-XXXXXX").string();
    if (!::mkdtemp(modelo.data()))
        throw fs::filesystem_error("mkdtemp", std::error_code(errno, std::generic_category()));
    return modelo;
}

// The exit status of `orvandel-cli ARGUMENTOS` run in `diretorio`, its output discarded.
int executaCli(const fs::path& diretorio, const std::string& argumentos) {
    const std::string comando = "cd '" + diretorio.string() + "' && '" ORVANDEL_CLI "' " +
                                argumentos + " >/dev/null 2>&1 </dev/null";
    const int bruto = std::system(comando.c_str());
    return WIFEXITED(bruto) ? WEXITSTATUS(bruto) : -1;
}

// Batch processing is there when one clean Zibel source in a directory of its own comes out
// of `-b Z` with its image written.
bool aceitaLote() {
    const fs::path sonda = diretorioTemporario();
    geracao::geraLote(sonda, 1, kLinhasPorFonte);
    const bool aceita = executaCli(sonda, "-b Z") == 0 && fs::exists(sonda / "fonte0000.mem");
    fs::remove_all(sonda);
    return aceita;
}

void lote(benchmark::State& state) {
    if (!aceitaLote()) {
        state.SkipWithError("skipped: this orvandel-cli has no batch processing (-b) yet");
        return;
    }
    const fs::path diretorio = diretorioTemporario();
    geracao::geraLote(diretorio, kFontes, kLinhasPorFonte);
    for (auto _ : state)
        if (executaCli(diretorio, "-b") != 0) state.SkipWithError("the batch reported errors");
    fs::remove_all(diretorio);
    state.SetItemsProcessed(state.iterations() * kFontes);
}
BENCHMARK(lote)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
} // namespace orvandel::bench
