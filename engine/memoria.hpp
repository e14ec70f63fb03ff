// The 65,536-byte memory image and the checked routines that place values into it.
#pragma once

#include <array>
#include <cstdint>

#include "orvandel/maquinas.hpp"

namespace orvandel {

inline constexpr int32_t kTamanhoMemoria = 65536;
using Memoria = std::array<uint8_t, kTamanhoMemoria>;

struct Montador;

inline bool enderecoValido(Maquina maquina, int32_t endereco) {
    return endereco >= 0 && endereco <= ultimoEndereco(maquina);
}

// One memory word of the machine: a byte on the 8-bit machines, a big-endian word on Jelmo.
void armazenaPalavra(Montador& m, int32_t valor, int32_t endereco, int32_t numLinha);
// One byte, with the 8-bit value range on every machine.
void armazenaByte(Montador& m, int32_t valor, int32_t endereco, int32_t numLinha);

} // namespace orvandel
