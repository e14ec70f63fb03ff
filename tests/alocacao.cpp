// The test program's own global operator new: it counts while a MedidorAlocacao is alive.
#include "alocacao.hpp"

#include <atomic>
#include <cstdlib>
#include <new>

namespace orvandel::teste {

namespace {

std::atomic<bool> medindo{false};
std::atomic<size_t> maiorAlocacao{0};
std::atomic<size_t> totalAlocado{0};

void anota(size_t tamanho) {
    if (!medindo.load(std::memory_order_relaxed)) return;
    totalAlocado += tamanho;
    size_t atual = maiorAlocacao.load();
    while (tamanho > atual && !maiorAlocacao.compare_exchange_weak(atual, tamanho)) {
    }
}

} // namespace

MedidorAlocacao::MedidorAlocacao() {
    maiorAlocacao = 0;
    totalAlocado = 0;
    medindo = true;
}

MedidorAlocacao::~MedidorAlocacao() {
    medindo = false;
}

size_t MedidorAlocacao::maior() const {
    return maiorAlocacao;
}
size_t MedidorAlocacao::total() const {
    return totalAlocado;
}

} // namespace orvandel::teste

void* operator new(std::size_t tamanho) {
    orvandel::teste::anota(tamanho);
    if (void* p = std::malloc(tamanho ? tamanho : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
