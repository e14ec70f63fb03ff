// Text conversions: Windows-1252 bytes <-> Unicode, and ASCII upper case. The only place in the
// system that knows code pages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvandel {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves undefined
// (81h, 8Dh, 8Fh, 90h, 9Dh) map to the C1 controls of the same value, so every byte round-trips.
char32_t unicodeDeCp1252(unsigned char byte);

// The Windows-1252 byte of a code point; '?' for a code point the code page cannot represent.
unsigned char cp1252DeUnicode(char32_t codigo);

// Windows-1252 text to UTF-8, byte by byte.
std::string cp1252ParaUtf8(std::string_view texto);

// UTF-8 text to Windows-1252, one byte per character. A byte that does not begin a valid UTF-8
// sequence counts as one character and becomes '?', so malformed input never loses its length.
std::string utf8ParaCp1252(std::string_view texto);
// The same into `destino`, replacing what it held and stopping after `maximo` characters: the
// passes reuse one buffer for every line and convert only what the splitter reads.
void utf8ParaCp1252(std::string_view texto, std::string& destino,
                    size_t maximo = std::string::npos);
// The Windows-1252 form of the first `maximo` characters of UTF-8 text: the text itself when it
// is ASCII, where both encodings agree byte for byte; otherwise converted into `buffer`, which
// the result then views.
std::string_view emCp1252(std::string_view texto, std::string& buffer,
                          size_t maximo = std::string::npos);

// Whether every byte of `texto` is ASCII, where Windows-1252 and UTF-8 agree byte for byte.
bool ehAscii(std::string_view texto);

// Whether `texto` is well-formed UTF-8 with at least one character beyond ASCII: a text that
// only UTF-8 explains, since Windows-1252 text with accents is practically never well-formed UTF-8.
bool ehUtf8NaoAscii(std::string_view texto);

// Whether every character of UTF-8 text has a Windows-1252 byte (a malformed byte has none).
bool cabeEmCp1252(std::string_view utf8);

// The code points of UTF-8 text; a byte that begins no valid sequence becomes U+FFFD.
std::u32string decodificaUtf8(std::string_view texto);

// Appends the UTF-8 encoding of `codigo` (surrogates and values past 10FFFFh become U+FFFD).
void acrescentaUtf8(std::string& destino, char32_t codigo);

inline char maiuscula(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// ASCII upper case: a to z become A to Z, nothing else changes.
std::string maiusculas(std::string_view texto);
void emMaiusculas(std::string& texto);
// `texto` in upper case, written into `buffer` (whose room is reused line after line) and viewed.
std::string_view emMaiusculas(std::string_view texto, std::string& buffer);

// Whether `texto` in upper case equals `maiusculo`, without making the copy.
inline bool igualEmMaiusculas(std::string_view maiusculo, std::string_view texto) {
    if (maiusculo.size() != texto.size()) return false;
    for (size_t i = 0; i < texto.size(); ++i)
        if (maiusculo[i] != maiuscula(texto[i])) return false;
    return true;
}

} // namespace orvandel
