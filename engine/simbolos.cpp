// The symbol table and the rules for names.
#include "simbolos.hpp"

#include <algorithm>
#include <array>

#include "texto.hpp"

namespace orvandel {

void TabelaSimbolos::limpa() {
    entradas_.clear();
    indice_.clear();
}

void TabelaSimbolos::insereSimbolo(std::string_view nome, int32_t valor) {
    if (entradas_.size() >= static_cast<size_t>(kEntradasTabela)) return;
    std::string nomeMaiusculo = maiusculas(nome);
    indice_.try_emplace(nomeMaiusculo, entradas_.size());
    entradas_.push_back({std::move(nomeMaiusculo), valor});
}

std::optional<int32_t> TabelaSimbolos::busca(std::string_view nome) const {
    if (nome.empty()) return std::nullopt;
    const bool jaMaiusculo = std::none_of(nome.begin(), nome.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    const auto achado = jaMaiusculo ? indice_.find(nome) : indice_.find(maiusculas(nome));
    if (achado == indice_.end()) return std::nullopt;
    return entradas_[achado->second].valor;
}

namespace {
bool ehLetraOuSublinhado(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
} // namespace

bool simboloBemFormado(std::string_view nome) {
    if (nome.empty() || !ehLetraOuSublinhado(nome[0])) return false;
    return std::all_of(nome.begin() + 1, nome.end(),
                       [](char c) { return ehLetraOuSublinhado(c) || (c >= '0' && c <= '9'); });
}

bool simboloReservado(std::string_view nome, Maquina maquina) {
    static constexpr std::array<std::string_view, 12> kJelmo = {
        "R0", "R1", "R2", "R3", "R4", "R5", "R6", "R7", "N", "Z", "V", "C"};
    static constexpr std::array<std::string_view, 4> kQuirla = {"A", "B", "X", "I"};
    const std::string nomeMaiusculo = maiusculas(nome);
    const auto contem = [&](const auto& lista) {
        return std::find(lista.begin(), lista.end(), nomeMaiusculo) != lista.end();
    };
    switch (maquina) {
    case Maquina::Jelmo: return contem(kJelmo);
    case Maquina::Quirla: return contem(kQuirla);
    default: return false;
    }
}

} // namespace orvandel
