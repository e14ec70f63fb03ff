// Cutting a source text into its lines. A line ends at CR LF, LF or CR, and a line end at the
// very end of the text opens no empty last line. The text is read sixteen bytes at a time
// (blocos.hpp), so the cost goes by the text's size and its line ends, not a test per byte.
//
// A long source's lines need not all be cut before the run: LinhasPorCortar counts them first,
// which fixes every line's place, and the thread that splits lines ahead of pass 1 cuts each
// block of them just before splitting it, while pass 1 works on the blocks before.
#pragma once

#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string_view>

#include "blocos.hpp"

namespace orvandel {

// How many lines CorteDeLinhas cuts the text into.
size_t contaLinhas(std::string_view texto);

// The cut, a few lines at a time: it remembers where it stopped.
class CorteDeLinhas {
  public:
    explicit CorteDeLinhas(std::string_view texto) : texto_(texto) {}

    // Hands the next lines, at most `quantas`, to `poe` in order; how many it handed (fewer
    // only at the text's end).
    template <typename Poe> size_t corta(size_t quantas, Poe&& poe);

  private:
    std::string_view texto_;
    size_t inicio_ = 0;   // of the next line
    size_t proximo_ = 0;  // the next block to look at
    uint32_t finais_ = 0; // the line ends of the block before it not yet handed over
};

// The lines of a text, counted at once and cut when asked for, by whichever thread needs them
// first: the thread that splits lines ahead of pass 1 cuts each block just before splitting it,
// and the pass cuts what it reaches before that thread (which may start late, or fall behind).
// The lines stay in place until the object goes: their list is allocated whole, at its final
// size.
class LinhasPorCortar {
  public:
    explicit LinhasPorCortar(std::string_view texto);
    ~LinhasPorCortar();
    LinhasPorCortar(const LinhasPorCortar&) = delete;
    LinhasPorCortar& operator=(const LinhasPorCortar&) = delete;

    size_t total() const { return total_; }
    // Every line's place; a thread may read a line once its own cortaAte has covered it.
    std::span<const std::string_view> linhas() const { return {linhas_, total_}; }

    // Makes sure that the lines before line `ate` (at most total()) are cut: cuts those that
    // are not, or, while another thread cuts, waits for it to finish.
    void cortaAte(size_t ate);

  private:
    size_t total_;
    std::string_view* linhas_; // room for total_ lines, each constructed as it is cut
    std::mutex corteEmCurso_;  // held while cutting; guards corte_ and linhas_'s uncut part
    CorteDeLinhas corte_;
    // How many lines are cut: read without the lock, on a cache line of its own.
    alignas(64) std::atomic<size_t> cortadas_{0};
};

// Inline: the loop that cuts every line of a source, with `poe` put in place. It works on
// locals: a line stored by `poe` might alias the members, which would then be stored and loaded
// again for every line.
template <typename Poe> size_t CorteDeLinhas::corta(size_t quantas, Poe&& poe) {
    const std::string_view texto = texto_;
    size_t inicio = inicio_;
    size_t proximo = proximo_;
    uint32_t finais = finais_;
    size_t dadas = 0;
    while (dadas < quantas) {
        if (finais == 0) {
            if (proximo >= texto.size()) { // no line end is left: the rest is the last line
                if (inicio < texto.size()) poe(texto.substr(inicio)), ++dadas;
                inicio = texto.size();
                break;
            }
            finais = posicoesDe<'\n', '\r'>(texto, proximo);
            proximo += kBloco;
            continue;
        }
        const size_t fim = proximo - kBloco + static_cast<size_t>(std::countr_zero(finais));
        finais &= finais - 1;
        if (fim < inicio) continue; // the LF of a CR LF
        poe(texto.substr(inicio, fim - inicio));
        const bool crLf = texto[fim] == '\r' && fim + 1 < texto.size() && texto[fim + 1] == '\n';
        inicio = fim + (crLf ? 2 : 1);
        ++dadas;
    }
    inicio_ = inicio;
    proximo_ = proximo;
    finais_ = finais;
    return dadas;
}

} // namespace orvandel
