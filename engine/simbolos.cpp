// The symbol table and the rules for names.
#include "simbolos.hpp"

#include <algorithm>
#include <array>

#include "tabelas.hpp"
#include "texto.hpp"

namespace orvandel {

namespace {

// FNV-1a over the name with each byte's 20h bit cleared: a name in any case hashes as its upper
// case does, for less work per byte than upper-casing it (names that differ in other ways as well
// may share a hash; the comparison tells them apart).
uint32_t hashSemCaixa(std::string_view nome) {
    uint32_t h = 2166136261u;
    for (char c : nome) h = (h ^ (static_cast<unsigned char>(c) & 0xDFu)) * 16777619u;
    return h;
}

uint16_t marcaDe(uint32_t hash) {
    return static_cast<uint16_t>(hash >> 16);
}

} // namespace

void TabelaSimbolos::limpa() {
    entradas_.clear();
    posicoes_.fill(-1);
    marcas_.fill(0);
}

// The slot that holds `nome`'s first entry, or the empty slot where its search ends.
size_t TabelaSimbolos::posicao(std::string_view nome) const {
    const uint32_t hash = hashSemCaixa(nome);
    const uint16_t marca = marcaDe(hash);
    size_t p = hash % kPosicoes;
    while (posicoes_[p] >= 0 &&
           (marcas_[p] != marca ||
            !igualEmMaiusculas(entradas_[static_cast<size_t>(posicoes_[p])].nome, nome)))
        p = (p + 1) % kPosicoes;
    return p;
}

void TabelaSimbolos::insereSimbolo(std::string_view nome, int32_t valor, int32_t numLinha) {
    if (entradas_.size() >= static_cast<size_t>(kEntradasTabela)) return;
    const size_t p = posicao(nome);
    if (posicoes_[p] < 0) {
        posicoes_[p] = static_cast<int16_t>(entradas_.size());
        marcas_[p] = marcaDe(hashSemCaixa(nome));
    }
    entradas_.push_back({maiusculas(nome), valor, numLinha});
}

std::optional<int32_t> TabelaSimbolos::busca(std::string_view nome) const {
    if (nome.empty()) return std::nullopt;
    const int16_t indice = posicoes_[posicao(nome)];
    if (indice < 0) return std::nullopt;
    return entradas_[static_cast<size_t>(indice)].valor;
}

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
