// The shell's machine numbering and each machine's letter and source extension.
#include "alvos.hpp"

namespace orvandel {

Maquina maquinaDoAlvo(int maquinaAlvo) {
    return kAlvos.at(static_cast<size_t>(maquinaAlvo)).maquina;
}

int alvoPorLetra(std::string_view letra) {
    for (size_t i = 0; i < kAlvos.size(); ++i)
        if (kAlvos[i].letra == letra) return static_cast<int>(i);
    return kTodasMaquinas;
}

std::string_view extensaoFonte(Maquina maquina) {
    return kAlvos.at(static_cast<size_t>(alvoDaMaquina(maquina))).extensao;
}

std::string extensaoMinuscula(Maquina maquina) {
    std::string extensao(extensaoFonte(maquina));
    for (char& c : extensao) c = static_cast<char>(c - 'A' + 'a');
    return extensao;
}

} // namespace orvandel
