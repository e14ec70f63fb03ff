// The argument scan of the program's command line.
#include "argumentos.hpp"

#include "nomes.hpp"

namespace orvandel {

namespace {

// The argument right after "-b".
void consomeAposLote(LinhaDeComando& linha, const std::string& argumento) {
    if (argumento == "-v") {
        linha.verboso = true;
        return;
    }
    if (const int alvo = alvoPorLetra(argumento); alvo != kTodasMaquinas) linha.maquinaAlvo = alvo;
}

LinhaDeComando abreArquivo(const std::string& caminho) {
    return {ModoInicio::AbreArquivo, caminho, alvoPorExtensao(caminho), false};
}

} // namespace

LinhaDeComando examinaArgumentos(const std::vector<std::string>& argumentos) {
    LinhaDeComando linha;
    if (argumentos.empty()) return linha;
    if (argumentos[0] != "-b" && argumentos[0] != "-v") return abreArquivo(argumentos[0]);
    for (size_t i = 0; i < argumentos.size(); ++i) {
        if (argumentos[i] == "-v") {
            linha.verboso = true;
        } else if (argumentos[i] == "-b") {
            linha.modo = ModoInicio::Lote;
            linha.maquinaAlvo = kTodasMaquinas;
            if (i + 1 < argumentos.size()) consomeAposLote(linha, argumentos[++i]);
        }
    }
    return linha;
}

int alvoPorExtensao(std::string_view caminho) {
    return alvoDaMaquina(maquinaPorExtensao(caminho));
}

} // namespace orvandel
