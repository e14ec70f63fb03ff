// Deterministic benchmark sources: one plan of lines (labels, constants, instructions, data,
// comments) rendered for the four machines and, equivalently, for two peer assemblers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvandel::geracao {

// The four machines, a 6502 source for dasm and an x86-64 source for the GNU assembler.
enum class Dialeto { Zibel, Kovra, Quirla, Jelmo, Dasm6502, GnuX86 };

// "zibel", "kovra", "quirla", "jelmo", "dasm", "gas".
std::optional<Dialeto> dialetoPorNome(std::string_view nome);
// The source file extension: "zid", "kod", "qud", "jed", "asm", "s".
std::string_view extensao(Dialeto dialeto);

// The fewest lines a source can have: the header needs them.
inline constexpr int kMinimoLinhas = 10;

// Exactly `linhas` lines (at least kMinimoLinhas), each ending in "\n", in Windows-1252 (the
// comments are Portuguese). About one line in eight has a label, a third carry a comment; up to
// 300 EQU constants head the program. The machines' sources assemble without any message: ORG
// resets keep them inside the machine's memory, and symbol references stay within the first
// 1000 symbols that the table holds. The same arguments always give the same text.
std::string geraFonte(Dialeto dialeto, int linhas, uint32_t semente = 1);

// Writes `quantidade` sources of `linhas` lines into `diretorio`, the four machines in turn
// (fonte0000.zid, fonte0001.kod, fonte0002.qud, fonte0003.jed, ...), each with its own seed.
void geraLote(const std::filesystem::path& diretorio, int quantidade, int linhas);

} // namespace orvandel::geracao
