// The checked routines that place values into the memory image.
#pragma once

#include <cstdint>

#include "maquinas.hpp"
#include "orvandel/memoria.hpp"

namespace orvandel {

struct Montador;

inline bool enderecoValido(Maquina maquina, int32_t endereco) {
    return endereco >= 0 && endereco <= fatosMaquina(maquina).ultimoEndereco;
}

// One memory word of the machine: a byte on the 8-bit machines, a big-endian word on Jelmo.
void armazenaPalavra(Montador& m, int32_t valor, int32_t endereco, int32_t numLinha);
// One byte, with the 8-bit value range on every machine.
void armazenaByte(Montador& m, int32_t valor, int32_t endereco, int32_t numLinha);

} // namespace orvandel
