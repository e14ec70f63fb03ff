// The symbol table: names the source defines, in order of definition, with their values. A run
// fills it; the front ends read it, and ask which names a machine reserves.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "orvandel/maquinas.hpp"

namespace orvandel {

struct tipoSimbolo {
    std::string nome;
    int32_t valor = -1;
    int32_t numLinha = -1; // the zero-based line whose label defined it
};

class TabelaSimbolos {
  public:
    TabelaSimbolos() { limpa(); }
    void limpa();
    // Stores the name (upper-cased) in the next free entry; a full table drops it silently.
    // `numLinha` is the line that defines it, for a cross-reference (-1: none).
    void insereSimbolo(std::string_view nome, int32_t valor, int32_t numLinha = -1);
    // The value of the first entry with this name (upper-cased first), if there is one.
    std::optional<int32_t> busca(std::string_view nome) const;
    // As `busca`, with -1 for an absent name.
    int32_t valorSimbolo(std::string_view nome) const { return busca(nome).value_or(-1); }
    // The filled entries, in table order.
    const std::vector<tipoSimbolo>& entradas() const { return entradas_; }

  private:
    // Open addressing over the names, hashed and compared in upper case, so that a lookup in any
    // case needs no copy. A slot holds the index of the first entry with its name, -1 if empty:
    // a lookup gives what a scan from entry 1 would. Beside it, the top bits of that name's
    // hash: a search passes the other names' slots without reading their names.
    static constexpr size_t kPosicoes = 2048; // twice the entries: searches stay short
    size_t posicao(std::string_view nome) const;

    std::vector<tipoSimbolo> entradas_;
    std::array<int16_t, kPosicoes> posicoes_;
    std::array<uint16_t, kPosicoes> marcas_;
};

// Whether `nome` (any case) is one of the machine's reserved names, which no label may take.
bool simboloReservado(std::string_view nome, Maquina maquina);

} // namespace orvandel
