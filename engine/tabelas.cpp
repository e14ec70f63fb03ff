// The fixed tables: each machine's instruction rows and the instruction table that a run loads.
#include "tabelas.hpp"

namespace orvandel {

namespace {

constexpr LinhaInstrucao kZibel[] = {
    {"NOP", 1, 0}, {"STA", 2, 1}, {"LDA", 2, 1}, {"ADD", 2, 1}, {"OR", 2, 1}, {"AND", 2, 1},
    {"NOT", 1, 0}, {"JMP", 2, 1}, {"JN", 2, 1},  {"JZ", 2, 1},  {"HLT", 1, 0},
};

constexpr LinhaInstrucao kKovra[] = {
    {"NOP", 1, 0}, {"STA", 2, 1}, {"LDA", 2, 1}, {"ADD", 2, 1}, {"OR", 2, 1},  {"AND", 2, 1},
    {"NOT", 1, 0}, {"SUB", 2, 1}, {"JMP", 2, 1}, {"JN", 2, 1},  {"JP", 2, 1},  {"JV", 2, 1},
    {"JNV", 2, 1}, {"JZ", 2, 1},  {"JNZ", 2, 1}, {"JC", 2, 1},  {"JNC", 2, 1}, {"JB", 2, 1},
    {"JNB", 2, 1}, {"SHR", 1, 0}, {"SHL", 1, 0}, {"ROR", 1, 0}, {"ROL", 1, 0}, {"HLT", 1, 0},
};

constexpr LinhaInstrucao kQuirla[] = {
    {"NOP", 1, 0}, {"STR", 2, 3}, {"LDR", 2, 3}, {"ADD", 2, 3}, {"OR", 2, 3},  {"AND", 2, 3},
    {"NOT", 1, 1}, {"SUB", 2, 3}, {"JMP", 2, 2}, {"JN", 2, 2},  {"JZ", 2, 2},  {"JC", 2, 2},
    {"JSR", 2, 2}, {"NEG", 1, 1}, {"SHR", 1, 1}, {"HLT", 1, 0},
};

constexpr LinhaInstrucao kJelmo[] = {
    {"NOP", 1, 0}, {"HLT", 1, 0}, {"CCC", 1, 4}, {"SCC", 1, 4}, {"BR", 2, 1},  {"BNE", 2, 1},
    {"BEQ", 2, 1}, {"BPL", 2, 1}, {"BMI", 2, 1}, {"BVC", 2, 1}, {"BVS", 2, 1}, {"BCC", 2, 1},
    {"BCS", 2, 1}, {"BGE", 2, 1}, {"BLT", 2, 1}, {"BGT", 2, 1}, {"BLE", 2, 1}, {"BHI", 2, 1},
    {"BLS", 2, 1}, {"JMP", 4, 2}, {"SOB", 2, 2}, {"JSR", 4, 2}, {"RTS", 1, 1}, {"CLR", 4, 2},
    {"NOT", 4, 2}, {"INC", 4, 2}, {"DEC", 4, 2}, {"NEG", 4, 2}, {"TST", 4, 2}, {"ROR", 4, 2},
    {"ROL", 4, 2}, {"ASR", 4, 2}, {"ASL", 4, 2}, {"ADC", 4, 2}, {"SBC", 4, 2}, {"MOV", 5, 4},
    {"ADD", 5, 4}, {"SUB", 5, 4}, {"CMP", 5, 4}, {"AND", 5, 4}, {"OR", 5, 4},  {"RTI", 1, 0},
};

// Every mnemonic packs into a key, and the rows leave most of the index's slots empty.
constexpr bool cabemNoIndice(std::span<const LinhaInstrucao> linhas) {
    for (const LinhaInstrucao& linha : linhas)
        if (chaveMnemonico(linha.mnemonico) == 0) return false;
    return linhas.size() <= 64;
}
static_assert(cabemNoIndice(kZibel) && cabemNoIndice(kKovra) && cabemNoIndice(kQuirla) &&
              cabemNoIndice(kJelmo));

} // namespace

std::string_view nomeMaquina(Maquina maquina) {
    switch (maquina) {
    case Maquina::Zibel: return "Zibel";
    case Maquina::Kovra: return "Kovra";
    case Maquina::Quirla: return "Quirla";
    case Maquina::Jelmo: return "Jelmo";
    }
    return "";
}

std::optional<Maquina> maquinaPorNome(std::string_view nome) {
    for (Maquina m : {Maquina::Zibel, Maquina::Kovra, Maquina::Quirla, Maquina::Jelmo})
        if (nomeMaquina(m) == nome) return m;
    return std::nullopt;
}

std::span<const LinhaInstrucao> linhasInstrucoes(Maquina maquina) {
    switch (maquina) {
    case Maquina::Zibel: return kZibel;
    case Maquina::Kovra: return kKovra;
    case Maquina::Quirla: return kQuirla;
    case Maquina::Jelmo: return kJelmo;
    }
    return {};
}

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
            {std::string(linha.mnemonico), numero++, linha.tamanho, linha.num_operandos});
        chaves_.push_back(chave);
    }
}

// Every mnemonic has a key (checked above), so a text without one equals none; the index
// always has empty slots, which end a search.
const tipoInstrucao* TabelaInstrucoes::busca(std::string_view textoMaiusculo) const {
    const uint64_t chave = chaveMnemonico(textoMaiusculo);
    if (chave == 0) return nullptr;
    for (size_t p = posicaoInicial(chave); posicoes_[p] >= 0; p = (p + 1) % kPosicoes) {
        const auto linha = static_cast<size_t>(posicoes_[p]);
        if (chaves_[linha] == chave) return &entradas_[linha];
    }
    return nullptr;
}

} // namespace orvandel
