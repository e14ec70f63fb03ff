// The editor's help for an instruction: what the selected machine makes of a mnemonic, from the
// assembler's own tables.
#pragma once

#include <string>
#include <string_view>

#include "orvandel/maquinas.hpp"

namespace orvandel {

// Several lines of text (mnemonic, opcode, length, operand forms), or "" when `mnemonico` (any
// case) is none of the machine's instructions.
std::string ajudaDaInstrucao(std::string_view mnemonico, Maquina maquina);

} // namespace orvandel
