// The shell's targets: the engine's four machines in the shell's numbering, `maquinaAlvo`
// (0 Kovra, 1 Quirla, 2 Jelmo, 3 Zibel: the order in which a batch of all four runs; -1 for
// all four), each extended by what only the shell knows of it. Names and image tags stay the
// engine's (nomeMaquina, etiquetaImagem).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "orvandel/maquinas.hpp"

namespace orvandel {

struct Alvo {
    Maquina maquina;
    std::string_view letra;    // after "-b", case-sensitive
    std::string_view extensao; // of its sources, upper case
};

// One row per machine, in index order.
inline constexpr std::array<Alvo, 4> kAlvos = {{
    {Maquina::Kovra, "K", "KOD"},
    {Maquina::Quirla, "Q", "QUD"},
    {Maquina::Jelmo, "J", "JED"},
    {Maquina::Zibel, "Z", "ZID"},
}};

inline constexpr int kTodasMaquinas = -1;
inline constexpr int kQuantidadeAlvos = static_cast<int>(kAlvos.size());

// The index of the machine's row (every machine has one).
constexpr int alvoDaMaquina(Maquina maquina) {
    for (size_t i = 0; i < kAlvos.size(); ++i)
        if (kAlvos[i].maquina == maquina) return static_cast<int>(i);
    return kTodasMaquinas;
}

// The machine selected when the program starts.
inline constexpr int kAlvoInicial = alvoDaMaquina(Maquina::Jelmo);
// Off the desktop program's selector: only a source's extension chooses Zibel.
inline constexpr int kAlvoZibel = alvoDaMaquina(Maquina::Zibel);

// The machine of an index from 0 to 3; std::out_of_range for any other index.
Maquina maquinaDoAlvo(int maquinaAlvo);

// The index that the letter after "-b" names ("K", "Q", "J", "Z"; case-sensitive), or -1.
int alvoPorLetra(std::string_view letra);

// The upper-case extension of the machine's sources: "KOD", "QUD", "JED", "ZID".
std::string_view extensaoFonte(Maquina maquina);
// The same in lower case ("kod"), as the save dialog and the desktop's associations write it.
std::string extensaoMinuscula(Maquina maquina);

} // namespace orvandel
