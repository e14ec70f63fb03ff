// The encoders of the four machines and Jelmo's instruction-length rule.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "maquinas.hpp"

namespace orvandel {

struct Montador;

void geraZibel(Montador& m, const LinhaInstrucao& instrucao,
               std::span<const std::string_view> operandos, int32_t contPosicao, int32_t numLinha);
void geraKovra(Montador& m, const LinhaInstrucao& instrucao,
               std::span<const std::string_view> operandos, int32_t contPosicao, int32_t numLinha);
void geraQuirla(Montador& m, const LinhaInstrucao& instrucao,
                std::span<const std::string_view> operandos, int32_t contPosicao, int32_t numLinha);
void geraJelmo(Montador& m, const LinhaInstrucao& instrucao,
               std::span<const std::string_view> operandos, int32_t contPosicao, int32_t numLinha);

// Jelmo's length of an instruction whose table row is `instrucao`.
int32_t tamanhoJelmo(Montador& m, const LinhaInstrucao& instrucao,
                     std::span<const std::string_view> operandos, int32_t numLinha);

} // namespace orvandel
