// The instruction table that a run loads from its machine's rows.
#include "tabelas.hpp"

namespace orvandel {

void TabelaInstrucoes::limpa() {
    entradas_.clear();
    chaves_.clear();
    posicoes_.fill(-1);
}

size_t TabelaInstrucoes::posicaoInicial(uint64_t chave) {
    return static_cast<size_t>((chave * 0x9E3779B97F4A7C15ull) >> 57); // 0 to 127
}

// Rows are indexed in table order and a mnemonic already indexed keeps its slot, so a lookup
// finds the first equal row, as a scan of the full table would.
void TabelaInstrucoes::carrega(Maquina maquina) {
    limpa();
    int32_t numero = 1;
    for (const LinhaInstrucao& linha : linhasInstrucoes(maquina)) {
        const uint64_t chave = chaveMnemonico(linha.mnemonico);
        size_t p = posicaoInicial(chave);
        while (posicoes_[p] >= 0 && chaves_[static_cast<size_t>(posicoes_[p])] != chave)
            p = (p + 1) % kPosicoes;
        if (posicoes_[p] < 0) posicoes_[p] = static_cast<int8_t>(entradas_.size());
        entradas_.push_back(
            {std::string(linha.mnemonico), numero++, linha.tamanho, linha.num_operandos, &linha});
        chaves_.push_back(chave);
    }
}

// Every mnemonic has a key (checked above), so a text without one equals none; the index
// always has empty slots, which end a search.
const tipoInstrucao* TabelaInstrucoes::busca(std::string_view textoMaiusculo) const {
    return buscaChave(chaveMnemonico(textoMaiusculo));
}

const tipoInstrucao* TabelaInstrucoes::buscaEmQualquerCaixa(std::string_view texto) const {
    return buscaChave(chaveMnemonicoEmMaiusculas(texto));
}

const tipoInstrucao* TabelaInstrucoes::buscaChave(uint64_t chave) const {
    if (chave == 0) return nullptr;
    for (size_t p = posicaoInicial(chave); posicoes_[p] >= 0; p = (p + 1) % kPosicoes) {
        const auto linha = static_cast<size_t>(posicoes_[p]);
        if (chaves_[linha] == chave) return &entradas_[linha];
    }
    return nullptr;
}

} // namespace orvandel
