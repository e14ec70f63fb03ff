// Fuzz target: orvandel-cli's option parser and the batch's --resumo. The input is the argument
// list, each argument ended by a NUL byte (the last one may go without).
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

// What the options promise the program: -o names the image of one source; the standard input
// is read once, for a machine named by -m, and writes files only under -o; each export format once.
void verificaRegras(const orvandel::OpcoesCli& opcoes) {
    const auto entradas = std::count(opcoes.arquivos.begin(), opcoes.arquivos.end(), "-");
    exige(!opcoes.saida || opcoes.ajuda || opcoes.versao || opcoes.arquivos.size() == 1,
          "-o vale para um único arquivo");
    exige(!opcoes.saida || !opcoes.saida->empty(), "-o tem um nome");
    if (!opcoes.ajuda && !opcoes.versao) {
        exige(entradas <= 1, "a entrada padrão é lida uma vez");
        exige(entradas == 0 || opcoes.maquina.has_value(), "a entrada padrão tem máquina");
        exige(entradas == 0 || opcoes.saida || (!opcoes.listagem && opcoes.formatos.empty()),
              "a entrada padrão só grava com -o");
    }
    auto formatos = opcoes.formatos;
    std::sort(formatos.begin(), formatos.end());
    exige(std::adjacent_find(formatos.begin(), formatos.end()) == formatos.end(),
          "cada formato uma vez");
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
    verificaRegras(opcoes);
    const auto lote = orvandel::separaResumo(lista);
    if (const auto* separados = std::get_if<orvandel::ArgumentosLote>(&lote))
        exige(std::none_of(separados->argumentos.begin(), separados->argumentos.end(),
                           [](const std::string& a) {
                               return a == "--resumo" || a.starts_with("--resumo=");
                           }),
              "o resumo sai dos argumentos do lote");
    return 0;
}
