// The directives ORG, EQU, DB, DW, DAB and DAW. Each runs a reservation step in both passes
// (how much memory the line takes, and what is wrong with that) and, in pass 2, a filling step
// that writes the image.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

struct Montador;

// The location counter after the directive line, `operacao` in any case; nullopt, with nothing
// done, when `operacao` names no directive. `passagem` is 1 or 2.
std::optional<int32_t> processaDiretiva(Montador& m, int passagem, std::string_view operacao,
                                        int32_t contPosicao,
                                        std::span<const std::string_view> operandos,
                                        int32_t numLinha);

} // namespace orvandel
