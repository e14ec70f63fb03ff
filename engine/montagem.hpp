// The engine's one entry point: an assembly run over a source text for one machine. The
// Montador holds everything a run touches (image, tables, diagnostics), so that passes,
// directives and encoders reach it through one object and nothing lives in globals.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diagnosticos.hpp"
#include "ensaio.hpp"
#include "memoria.hpp"
#include "orvandel/montagem.hpp"
#include "simbolos.hpp"
#include "tabelas.hpp"

namespace orvandel {

// The location counter at the start of every line, per pass: lets tests and the fuzzer check
// that both passes agree. Recorded only when a run is given one.
struct Rastreio {
    std::vector<int32_t> passagem1;
    std::vector<int32_t> passagem2;
};

// Up to eight bytes copied by two fixed-size copies that may overlap, rather than by a call to
// memcpy that costs more than the copy: pass 2 places most lines this way.
inline void copiaCurta(uint8_t* destino, std::span<const uint8_t> bytes) {
    const size_t n = bytes.size();
    const uint8_t* origem = bytes.data();
    if (n >= 4) {
        std::memcpy(destino, origem, 4);
        std::memcpy(destino + n - 4, origem + n - 4, 4);
    } else if (n >= 2) {
        std::memcpy(destino, origem, 2);
        std::memcpy(destino + n - 2, origem + n - 2, 2);
    } else if (n == 1) {
        *destino = *origem;
    }
}

// Whether the `n` bytes from `endereco` on all lie inside the image.
inline bool dentroDaImagem(int64_t endereco, int64_t n) {
    return endereco >= 0 && endereco + n <= kTamanhoMemoria;
}

struct Montador {
    Memoria memoria{};
    TabelaSimbolos tabSimbolos;
    TabelaInstrucoes tabInstrucoes;
    Diagnosticos diag;
    Maquina maquina = Maquina::Zibel;
    CodificacaoLinhas codificacao = CodificacaoLinhas::Utf8; // of the run's lines
    // Per line of a Jelmo run, the instruction length that pass 1 found by a rule that reported
    // nothing and depends on nothing that pass 2 changes, so pass 2 takes it instead of working
    // it out again; 0 where it must be worked out (and its messages given) again. The records
    // per line draw on the default memory resource, which a front end may back with huge pages.
    std::pmr::vector<int8_t> tamanhosJelmo;
    // Per line, what pass 2 writes there when pass 1's rehearsal found it out (see Ensaio), and
    // the rehearsal under way, which takes the writes meanwhile. The rehearsal only saves time:
    // turned off, a run must give the very same results, which tests and the fuzzer check.
    std::pmr::vector<LinhaEnsaiada> ensaiadas;
    Ensaio* ensaio = nullptr;
    bool ensaiaPassagem2 = true;
    Rastreio* rastreio = nullptr;
    // From how many lines on pass 1 has a second thread split lines ahead of it: below that,
    // starting the thread costs more than it saves. Like the rehearsal, only saves time.
    size_t linhasParaSepararAdiante = kLinhasParaSepararAdiante;
    static constexpr size_t kLinhasParaSepararAdiante = 8192;
    // Per address, the zero-based line that placed its byte last, -1 where none did: what a
    // listing or a teaching view shows beside the bytes. Recorded only when a run is given one,
    // so that an ordinary run pays a null test per byte and nothing more.
    std::vector<int32_t>* origens = nullptr;

    // The one write of a byte into the image, with the line that placed it; a byte outside the
    // image is dropped. The checked placements and the directives' direct writes end here, but
    // for DAB [n] and DAW [n], whose run of zeros is filled at once (preencheZeros).
    void escreveByte(int64_t endereco, int32_t valor, int32_t numLinha) {
        if (ensaio) return ensaio->anota(endereco, valor);
        if (endereco < 0 || endereco >= kTamanhoMemoria) return;
        memoria[static_cast<size_t>(endereco)] = static_cast<uint8_t>(valor & 0xFF);
        if (origens) (*origens)[static_cast<size_t>(endereco)] = numLinha;
    }
    // The one write of a 16-bit word, high byte first as Jelmo stores it; either byte that falls
    // outside the image is dropped alone.
    void escrevePalavra(int64_t endereco, int32_t valor, int32_t numLinha) {
        escreveByte(endereco, valor >> 8, numLinha);
        escreveByte(endereco + 1, valor, numLinha);
    }

    // Consecutive bytes from `endereco` on, at most eight (a line's), as escreveByte writes
    // each: copied at once when that changes nothing.
    void escreveBytes(int64_t endereco, std::span<const uint8_t> bytes, int32_t numLinha) {
        const auto n = static_cast<int64_t>(bytes.size());
        if (!ensaio && !origens && dentroDaImagem(endereco, n)) {
            static_assert(LinhaEnsaiada::kMaxBytes <= 8);
            copiaCurta(memoria.data() + endereco, bytes);
            return;
        }
        for (int64_t i = 0; i < n; ++i)
            escreveByte(endereco + i, bytes[static_cast<size_t>(i)], numLinha);
    }

    // The machine, the per-line records and the instruction table for a run of `numLinhas`.
    void preparaPassagens(Maquina alvo, size_t numLinhas, CodificacaoLinhas codificacao);
    // Empties the message list, zeroes the image, empties the symbol and instruction tables;
    // a recorded origin list starts with no line behind any byte.
    void limpaTabelas();
    // Loads the machine's instructions, zeroes the error count, runs pass 1 then pass 2.
    // Throws ValorInteiroInvalido when a numeral does not convert: the run is abandoned there.
    void executaMontagem(Maquina alvo, std::span<const std::string_view> fonte,
                         CodificacaoLinhas codificacao);
    // The same over a whole source text, whose lines are cut as pass 1 comes to them (see
    // LinhasPorCortar).
    void executaMontagem(Maquina alvo, std::string_view texto, CodificacaoLinhas codificacao);

    // limpaTabelas followed by executaMontagem: what both front ends do for one source.
    void monta(Maquina alvo, std::span<const std::string_view> fonte,
               CodificacaoLinhas codificacao) {
        limpaTabelas();
        executaMontagem(alvo, fonte, codificacao);
    }
    // The same over UTF-8 lines held as strings, as the desktop program's editor gives them.
    void monta(Maquina alvo, std::span<const std::string> fonte);
    // The same over a whole source text, as the command-line tool reads it.
    void monta(Maquina alvo, std::string_view texto, CodificacaoLinhas codificacao) {
        limpaTabelas();
        executaMontagem(alvo, texto, codificacao);
    }

    int32_t contErros() const { return diag.contErros(); }
    const std::vector<Mensagem>& mensagens() const { return diag.lista(); }
};

} // namespace orvandel
