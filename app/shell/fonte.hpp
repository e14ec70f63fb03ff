// Source files: read and written in the encoding they came in. A UTF-8 or UTF-16 (LE/BE)
// byte-order mark is honoured and kept; anything else is Windows-1252. Lines end at CR LF, LF
// or CR, and are written back with CR LF. In memory every line is UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

enum class Codificacao { Cp1252, Utf8, Utf16LE, Utf16BE };

struct TextoFonte {
    std::vector<std::string> linhas; // UTF-8, without line ends
    Codificacao codificacao = Codificacao::Cp1252;
};

TextoFonte decodificaFonte(std::string_view bytes);
std::string codificaFonte(const TextoFonte& texto);

// Throws FalhaArquivo with a Portuguese text naming the file; anything but a regular file (a
// directory, a FIFO, a device) is refused rather than read.
TextoFonte leArquivoFonte(const std::filesystem::path& caminho);
void gravaArquivoFonte(const std::filesystem::path& caminho, const TextoFonte& texto);

} // namespace orvandel
