// Splitting lines ahead of pass 1, on a second thread. A line's split and the lookup of its
// operation depend on nothing the passes change, and on a long source they are a fifth of
// pass 1; done by another core ahead of it, pass 1 only reads the results. The thread runs at
// most a ring's worth of lines ahead, so its records take the same room (1 MB) at any source
// size.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "corte.hpp"
#include "orvandel/montagem.hpp"
#include "tabelas.hpp"

namespace orvandel {

// One line as the splitter left it: where its splittable text (trechoDivisivel's) and its tokens
// lie in the line, its operation's instruction row and, for a Jelmo instruction whose length
// follows from its operands' forms, that length. Offsets take a quarter of the room of views.
struct LinhaSeparada {
    struct Trecho {
        uint16_t inicio = 0;
        uint16_t tamanho = 0;
        std::string_view em(std::string_view linha) const { return linha.substr(inicio, tamanho); }
    };
    static constexpr size_t kMaxOperandos = 4;

    // SemTokens: the line does nothing in either pass. PelaPassagem: the pass splits the line
    // itself (a text converted from UTF-8, more operands than the record holds, a line too long
    // for its offsets, or a record the thread could not make).
    enum class Estado : uint8_t { SemTokens, Separada, PelaPassagem };

    Estado estado = Estado::PelaPassagem;
    uint8_t numOperandos = 0;
    int16_t instrucao = -1;  // the row in TabelaInstrucoes::entradas(), -1 for none
    int8_t tamanhoJelmo = 0; // tamanhoJelmoPelaForma's
    Trecho texto, rotulo, operacao;
    std::array<Trecho, kMaxOperandos> operandos{};

    // The tokens back as views of `linha`, as separaLinha would have left them in `e`. Inline:
    // the pass asks it of every line.
    void preenche(elemLinha& e, std::string_view linha) const {
        e.rotulo = rotulo.em(linha);
        e.operacao = operacao.em(linha);
        e.operandos.resize(numOperandos);
        for (size_t k = 0; k < numOperandos; ++k) e.operandos[k] = operandos[k].em(linha);
    }
};

// Line `linha` split into `e`, with its operation's instruction row (null for none): the text
// that was split, or nullopt for a line that holds no token. What pass 1 does for a line, in the
// thread ahead of it or, where the thread has not, itself.
std::optional<std::string_view> separaEBusca(std::string_view linha, CodificacaoLinhas codificacao,
                                             const TabelaInstrucoes& instrucoes, elemLinha& e,
                                             std::string& buffer, const tipoInstrucao*& instrucao);

// What the thread does for one line, into `s`: written in place, as a record built aside and
// copied in would be read back wider than it was written, which stalls on pending stores. `e`
// and `buffer` are the thread's own scratch space.
void separaAdiante(std::string_view linha, CodificacaoLinhas codificacao,
                   const TabelaInstrucoes& instrucoes, elemLinha& e, std::string& buffer,
                   LinhaSeparada& s);

// The thread and its ring of blocks of records. The pass never waits for the thread: a block
// the thread has not filled by the time the pass reaches it the pass splits itself, and the
// thread, finding the pass past a block, skips to the next one ahead. Waking a sleeping thread
// costs the waker a system call, and the sleeper a wait for its core, so only the thread ever
// sleeps: when it is a whole ring ahead, until the pass has used half of it.
//
// Lines must be asked for in order, each once at most; the object stops its thread when it
// goes, wherever the pass leaves off, and must not outlive the lines.
class SeparacaoAdiantada {
  public:
    // Given `porCortar`, the lines are its own and still to be cut: the thread cuts each block
    // just before splitting it, and the pass, at each block, what the thread has not.
    SeparacaoAdiantada(std::span<const std::string_view> linhas, CodificacaoLinhas codificacao,
                       const TabelaInstrucoes& instrucoes, LinhasPorCortar* porCortar = nullptr);
    ~SeparacaoAdiantada();
    SeparacaoAdiantada(const SeparacaoAdiantada&) = delete;
    SeparacaoAdiantada& operator=(const SeparacaoAdiantada&) = delete;

    // Line i's record, or null where the pass splits the line itself; either way, line i is cut
    // once this returns. Inline, as the pass asks it of every line.
    const LinhaSeparada* linha(size_t i) {
        const auto bloco = static_cast<uint32_t>(i / kLinhasPorBloco);
        if (bloco != blocoAtual_) entraNoBloco(bloco);
        return blocoPronto_ ? &anel_[i % kLinhasNoAnel] : nullptr;
    }

  private:
    static constexpr size_t kLinhasPorBloco = 512;
    static constexpr uint32_t kBlocosNoAnel = 64;
    static constexpr size_t kLinhasNoAnel = kLinhasPorBloco * kBlocosNoAnel;

    void entraNoBloco(uint32_t bloco);
    void trabalha();

    std::span<const std::string_view> linhas_;
    LinhasPorCortar* porCortar_;
    CodificacaoLinhas codificacao_;
    // The thread's own copy: the run's table shares cache lines with what the pass writes on
    // every line, and reading it from the other core would bounce those lines between the two.
    const TabelaInstrucoes instrucoes_;
    uint32_t totalBlocos_;
    std::vector<LinhaSeparada> anel_;
    // Per place in the ring, one more than the block whose records it holds complete (0: none).
    std::unique_ptr<std::atomic<uint32_t>[]> prontos_;
    // The block the pass is in: it is done with every block below.
    alignas(64) std::atomic<uint32_t> blocoDaPassagem_{0};
    std::atomic<bool> parar_{false};
    // The pass's own, on a cache line of their own.
    alignas(64) uint32_t blocoAtual_ = UINT32_MAX;
    bool blocoPronto_ = false; // whether the thread filled blocoAtual_ in time
    std::thread thread_;
};

} // namespace orvandel
