// The two passes over the source text and the instruction lengths they share.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

struct Montador;
enum class Maquina;

// Defines labels and EQU constants and counts locations over the lines; places nothing.
void primeiraPassagem(Montador& m, std::span<const std::string_view> linhas);
// Walks the lines again with its own counter and fills the memory image.
void segundaPassagem(Montador& m, std::span<const std::string_view> linhas);

// The number of bytes an instruction line occupies on the run's machine.
int32_t tamanhoInstrucao(Montador& m, std::string_view operacao,
                         std::span<const std::string_view> operandos, int32_t numLinha);

} // namespace orvandel
