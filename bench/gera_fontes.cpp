// gera-fontes: writes the benchmark sources, for the machines and for the peer assemblers.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "geracao.hpp"

namespace {

constexpr const char* kUso = "Uso: gera-fontes DIALETO LINHAS [SEMENTE]   fonte na saida padrao\n"
                             "     gera-fontes --lote DIRETORIO QUANTIDADE LINHAS\n"
                             "DIALETO: zibel, kovra, quirla, jelmo, dasm (6502) ou gas (x86-64)\n";

int usoIncorreto() {
    std::fputs(kUso, stderr);
    return 2;
}

int geraUma(const std::string& nome, int linhas, uint32_t semente) {
    const auto dialeto = orvandel::geracao::dialetoPorNome(nome);
    if (!dialeto || linhas < orvandel::geracao::kMinimoLinhas) return usoIncorreto();
    const std::string texto = orvandel::geracao::geraFonte(*dialeto, linhas, semente);
    std::fwrite(texto.data(), 1, texto.size(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 5 && std::string(argv[1]) == "--lote") {
            orvandel::geracao::geraLote(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
            return 0;
        }
        if (argc == 3 || argc == 4)
            return geraUma(argv[1], std::atoi(argv[2]),
                           argc == 4 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10))
                                     : 1);
    } catch (const std::exception& falha) {
        std::fprintf(stderr, "gera-fontes: %s\n", falha.what());
        return 1;
    }
    return usoIncorreto();
}
