// Fuzz target: orvandel-cli's option parser. The input is the argument list, each argument
// ended by a NUL byte (the last one may go without).
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "exige.hpp"
#include "opcoes.hpp"

using orvandel::fuzz::exige;

namespace {

// Every file named is one of the arguments, in the order given.
bool arquivosVemDosArgumentos(const std::vector<std::string>& arquivos,
                              const std::vector<std::string>& lista) {
    auto proximo = lista.begin();
    for (const std::string& arquivo : arquivos) {
        proximo = std::find(proximo, lista.end(), arquivo);
        if (proximo == lista.end()) return false;
        ++proximo;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const std::vector<std::string> lista =
        orvandel::fuzz::divideArgumentos({reinterpret_cast<const char*>(dados), tamanho});
    const auto lidas = orvandel::leOpcoes(lista);
    if (const std::string* erro = std::get_if<std::string>(&lidas)) {
        exige(!erro->empty(), "um erro de uso se explica");
        return 0;
    }
    const orvandel::OpcoesCli& opcoes = std::get<orvandel::OpcoesCli>(lidas);
    exige(!opcoes.arquivos.empty() || opcoes.ajuda || opcoes.versao, "sem erro, há o que fazer");
    exige(arquivosVemDosArgumentos(opcoes.arquivos, lista), "os arquivos são argumentos, em ordem");
    return 0;
}
