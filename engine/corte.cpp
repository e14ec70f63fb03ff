// Cutting a source text into its lines.
#include "corte.hpp"

#include <algorithm>
#include <memory>
#include <memory_resource>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvandel {

// Every CR ends a line, and so does every LF but the one of a CR LF. Without a branch per block
// or per line end, which a source's line ends would mispredict: each block's CRs and lone LFs
// are subtracted from a counter per lane (a match is -1), and the lanes are summed before any
// could pass 255.
size_t contaLinhas(std::string_view texto) {
    size_t total = 0;
#if defined(__SSE2__)
    constexpr size_t kBlocosPorSoma = 255;
    __m128i crsAntes = _mm_setzero_si128(); // the previous block's CRs
    size_t inicio = 0;
    while (inicio < texto.size()) {
        __m128i porLane = _mm_setzero_si128();
        for (size_t blocos = 0; blocos < kBlocosPorSoma && inicio < texto.size();
             ++blocos, inicio += kBloco) {
            const __m128i crs = iguaisA<'\r'>(texto, inicio);
            const __m128i lfs = iguaisA<'\n'>(texto, inicio);
            // A CR in the byte before each byte: this block's moved up a lane, the previous
            // block's last one into lane 0.
            const __m128i crAntes =
                _mm_or_si128(_mm_slli_si128(crs, 1), _mm_srli_si128(crsAntes, 15));
            porLane = _mm_sub_epi8(porLane, crs);
            porLane = _mm_sub_epi8(porLane, _mm_andnot_si128(crAntes, lfs));
            crsAntes = crs;
        }
        const __m128i somas = _mm_sad_epu8(porLane, _mm_setzero_si128());
        total += static_cast<size_t>(_mm_cvtsi128_si32(somas)) +
                 static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(somas, 8)));
    }
#else
    for (size_t i = 0; i < texto.size(); ++i)
        total += texto[i] == '\r' || (texto[i] == '\n' && (i == 0 || texto[i - 1] != '\r'));
#endif
    const bool ultimaAberta = !texto.empty() && texto.back() != '\n' && texto.back() != '\r';
    return total + (ultimaAberta ? 1 : 0);
}

LinhasPorCortar::LinhasPorCortar(std::string_view texto)
    : total_(contaLinhas(texto)),
      linhas_(std::pmr::polymorphic_allocator<std::string_view>().allocate(total_)), corte_(texto) {
}

// A line is a trivially destructible view: giving its room back is all there is to do.
LinhasPorCortar::~LinhasPorCortar() {
    std::pmr::polymorphic_allocator<std::string_view>().deallocate(linhas_, total_);
}

void LinhasPorCortar::cortaAte(size_t ate) noexcept {
    ate = std::min(ate, total_);
    if (ate <= proxima_) return;
    std::string_view* destino = linhas_ + proxima_;
    proxima_ += corte_.corta(ate - proxima_, [&destino](std::string_view linha) {
        std::construct_at(destino++, linha);
    });
    cortadas_.store(proxima_, std::memory_order_release);
}

// The cutting thread is a block or two ahead, or on its way there: a short spin finds its
// lines; past that, the waiter gives its core away, which a busy machine may lend the cutter.
void LinhasPorCortar::esperaAte(size_t ate) const noexcept {
    ate = std::min(ate, total_);
    for (unsigned voltas = 0; cortadas_.load(std::memory_order_acquire) < ate; ++voltas)
        if (voltas >= 64) std::this_thread::yield();
}

} // namespace orvandel
