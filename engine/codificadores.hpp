// The encoders of the four machines and Jelmo's instruction-length rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "maquinas.hpp"
#include "montagem.hpp"

namespace orvandel {

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
// The length that tamanhoJelmo finds and keeps for a line when working it out reports nothing in
// any run, found from the operands' forms alone; 0 where it keeps none (no general operands, a
// wrong operand count, a displacement that may report) and for every other machine's rows.
int32_t tamanhoJelmoPelaForma(const LinhaInstrucao& instrucao,
                              std::span<const std::string_view> operandos);
// The length that tamanhoJelmo gives without looking at the operands (the row's own, or the one
// pass 1 kept for the line); nullopt where it must work it out. Inline: asked twice of most
// Jelmo lines in pass 1.
inline std::optional<int32_t>
tamanhoJelmoConhecido(const Montador& m, const LinhaInstrucao& instrucao, int32_t numLinha) {
    if (operandosGerais(instrucao.forma) == 0) return instrucao.tamanho;
    const auto linha = static_cast<size_t>(numLinha);
    if (linha < m.tamanhosJelmo.size() && m.tamanhosJelmo[linha] != 0)
        return m.tamanhosJelmo[linha];
    return std::nullopt;
}

} // namespace orvandel
