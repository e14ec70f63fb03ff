// The symbol table and the rules for names.
#include "simbolos.hpp"

#include <algorithm>
#include <array>

#include "tabelas.hpp"
#include "texto.hpp"

namespace orvandel {

namespace {

// FNV-1a over the upper-cased name.
size_t hashMaiusculo(std::string_view nome) {
    uint32_t h = 2166136261u;
    for (char c : nome) h = (h ^ static_cast<unsigned char>(maiuscula(c))) * 16777619u;
    return h;
}

} // namespace

void TabelaSimbolos::limpa() {
    entradas_.clear();
    posicoes_.fill(-1);
}

// The slot that holds `nome`'s first entry, or the empty slot where its search ends.
size_t TabelaSimbolos::posicao(std::string_view nome) const {
    size_t p = hashMaiusculo(nome) % kPosicoes;
    while (posicoes_[p] >= 0 &&
           !igualEmMaiusculas(entradas_[static_cast<size_t>(posicoes_[p])].nome, nome))
        p = (p + 1) % kPosicoes;
    return p;
}

void TabelaSimbolos::insereSimbolo(std::string_view nome, int32_t valor, int32_t numLinha) {
    if (entradas_.size() >= static_cast<size_t>(kEntradasTabela)) return;
    const size_t p = posicao(nome);
    if (posicoes_[p] < 0) posicoes_[p] = static_cast<int16_t>(entradas_.size());
    entradas_.push_back({maiusculas(nome), valor, numLinha});
}

std::optional<int32_t> TabelaSimbolos::busca(std::string_view nome) const {
    if (nome.empty()) return std::nullopt;
    const int16_t indice = posicoes_[posicao(nome)];
    if (indice < 0) return std::nullopt;
    return entradas_[static_cast<size_t>(indice)].valor;
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
    const std::span<const std::string_view> reservados = nomesReservados(maquina);
    return std::any_of(reservados.begin(), reservados.end(),
                       [&](std::string_view r) { return igualEmMaiusculas(r, nome); });
}

} // namespace orvandel
