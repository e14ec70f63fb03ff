// Splitting lines ahead of pass 1, on a second thread.
#include "separacao.hpp"

#include <functional>
#include <limits>

#include "codificadores.hpp"
#include "linha.hpp"
#include "nucleos.hpp"

namespace orvandel {

namespace {

// Whether `trecho` views the text of `linha` (std::less_equal orders any two pointers).
bool dentroDe(std::string_view trecho, std::string_view linha) {
    const std::less_equal<const char*> antes;
    return antes(linha.data(), trecho.data()) &&
           antes(trecho.data() + trecho.size(), linha.data() + linha.size());
}

// The offset pair of a token of `linha`, false where it does not fit.
bool comoTrecho(std::string_view token, std::string_view linha, LinhaSeparada::Trecho& trecho) {
    constexpr size_t kMaximo = std::numeric_limits<uint16_t>::max();
    if (token.empty()) return trecho = {}, true; // a token the line lacks views no text
    const auto inicio = static_cast<size_t>(token.data() - linha.data());
    if (inicio > kMaximo || token.size() > kMaximo - inicio) return false;
    trecho = {static_cast<uint16_t>(inicio), static_cast<uint16_t>(token.size())};
    return true;
}

} // namespace

std::optional<std::string_view> separaEBusca(std::string_view linha, CodificacaoLinhas codificacao,
                                             const TabelaInstrucoes& instrucoes, elemLinha& e,
                                             std::string& buffer, const tipoInstrucao*& instrucao) {
    const std::string_view texto = trechoDivisivel(linha, buffer, codificacao);
    if (semTokens(texto) || !separaLinha(texto, e)) return std::nullopt;
    instrucao = e.operacao.empty() ? nullptr : instrucoes.buscaEmQualquerCaixa(e.operacao);
    return texto;
}

void separaAdiante(std::string_view linha, CodificacaoLinhas codificacao,
                   const TabelaInstrucoes& instrucoes, elemLinha& e, std::string& buffer,
                   LinhaSeparada& s) {
    s = LinhaSeparada{};
    const tipoInstrucao* instrucao = nullptr;
    const std::optional<std::string_view> separada =
        separaEBusca(linha, codificacao, instrucoes, e, buffer, instrucao);
    if (!separada) {
        s.estado = LinhaSeparada::Estado::SemTokens;
        return;
    }
    const std::string_view texto = *separada;
    if (!dentroDe(texto, linha) || e.operandos.size() > LinhaSeparada::kMaxOperandos ||
        !comoTrecho(texto, linha, s.texto) || !comoTrecho(e.rotulo, linha, s.rotulo) ||
        !comoTrecho(e.operacao, linha, s.operacao))
        return;
    for (size_t k = 0; k < e.operandos.size(); ++k)
        if (!comoTrecho(e.operandos[k], linha, s.operandos[k])) return;
    s.numOperandos = static_cast<uint8_t>(e.operandos.size());
    if (instrucao) {
        s.instrucao = static_cast<int16_t>(instrucao - instrucoes.entradas().data());
        s.tamanhoJelmo = static_cast<int8_t>(tamanhoJelmoPelaForma(*instrucao->linha, e.operandos));
    }
    s.estado = LinhaSeparada::Estado::Separada;
}

SeparacaoAdiantada::SeparacaoAdiantada(std::span<const std::string_view> linhas,
                                       CodificacaoLinhas codificacao,
                                       const TabelaInstrucoes& instrucoes,
                                       LinhasPorCortar* porCortar)
    : linhas_(linhas), porCortar_(porCortar), codificacao_(codificacao), instrucoes_(instrucoes),
      totalBlocos_(static_cast<uint32_t>((linhas.size() + kLinhasPorBloco - 1) / kLinhasPorBloco)),
      anel_(kLinhasNoAnel), prontos_(std::make_unique<std::atomic<uint32_t>[]>(kBlocosNoAnel)),
      thread_([this] { trabalha(); }) {
    afastaDoNucleoAtual(thread_);
}

// Wakes the thread wherever it sleeps, then waits for it to end.
SeparacaoAdiantada::~SeparacaoAdiantada() {
    parar_.store(true, std::memory_order_relaxed);
    blocoDaPassagem_.store(totalBlocos_, std::memory_order_release);
    blocoDaPassagem_.notify_one();
    thread_.join();
}

// Entering a block frees the ones below it. The thread sleeps only when a whole ring ahead, so
// a wake-up every half ring keeps it going; one per block would cost the pass a system call per
// block.
void SeparacaoAdiantada::entraNoBloco(uint32_t bloco) {
    blocoAtual_ = bloco;
    blocoDaPassagem_.store(bloco, std::memory_order_release);
    if (bloco % (kBlocosNoAnel / 2) == 0) blocoDaPassagem_.notify_one();
    blocoPronto_ = prontos_[bloco % kBlocosNoAnel].load(std::memory_order_acquire) == bloco + 1;
    if (porCortar_) porCortar_->cortaAte((size_t{bloco} + 1) * kLinhasPorBloco);
}

// The thread works from copies of what it reads on every line: members read through `this`
// would be loaded again after each record written, from a cache line the pass may be writing.
void SeparacaoAdiantada::trabalha() {
    const std::span<const std::string_view> linhas = linhas_;
    const CodificacaoLinhas codificacao = codificacao_;
    const uint32_t totalBlocos = totalBlocos_;
    LinhasPorCortar* const porCortar = porCortar_;
    LinhaSeparada* const anel = anel_.data();
    elemLinha e;
    std::string buffer;
    for (uint32_t bloco = 0; bloco < totalBlocos; ++bloco) {
        for (uint32_t daPassagem = blocoDaPassagem_.load(std::memory_order_acquire);;
             daPassagem = blocoDaPassagem_.load(std::memory_order_acquire)) {
            // A block the pass has reached or gone past it splits itself.
            if (bloco <= daPassagem) bloco = daPassagem + 1;
            // A block takes the ring's place of the block a ring before it, which the pass
            // must be done with.
            if (bloco >= totalBlocos || bloco < daPassagem + kBlocosNoAnel) break;
            blocoDaPassagem_.wait(daPassagem, std::memory_order_acquire);
        }
        if (bloco >= totalBlocos || parar_.load(std::memory_order_relaxed)) return;
        const size_t primeira = size_t{bloco} * kLinhasPorBloco;
        const size_t fim = std::min(linhas.size(), primeira + kLinhasPorBloco);
        if (porCortar) porCortar->cortaAte(fim); // with the blocks skipped on the way
        LinhaSeparada* const registros = anel + (bloco % kBlocosNoAnel) * kLinhasPorBloco;
        try {
            for (size_t i = primeira; i < fim; ++i)
                separaAdiante(linhas[i], codificacao, instrucoes_, e, buffer,
                              registros[i - primeira]);
        } catch (...) { // out of memory: the pass splits the rest itself
            return;
        }
        prontos_[bloco % kBlocosNoAnel].store(bloco + 1, std::memory_order_release);
    }
}

} // namespace orvandel
