// The memory map's texts: addresses and values in upper-case hexadecimal without prefix or
// leading zeros, or in plain decimal.
#pragma once

#include <string>

#include "orvandel/maquinas.hpp"
#include "orvandel/memoria.hpp"

namespace orvandel {

enum class BaseMapa { Hexadecimal, Decimal };

std::string celulaMapa(unsigned valor, BaseMapa base);

// How many addresses the map lists for a machine: 65,536 on Jelmo, 256 on the others.
int enderecosMapa(Maquina maquina);

// One line per address: the address, a blank, the value.
std::string textoMapa(const Memoria& memoria, Maquina maquina, BaseMapa base);

} // namespace orvandel
