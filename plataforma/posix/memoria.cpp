// Huge pages on POSIX systems: Linux lends them to a mapping that asks (transparent huge pages
// in their "madvise" mode, or "always").
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "memoria.hpp"

namespace orvandel {

namespace {

constexpr size_t kPaginaGrande = size_t{2} << 20; // x86-64's, and most arm64 kernels'
constexpr size_t kLimiar = size_t{1} << 20;       // below it, a huge page would be mostly waste

size_t emPaginasGrandes(size_t bytes) {
    return (bytes + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
}

#ifdef __GLIBC__
constexpr size_t kReservaHeap = 2 * kPaginaGrande; // a run's small blocks, many times over
constexpr int kMaiorBlocoDoHeap = 32 << 20;        // the largest the C library takes from it
void* abaixoDaFronteira = nullptr;                 // held for the life of the process
#endif

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

// The C library's heap keeps its free memory at the top, past the last block in use. The heap is
// grown past the next huge-page boundary by one large block, whose pages are not touched, the
// range beyond the boundary is marked for huge pages, and the block is given back; the free
// memory below the boundary is then taken by one block that is never touched, so that the next
// blocks come from the huge pages. Where the block does not come from the top of the heap (a
// sanitizer's or a profiler's allocator), nothing is marked or taken.
void heapEmPaginasGrandes() {
#ifdef __GLIBC__
    ::mallopt(M_TRIM_THRESHOLD, kMaiorBlocoDoHeap); // the top is not given back to the system
    ::mallopt(M_MMAP_THRESHOLD, kMaiorBlocoDoHeap);
    const uintptr_t topo = reinterpret_cast<uintptr_t>(::sbrk(0)) - ::mallinfo2().keepcost;
    const uintptr_t fronteira = emPaginasGrandes(topo + 64);
    const size_t tamanho = fronteira + kReservaHeap - topo;
    void* const bloco = std::malloc(tamanho);
    const auto inicio = reinterpret_cast<uintptr_t>(bloco);
    const bool doTopo =
        bloco && inicio <= fronteira && inicio + tamanho >= fronteira + kReservaHeap;
    if (doTopo) ::madvise(reinterpret_cast<void*>(fronteira), kReservaHeap, MADV_HUGEPAGE);
    std::free(bloco);
    if (doTopo && !abaixoDaFronteira) abaixoDaFronteira = std::malloc(fronteira - inicio);
    // Blocks of a megabyte or more go on to their own mappings, as memoriaDePaginasGrandes's do.
    ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLimiar));
#endif
}

std::pmr::memory_resource& memoriaDePaginasGrandes() {
    static PaginasGrandes recurso;
    return recurso;
}

} // namespace orvandel
