// The image in other formats, for tools beyond the machines' simulators: Intel HEX, raw binary,
// a memory file for Logisim's RAM and ROM components, and a hexadecimal dump to read.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "orvandel/maquinas.hpp"
#include "orvandel/memoria.hpp"

namespace orvandel {

enum class FormatoExportacao { IntelHex, Binario, Logisim, Texto };

// The extension of the file each format is written to: "hex", "bin", "logisim", "txt".
std::string_view extensaoExportacao(FormatoExportacao formato);

struct Faixa {
    int32_t primeiro;
    int32_t ultimo;
    bool operator==(const Faixa&) const = default;
};

// The addresses from the first to the last byte some line placed (the record of
// Montagem::origens), or nothing for a program that placed no byte.
std::optional<Faixa> faixaUsada(std::span<const int32_t> origens);

// Data records of up to 16 bytes covering `faixa` (none without one), then the end record; CR LF.
std::string conteudoIntelHex(const Memoria& memoria, std::optional<Faixa> faixa);
// The machine's whole memory, byte for byte: 256 bytes, or 65,536 on Jelmo.
std::string conteudoBinario(Maquina maquina, const Memoria& memoria);
// "v2.0 raw", then the bytes' values in hexadecimal, 16 values to a line; a run of four or more
// equal bytes is one value "count*value", and the zeros at the end are left out (Logisim reads
// them as zero).
std::string conteudoLogisim(Maquina maquina, const Memoria& memoria);
// 16 bytes a line: the address, the bytes in hexadecimal, and the printable ones as text; CR LF.
std::string conteudoDump(Maquina maquina, const Memoria& memoria);

std::string conteudoExportacao(FormatoExportacao formato, Maquina maquina, const Memoria& memoria,
                               std::span<const int32_t> origens);

} // namespace orvandel
