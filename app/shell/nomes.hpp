// File naming rules: the image and listing beside their source, and the machine that a
// source's extension names.
#pragma once

#include <string>
#include <string_view>

#include "orvandel/maquinas.hpp"

namespace orvandel {

// The image's name: when the fourth character from the end is ".", the last three characters
// become "mem" (soma.kod -> soma.mem, SOMA.KOD -> SOMA.mem); otherwise ".mem" is appended, so a
// name without a three-letter extension never loses characters (prog.x -> prog.x.mem).
std::string nomeArquivoMem(std::string_view fonte);

// Whether the name ends in a three-character extension: its fourth character from the end is ".".
bool temExtensaoDeTres(std::string_view nome);

// Save's rule when the machine changed: `extensao` (lower case, "kod") given to the source's
// name: appended after a final "."; kept when the name already ends in "." and exactly those
// letters; otherwise "." and the letters appended (soma.jed becomes soma.jed.kod).
std::string comExtensao(std::string_view nome, std::string_view extensao);

// A name typed with a final dot, to which the dialog added its extension: "soma..kod" loses the
// first of the two dots.
std::string semPontoDobrado(std::string_view caminho);

// The listing's name: the image's name with its last three characters replaced by "map".
std::string nomeArquivoMap(std::string_view nomeMem);

// The machine of a source file: the third character from the end, upper-cased: Z Zibel,
// K Kovra, Q Quirla, anything else Jelmo.
Maquina maquinaPorExtensao(std::string_view caminho);

} // namespace orvandel
