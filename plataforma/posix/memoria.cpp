// Huge pages on POSIX systems: Linux lends them to a mapping that asks (transparent huge pages
// in their "madvise" mode, or "always").
#include <sys/mman.h>

#include <cstdint>
#include <new>

#include "memoria.hpp"

namespace orvandel {

namespace {

constexpr size_t kPaginaGrande = size_t{2} << 20; // x86-64's, and most arm64 kernels'
constexpr size_t kLimiar = size_t{1} << 20;       // below it, a huge page would be mostly waste

size_t emPaginasGrandes(size_t bytes) {
    return (bytes + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
}

bool ehPequeno(size_t bytes, size_t alinhamento) {
    return bytes < kLimiar || alinhamento > kPaginaGrande;
}

class PaginasGrandes final : public std::pmr::memory_resource {
    // Only whole, aligned huge pages can back a mapping: it is made one huge page larger and
    // trimmed to a huge-page boundary at both ends.
    void* do_allocate(size_t bytes, size_t alinhamento) override {
        if (ehPequeno(bytes, alinhamento))
            return std::pmr::new_delete_resource()->allocate(bytes, alinhamento);
        const size_t tamanho = emPaginasGrandes(bytes);
        void* const mapa = ::mmap(nullptr, tamanho + kPaginaGrande, PROT_READ | PROT_WRITE,
                                  MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapa == MAP_FAILED) throw std::bad_alloc();
        char* const inicio = static_cast<char*>(mapa);
        const size_t antes =
            (kPaginaGrande - reinterpret_cast<uintptr_t>(inicio) % kPaginaGrande) % kPaginaGrande;
        char* const bloco = inicio + antes;
        if (antes > 0) ::munmap(inicio, antes);
        ::munmap(bloco + tamanho, kPaginaGrande - antes);
#ifdef MADV_HUGEPAGE
        ::madvise(bloco, tamanho, MADV_HUGEPAGE); // a request: refused, plain pages serve
#endif
        return bloco;
    }

    void do_deallocate(void* bloco, size_t bytes, size_t alinhamento) override {
        if (ehPequeno(bytes, alinhamento))
            return std::pmr::new_delete_resource()->deallocate(bloco, bytes, alinhamento);
        ::munmap(bloco, emPaginasGrandes(bytes));
    }

    bool do_is_equal(const std::pmr::memory_resource& outro) const noexcept override {
        return this == &outro;
    }
};

} // namespace

std::pmr::memory_resource& memoriaDePaginasGrandes() {
    static PaginasGrandes recurso;
    return recurso;
}

} // namespace orvandel
