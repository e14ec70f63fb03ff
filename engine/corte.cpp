// Cutting a source text into its lines.
#include "corte.hpp"

#include <algorithm>
#include <memory>
#include <memory_resource>

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

// Most calls find their lines cut already, and take no lock. A thread must never wait for the
// other to reach a line: it may start milliseconds late, or lose its core, and waiting for it
// cost the pass up to 6 ms at its first block. Waiting for a cut under way is waiting for a
// block or two of line ends to be found.
void LinhasPorCortar::cortaAte(size_t ate) {
    ate = std::min(ate, total_);
    if (cortadas_.load(std::memory_order_acquire) >= ate) return;
    const std::lock_guard<std::mutex> vez(corteEmCurso_);
    const size_t cortadas = cortadas_.load(std::memory_order_relaxed);
    if (cortadas >= ate) return;
    std::string_view* destino = linhas_ + cortadas;
    const size_t novas = corte_.corta(ate - cortadas, [&destino](std::string_view linha) {
        std::construct_at(destino++, linha);
    });
    cortadas_.store(cortadas + novas, std::memory_order_release);
}

} // namespace orvandel
