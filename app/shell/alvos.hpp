// The shell's numbering of the target machines, `maquinaAlvo`: 0 Kovra, 1 Quirla, 2 Jelmo,
// 3 Zibel (the order in which a batch of all four runs), and -1 for all four.
#pragma once

#include <string_view>

#include "orvandel/maquinas.hpp"

namespace orvandel {

inline constexpr int kTodasMaquinas = -1;
inline constexpr int kAlvoInicial = 2; // Jelmo: the machine selected when the program starts
inline constexpr int kQuantidadeAlvos = 4;

// The machine of an index from 0 to 3; std::out_of_range for any other index.
Maquina maquinaDoAlvo(int maquinaAlvo);
int alvoDaMaquina(Maquina maquina);

// The index that the letter after "-b" names ("K", "Q", "J", "Z"; case-sensitive), or -1.
int alvoPorLetra(std::string_view letra);

// The upper-case extension of the machine's sources: "KOD", "QUD", "JED", "ZID".
std::string_view extensaoFonte(Maquina maquina);

} // namespace orvandel
