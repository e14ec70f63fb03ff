// Text conversions between the source files' encodings and UTF-8, and ASCII upper case: what
// the front ends need of the one place in the system that knows code pages.
#pragma once

#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

// Windows-1252 text to UTF-8, byte by byte.
std::string cp1252ParaUtf8(std::string_view texto);

// UTF-8 text to Windows-1252, one byte per character. A byte that does not begin a valid UTF-8
// sequence counts as one character and becomes '?', so malformed input never loses its length.
std::string utf8ParaCp1252(std::string_view texto);

// Whether `texto` is well-formed UTF-8 with at least one character beyond ASCII: a text that
// only UTF-8 explains, since Windows-1252 text with accents is practically never well-formed UTF-8.
bool ehUtf8NaoAscii(std::string_view texto);

// Whether every character of UTF-8 text has a Windows-1252 byte (a malformed byte has none).
bool cabeEmCp1252(std::string_view utf8);

// The code points of UTF-8 text; a byte that begins no valid sequence becomes U+FFFD.
std::u32string decodificaUtf8(std::string_view texto);

// Appends the UTF-8 encoding of `codigo` (surrogates and values past 10FFFFh become U+FFFD).
void acrescentaUtf8(std::string& destino, char32_t codigo);

// The lines of a text, each viewed without its end: a line ends at CR LF, LF or CR, and a line
// end at the very end of the text opens no empty last line. The list draws on the default memory
// resource: for a large source, it is one of a run's large buffers.
std::pmr::vector<std::string_view> vistasDasLinhas(std::string_view texto);

inline char maiuscula(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// ASCII upper case: a to z become A to Z, nothing else changes.
std::string maiusculas(std::string_view texto);

// Whether `texto` in upper case equals `maiusculo`, without making the copy.
inline bool igualEmMaiusculas(std::string_view maiusculo, std::string_view texto) {
    if (maiusculo.size() != texto.size()) return false;
    for (size_t i = 0; i < texto.size(); ++i)
        if (maiusculo[i] != maiuscula(texto[i])) return false;
    return true;
}

} // namespace orvandel
