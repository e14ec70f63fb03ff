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
class LinhasPorCortar;

// Defines labels and EQU constants and counts locations over the lines; places nothing. Given
// `porCortar`, the lines are its own, still to be cut: pass 1 cuts them, or has them cut ahead of
// it, and when it returns every one is cut.
void primeiraPassagem(Montador& m, std::span<const std::string_view> linhas,
                      LinhasPorCortar* porCortar = nullptr);
// Walks the lines again with its own counter and fills the memory image.
void segundaPassagem(Montador& m, std::span<const std::string_view> linhas);

// The number of bytes an instruction line occupies on the run's machine.
int32_t tamanhoInstrucao(Montador& m, std::string_view operacao,
                         std::span<const std::string_view> operandos, int32_t numLinha);

} // namespace orvandel
