// Sixteen bytes of text examined at once: where a few given characters stand among them, and the
// bytes' upper case. The loops that look at every byte of a source for a
// handful of characters (line ends, the splitter's separators) then spend a few instructions per
// sixteen bytes, and one per character found, instead of a test per byte. On x86-64, SSE2 (which
// every such processor has) compares the sixteen bytes together; elsewhere a plain loop gives the
// very same masks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvandel {

inline constexpr size_t kBloco = 16;

#if defined(__SSE2__)
// The `n` bytes at `p` (n under sixteen) in the low lanes, zeros above. Read by at most two loads
// of eight or four bytes that stay inside them (or byte by byte under four), never past them: a
// line's last block, almost always a short one, costs no call to memcpy.
inline __m128i cargaParcial(const char* p, size_t n) {
    uint64_t baixo = 0;
    uint64_t alto = 0;
    if (n >= 8) {
        std::memcpy(&baixo, p, 8);
        if (n > 8) {
            std::memcpy(&alto, p + n - 8, 8); // bytes n - 8 to n - 1 ...
            alto >>= 8 * (kBloco - n);        // ... less those that baixo holds
        }
    } else if (n >= 4) {
        uint32_t inicio;
        uint32_t fim;
        std::memcpy(&inicio, p, 4);
        std::memcpy(&fim, p + n - 4, 4); // overlaps inicio with the same bytes
        baixo = inicio | uint64_t{fim} << (8 * (n - 4));
    } else {
        for (size_t k = 0; k < n; ++k) baixo |= uint64_t{static_cast<uint8_t>(p[k])} << (8 * k);
    }
    return _mm_set_epi64x(static_cast<int64_t>(alto), static_cast<int64_t>(baixo));
}

// FFh in each lane k where texto[inicio + k] is one of `Cs`, 00h elsewhere and past the text.
template <char... Cs> __m128i iguaisA(std::string_view texto, size_t inicio) {
    const size_t n = std::min(kBloco, texto.size() - inicio);
    const char* const p = texto.data() + inicio;
    const __m128i bytes =
        n == kBloco ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)) : cargaParcial(p, n);
    __m128i iguais = _mm_setzero_si128();
    ((iguais = _mm_or_si128(iguais, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(Cs)))), ...);
    return iguais;
}
#endif

// Bit k is set where texto[inicio + k] is one of `Cs`, for k from 0 to 15; past the end of the
// text no bit is set. Nothing outside the text is read: a last block shorter than sixteen bytes
// is read into a zeroed one, which is why '\0' cannot be looked for. `inicio` is at most the
// text's size.
template <char... Cs> uint32_t posicoesDe(std::string_view texto, size_t inicio) {
    static_assert(sizeof...(Cs) > 0 && ((Cs != '\0') && ...));
#if defined(__SSE2__)
    return static_cast<uint32_t>(_mm_movemask_epi8(iguaisA<Cs...>(texto, inicio)));
#else
    const size_t n = std::min(kBloco, texto.size() - inicio);
    uint32_t mascara = 0;
    for (size_t k = 0; k < n; ++k) {
        const char c = texto[inicio + k];
        if (((c == Cs) || ...)) mascara |= 1u << k;
    }
    return mascara;
#endif
}

// ASCII upper case of the sixteen bytes at `de`, written to `para`: a byte from 'a' to 'z' loses
// its 20h bit, every other byte is copied as it is. Both places hold sixteen bytes. Whether any
// byte was a lower-case letter.
inline bool maiusculas16(const char* de, char* para) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(de));
    // 'a' to 'z' land on -128 to -103 as signed bytes, and nothing else does.
    const __m128i deslocados = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x80 - 'a')));
    const __m128i minusculas =
        _mm_cmplt_epi8(deslocados, _mm_set1_epi8(static_cast<char>(0x80 + 26)));
    const __m128i maiusculos = _mm_xor_si128(bytes, _mm_and_si128(minusculas, _mm_set1_epi8(0x20)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(para), maiusculos);
    return _mm_movemask_epi8(minusculas) != 0;
#else
    bool mudou = false;
    for (size_t k = 0; k < kBloco; ++k) {
        const bool minuscula = de[k] >= 'a' && de[k] <= 'z';
        para[k] = minuscula ? static_cast<char>(de[k] - 0x20) : de[k];
        mudou = mudou || minuscula;
    }
    return mudou;
#endif
}

} // namespace orvandel
