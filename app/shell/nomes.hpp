// File naming rules: the image and listing beside their source, and the machine that a
// source's extension names.
#pragma once

#include <string>
#include <string_view>

#include "tabelas.hpp"

namespace orvandel {

// The image's name: when the fourth character from the end is ".", the last three characters
// become "mem" (soma.kod -> soma.mem, SOMA.KOD -> SOMA.mem); otherwise ".mem" is appended, so a
// name without a three-letter extension never loses characters (prog.x -> prog.x.mem).
std::string nomeArquivoMem(std::string_view fonte);

// The listing's name: the image's name with its last three characters replaced by "map".
std::string nomeArquivoMap(std::string_view nomeMem);

// The machine of a source file: the third character from the end, upper-cased: Z Zibel,
// K Kovra, Q Quirla, anything else Jelmo.
Maquina maquinaPorExtensao(std::string_view caminho);

} // namespace orvandel
