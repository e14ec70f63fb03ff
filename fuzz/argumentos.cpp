// Fuzz target: the program's command-line scan (open a file, run a batch, or interactive use).
// The input is the argument list, each argument ended by a NUL byte.
#include <algorithm>
#include <cstdint>

#include "argumentos.hpp"
#include "exige.hpp"

using orvandel::fuzz::exige;

namespace {

bool contem(const std::vector<std::string>& lista, const char* argumento) {
    return std::find(lista.begin(), lista.end(), argumento) != lista.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const std::vector<std::string> lista =
        orvandel::fuzz::divideArgumentos({reinterpret_cast<const char*>(dados), tamanho});
    const orvandel::LinhaDeComando linha = orvandel::examinaArgumentos(lista);
    const bool abre = !lista.empty() && lista[0] != "-b" && lista[0] != "-v";
    exige((linha.modo == orvandel::ModoInicio::AbreArquivo) == abre, "o primeiro argumento decide");
    if (abre) {
        exige(linha.nomeArquivo == lista[0] && !linha.verboso, "abre o arquivo como foi dado");
        return 0;
    }
    exige((linha.modo == orvandel::ModoInicio::Lote) == contem(lista, "-b"), "lote só com -b");
    exige(!linha.verboso || contem(lista, "-v"), "verboso só com -v");
    if (linha.modo == orvandel::ModoInicio::Lote)
        exige(linha.maquinaAlvo >= orvandel::kTodasMaquinas && linha.maquinaAlvo <= 3,
              "uma máquina ou todas");
    return 0;
}
