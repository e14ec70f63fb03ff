// The encoders of the four machines and Jelmo's instruction-length rule.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tabelas.hpp"

namespace orvandel {

struct Montador;

void geraZibel(Montador& m, std::string_view operacao, std::vector<std::string>& operandos,
               int32_t contPosicao, int32_t numLinha);
void geraKovra(Montador& m, std::string_view operacao, std::vector<std::string>& operandos,
               int32_t contPosicao, int32_t numLinha);
void geraQuirla(Montador& m, std::string_view operacao, std::vector<std::string>& operandos,
                int32_t contPosicao, int32_t numLinha);
void geraJelmo(Montador& m, std::string_view operacao, std::vector<std::string>& operandos,
               int32_t contPosicao, int32_t numLinha);

// Jelmo's length of an instruction whose table row is `instrucao`.
int32_t tamanhoJelmo(Montador& m, const tipoInstrucao& instrucao,
                     const std::vector<std::string>& operandos, int32_t numLinha);

} // namespace orvandel
