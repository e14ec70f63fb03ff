// The memory-image file that simulators load: 03h, a three-letter machine tag, then 256
// two-byte cells (8-bit machines, 516 bytes) or the whole 65,536-byte image (Jelmo, 65,540).
#pragma once

#include <filesystem>
#include <string>

#include "orvandel/maquinas.hpp"
#include "orvandel/memoria.hpp"

namespace orvandel {

std::string conteudoArquivoMem(Maquina maquina, const Memoria& memoria);

// Writes the image atomically. Throws FalhaArquivo.
void gravaArquivoMem(const std::filesystem::path& nomeArquivoMem, Maquina maquina,
                     const Memoria& memoria);

} // namespace orvandel
