// Text conversions inside the engine: single characters of Windows-1252, and the conversions
// that reuse one buffer for every line. The whole-text ones are the face's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "orvandel/texto.hpp"

namespace orvandel {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves undefined
// (81h, 8Dh, 8Fh, 90h, 9Dh) map to the C1 controls of the same value, so every byte round-trips.
char32_t unicodeDeCp1252(unsigned char byte);

// The Windows-1252 byte of a code point; '?' for a code point the code page cannot represent.
unsigned char cp1252DeUnicode(char32_t codigo);

// utf8ParaCp1252 into `destino`, replacing what it held and stopping after `maximo` characters:
// the passes reuse one buffer for every line and convert only what the splitter reads.
void utf8ParaCp1252(std::string_view texto, std::string& destino,
                    size_t maximo = std::string::npos);
// The Windows-1252 form of the first `maximo` characters of UTF-8 text: the text itself when it
// is ASCII, where both encodings agree byte for byte; otherwise converted into `buffer`, which
// the result then views.
std::string_view emCp1252(std::string_view texto, std::string& buffer,
                          size_t maximo = std::string::npos);

// Whether every byte of `texto` is ASCII, where Windows-1252 and UTF-8 agree byte for byte.
bool ehAscii(std::string_view texto);

// Whether maiusculas would change the text: a test cheaper than the copy it spares.
inline bool temMinusculas(std::string_view texto) {
    bool tem = false;
    for (const char c : texto) tem |= c >= 'a' && c <= 'z';
    return tem;
}

// maiusculas in place, for the passes' own copies of a line's parts.
void emMaiusculas(std::string& texto);
// `texto` in upper case, written into `buffer` (whose room is reused line after line) and viewed;
// `texto` itself when it has no lower-case letter, so that a caller can tell it was upper case.
std::string_view emMaiusculas(std::string_view texto, std::string& buffer);

} // namespace orvandel
