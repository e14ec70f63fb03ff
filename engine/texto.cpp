// Windows-1252 <-> Unicode and ASCII upper case.
#include "texto.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "blocos.hpp"
#include "corte.hpp"

namespace orvandel {

namespace {

// Code points of the bytes 80h to 9Fh; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kFaixa80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Length and payload of the UTF-8 sequence at `texto[i]`, or 0 when it is not a valid one.
int decodificaSequencia(std::string_view texto, size_t i, char32_t& codigo) {
    const auto b0 = static_cast<unsigned char>(texto[i]);
    int comprimento;
    char32_t minimo;
    if (b0 < 0x80) {
        codigo = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        comprimento = 2, codigo = b0 & 0x1F, minimo = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        comprimento = 3, codigo = b0 & 0x0F, minimo = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        comprimento = 4, codigo = b0 & 0x07, minimo = 0x10000;
    } else {
        return 0;
    }
    if (i + comprimento > texto.size()) return 0;
    for (int k = 1; k < comprimento; ++k) {
        const auto b = static_cast<unsigned char>(texto[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        codigo = (codigo << 6) | (b & 0x3F);
    }
    if (codigo < minimo || codigo > 0x10FFFF || (codigo >= 0xD800 && codigo <= 0xDFFF)) return 0;
    return comprimento;
}

// The length of the leading run of ASCII bytes, which both encodings share byte for byte. Eight
// bytes at a time: source text is mostly ASCII.
size_t prefixoAscii(std::string_view texto) {
    size_t i = 0;
    for (uint64_t bloco = 0; i + 8 <= texto.size(); i += 8) {
        std::memcpy(&bloco, texto.data() + i, 8);
        if (bloco & 0x8080808080808080ull) break;
    }
    while (i < texto.size() && static_cast<unsigned char>(texto[i]) < 0x80) ++i;
    return i;
}

} // namespace

char32_t unicodeDeCp1252(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kFaixa80[byte - 0x80] : char32_t{byte};
}

unsigned char cp1252DeUnicode(char32_t codigo) {
    if (codigo < 0x80 || (codigo >= 0xA0 && codigo <= 0xFF))
        return static_cast<unsigned char>(codigo);
    for (size_t k = 0; k < kFaixa80.size(); ++k)
        if (kFaixa80[k] == codigo) return static_cast<unsigned char>(0x80 + k);
    return '?';
}

void acrescentaUtf8(std::string& destino, char32_t codigo) {
    if (codigo > 0x10FFFF || (codigo >= 0xD800 && codigo <= 0xDFFF)) codigo = 0xFFFD;
    if (codigo < 0x80) {
        destino += static_cast<char>(codigo);
    } else if (codigo < 0x800) {
        destino += static_cast<char>(0xC0 | (codigo >> 6));
        destino += static_cast<char>(0x80 | (codigo & 0x3F));
    } else if (codigo < 0x10000) {
        destino += static_cast<char>(0xE0 | (codigo >> 12));
        destino += static_cast<char>(0x80 | ((codigo >> 6) & 0x3F));
        destino += static_cast<char>(0x80 | (codigo & 0x3F));
    } else {
        destino += static_cast<char>(0xF0 | (codigo >> 18));
        destino += static_cast<char>(0x80 | ((codigo >> 12) & 0x3F));
        destino += static_cast<char>(0x80 | ((codigo >> 6) & 0x3F));
        destino += static_cast<char>(0x80 | (codigo & 0x3F));
    }
}

std::string cp1252ParaUtf8(std::string_view texto) {
    size_t i = prefixoAscii(texto);
    if (i == texto.size()) return std::string(texto); // plain ASCII, the usual source line
    std::string resultado;
    resultado.reserve(texto.size() + 8);
    resultado.append(texto.data(), i);
    while (i < texto.size()) {
        const size_t ascii = prefixoAscii(texto.substr(i));
        resultado.append(texto.data() + i, ascii);
        i += ascii;
        if (i < texto.size())
            acrescentaUtf8(resultado, unicodeDeCp1252(static_cast<unsigned char>(texto[i++])));
    }
    return resultado;
}

std::string utf8ParaCp1252(std::string_view texto) {
    std::string resultado;
    utf8ParaCp1252(texto, resultado);
    return resultado;
}

void utf8ParaCp1252(std::string_view texto, std::string& destino, size_t maximo) {
    destino.clear();
    size_t i = 0;
    while (i < texto.size() && destino.size() < maximo) {
        const size_t ascii = std::min(prefixoAscii(texto.substr(i)), maximo - destino.size());
        destino.append(texto.data() + i, ascii);
        i += ascii;
        if (i == texto.size() || destino.size() == maximo) break;
        char32_t codigo = 0;
        const int comprimento = decodificaSequencia(texto, i, codigo);
        destino += static_cast<char>(comprimento ? cp1252DeUnicode(codigo) : '?');
        i += comprimento ? comprimento : 1;
    }
}

std::string_view emCp1252(std::string_view texto, std::string& buffer, size_t maximo) {
    const std::string_view inicio = texto.substr(0, maximo);
    if (prefixoAscii(inicio) == inicio.size()) return inicio;
    utf8ParaCp1252(texto, buffer, maximo);
    return buffer;
}

bool ehAscii(std::string_view texto) {
    return prefixoAscii(texto) == texto.size();
}

bool ehUtf8NaoAscii(std::string_view texto) {
    size_t i = prefixoAscii(texto);
    if (i == texto.size()) return false;
    while (i < texto.size()) {
        i += prefixoAscii(texto.substr(i));
        if (i == texto.size()) break;
        char32_t codigo = 0;
        const int comprimento = decodificaSequencia(texto, i, codigo);
        if (comprimento == 0) return false;
        i += static_cast<size_t>(comprimento);
    }
    return true;
}

bool cabeEmCp1252(std::string_view utf8) {
    for (size_t i = prefixoAscii(utf8); i < utf8.size();) {
        char32_t codigo = 0;
        const int comprimento = decodificaSequencia(utf8, i, codigo);
        if (comprimento == 0 || (codigo != '?' && cp1252DeUnicode(codigo) == '?')) return false;
        i += static_cast<size_t>(comprimento);
    }
    return true;
}

std::u32string decodificaUtf8(std::string_view texto) {
    std::u32string resultado;
    size_t i = 0;
    while (i < texto.size()) {
        char32_t codigo = 0;
        const int comprimento = decodificaSequencia(texto, i, codigo);
        resultado += comprimento ? codigo : char32_t{0xFFFD};
        i += comprimento ? comprimento : 1;
    }
    return resultado;
}

std::string maiusculas(std::string_view texto) {
    std::string resultado(texto);
    emMaiusculas(resultado);
    return resultado;
}

namespace {

constexpr uint64_t kCadaByte = 0x0101010101010101ull;

// ASCII upper case of eight bytes at once: a byte from 'a' to 'z' loses its 20h bit. The tests
// run on each byte's low seven bits, which no addition here carries out of; a byte with its top
// bit set (beyond ASCII) is left alone.
uint64_t maiusculas8(uint64_t bytes) {
    const uint64_t baixos = bytes & (kCadaByte * 0x7F);
    const uint64_t desdeA = baixos + kCadaByte * (0x80 - 'a');  // top bit: at least 'a'
    const uint64_t depoisZ = baixos + kCadaByte * (0x7F - 'z'); // top bit: beyond 'z'
    const uint64_t minusculas = desdeA & ~depoisZ & ~bytes & (kCadaByte * 0x80);
    return bytes ^ (minusculas >> 2);
}

} // namespace

// Pass 1 upper-cases every line: sixteen bytes at a time, as source text is, and a short line
// eight at a time.
std::string_view emMaiusculas(std::string_view texto, std::string& buffer) {
    const size_t n = texto.size();
    if (buffer.size() < n) buffer.resize(n); // the room only grows: no bytes written twice
    const char* const de = texto.data();
    char* const para = buffer.data();
    bool mudou = false;
    // A last block ends at the last byte, overlapping the one before it: upper-casing the same
    // source bytes again writes what is there already.
    if (n >= kBloco) {
        for (size_t i = 0; i + kBloco < n; i += kBloco) mudou |= maiusculas16(de + i, para + i);
        mudou |= maiusculas16(de + n - kBloco, para + n - kBloco);
    } else if (n >= 8) {
        const auto oito = [&](size_t i) {
            uint64_t bytes;
            std::memcpy(&bytes, de + i, 8);
            const uint64_t maiusculos = maiusculas8(bytes);
            mudou |= maiusculos != bytes;
            std::memcpy(para + i, &maiusculos, 8);
        };
        oito(0);
        oito(n - 8);
    } else {
        for (size_t i = 0; i < n; ++i) {
            para[i] = maiuscula(de[i]);
            mudou |= para[i] != de[i];
        }
    }
    return mudou ? std::string_view(buffer).substr(0, n) : texto;
}

void emMaiusculas(std::string& texto) {
    // Through a plain pointer: a char written through the string itself could alias its size,
    // which keeps the compiler from vectorising the loop.
    char* const c = texto.data();
    const size_t n = texto.size();
    for (size_t i = 0; i < n; ++i) c[i] = maiuscula(c[i]);
}

// The lines are counted first, so that the list is sized once: growing it by doubling copies it
// into fresh pages again and again.
std::pmr::vector<std::string_view> vistasDasLinhas(std::string_view texto) {
    std::pmr::vector<std::string_view> linhas;
    linhas.reserve(contaLinhas(texto));
    CorteDeLinhas(texto).corta(linhas.capacity(),
                               [&linhas](std::string_view linha) { linhas.push_back(linha); });
    return linhas;
}

} // namespace orvandel
