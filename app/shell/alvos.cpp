// The shell's machine numbering and each machine's letter and source extension.
#include "alvos.hpp"

#include <array>

namespace orvandel {

namespace {

struct Alvo {
    Maquina maquina;
    std::string_view letra;
    std::string_view extensao;
};

// In index order.
constexpr std::array<Alvo, kQuantidadeAlvos> kAlvos = {{
    {Maquina::Kovra, "K", "KOD"},
    {Maquina::Quirla, "Q", "QUD"},
    {Maquina::Jelmo, "J", "JED"},
    {Maquina::Zibel, "Z", "ZID"},
}};

} // namespace

Maquina maquinaDoAlvo(int maquinaAlvo) {
    return kAlvos.at(static_cast<size_t>(maquinaAlvo)).maquina;
}

int alvoDaMaquina(Maquina maquina) {
    for (size_t i = 0; i < kAlvos.size(); ++i)
        if (kAlvos[i].maquina == maquina) return static_cast<int>(i);
    return kAlvoInicial;
}

int alvoPorLetra(std::string_view letra) {
    for (size_t i = 0; i < kAlvos.size(); ++i)
        if (kAlvos[i].letra == letra) return static_cast<int>(i);
    return kTodasMaquinas;
}

std::string_view extensaoFonte(Maquina maquina) {
    return kAlvos[static_cast<size_t>(alvoDaMaquina(maquina))].extensao;
}

} // namespace orvandel
