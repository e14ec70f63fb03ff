// Record types of the engine and the instruction table that a run loads from the machine's rows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "maquinas.hpp"
#include "simbolos.hpp"
#include "texto.hpp"

namespace orvandel {

// Capacity shared by the symbol, instruction and directive tables.
inline constexpr int kEntradasTabela = 1000;

// One source line split into its label, operation and operands: Windows-1252 views of the text
// that was split, valid while that text is.
struct elemLinha {
    std::string_view rotulo;
    std::string_view operacao;
    std::vector<std::string_view> operandos;
};

struct tipoInstrucao {
    std::string opcode_simbolico;
    int32_t opcode_numerico = -1;
    int32_t tamanho = -1;
    int32_t num_operandos = -1;
    const LinhaInstrucao* linha = nullptr; // the machine's row it was loaded from
};

struct tipoDiretiva {
    std::string nome;
};

// A mnemonic of up to four characters packed with its length into one integer, so that a lookup
// compares integers instead of texts; 0 for a text that no mnemonic can equal. Each character
// goes through `converte` first.
template <typename Converte>
constexpr uint64_t empacotaMnemonico(std::string_view texto, Converte converte) {
    if (texto.empty() || texto.size() > 4) return 0;
    uint64_t chave = texto.size();
    for (char c : texto) chave = (chave << 8) | static_cast<unsigned char>(converte(c));
    return chave;
}

constexpr uint64_t chaveMnemonico(std::string_view texto) {
    return empacotaMnemonico(texto, [](char c) { return c; });
}

// chaveMnemonico of `texto` in upper case, without the upper-cased copy.
inline uint64_t chaveMnemonicoEmMaiusculas(std::string_view texto) {
    return empacotaMnemonico(texto, maiuscula);
}

// The instruction table of the current run: one machine's rows at a time.
class TabelaInstrucoes {
  public:
    TabelaInstrucoes() { limpa(); }
    void limpa();
    void carrega(Maquina maquina);
    // The entry whose mnemonic equals `textoMaiusculo` (already upper case), if any.
    const tipoInstrucao* busca(std::string_view textoMaiusculo) const;
    // The entry whose mnemonic equals `texto` in upper case, without the upper-cased copy.
    const tipoInstrucao* buscaEmQualquerCaixa(std::string_view texto) const;
    const std::vector<tipoInstrucao>& entradas() const { return entradas_; }

  private:
    // Open addressing over the rows' packed mnemonics; each slot holds a row index, -1 if empty.
    static constexpr size_t kPosicoes = 128;
    static size_t posicaoInicial(uint64_t chave);
    const tipoInstrucao* buscaChave(uint64_t chave) const;

    std::vector<tipoInstrucao> entradas_; // the filled entries; every other entry is free
    std::vector<uint64_t> chaves_;        // chaveMnemonico of each entry's mnemonic
    std::array<int8_t, kPosicoes> posicoes_;
};

} // namespace orvandel
