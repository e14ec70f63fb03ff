// The symbol table: names the source defines, in order of definition, with their values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tabelas.hpp"

namespace orvandel {

class TabelaSimbolos {
public:
    void limpa();
    // Stores the name (upper-cased) in the next free entry; a full table drops it silently.
    void insereSimbolo(std::string_view nome, int32_t valor);
    // The value of the first entry with this name (upper-cased first), if there is one.
    std::optional<int32_t> busca(std::string_view nome) const;
    // As `busca`, with -1 for an absent name.
    int32_t valorSimbolo(std::string_view nome) const { return busca(nome).value_or(-1); }
    // The filled entries, in table order.
    const std::vector<tipoSimbolo>& entradas() const { return entradas_; }

private:
    struct HashTexto {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::vector<tipoSimbolo> entradas_;
    // Name -> index of its first entry, so a lookup gives what a scan from entry 1 would.
    std::unordered_map<std::string, size_t, HashTexto, std::equal_to<>> indice_;
};

bool simboloBemFormado(std::string_view nome);
bool simboloReservado(std::string_view nome, Maquina maquina);

} // namespace orvandel
