// Pass 1 rehearses pass 2 on instruction and data lines. Once a line's counter and the symbols it
// are known, its encoding can be worked out in pass 1; pass 2 then places the kept bytes instead
// of splitting, looking up and encoding the line again.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>

#include "diagnosticos.hpp"

namespace orvandel {

// What pass 2 writes for one line, from the line's first address on, and how far the counter
// moves past it. It holds only while pass 2 reaches the line at the address pass 1 reached it
// at: after a line that pass 2 reports and does not count as pass 1 did, the two differ.
class LinhaEnsaiada {
  public:
    static constexpr int kMaxBytes = 6; // Jelmo's longest instruction

    // False for a line that pass 2 must work out itself, reaching it at `endereco`.
    bool pronta(int32_t endereco) const { return tamanho_ != 0 && endereco == endereco_; }
    int32_t avanco() const { return avanco_; }
    // The bytes that pass 2 writes one after another from the line's first address.
    std::span<const uint8_t> bytes() const { return {bytes_.data(), tamanho_}; }

  private:
    friend class Ensaio;
    int32_t endereco_ = 0;
    uint8_t tamanho_ = 0;
    uint8_t avanco_ = 0;
    std::array<uint8_t, kMaxBytes> bytes_{};
};

// One rehearsal. While it lives, the run's byte writes land here instead of in the image, and
// its reports are held back. A rehearsal fails at any report, at any name that is not a symbol
// yet (it may be one by pass 2), or at writes that are not one run of bytes from the line's
// address: pass 2 would not go as the rehearsal went, or would say something, or writes in a way
// not worth keeping, so that line is left to pass 2. Instruction lines and short data lines are
// rehearsed: they write through Montador::escreveByte, which hands the bytes to the rehearsal;
// the one write that bypasses it (DAB [n]'s run of zeros) fails the rehearsal instead.
//
// Its steps are written here, inline: a rehearsal begins and ends on almost every line, and as
// calls they cost more than their bodies. The bytes gather in one word, written whole each time,
// and go from it straight into the line's record: gathered byte by byte and then copied as a
// record, they were read back wider than they were written, which the processor cannot forward
// from its pending stores, and waited for those stores on every line.
class Ensaio {
  public:
    // `vigente` is the run's slot for the rehearsal under way (Montador::ensaio), `diag` its
    // diagnostics; `endereco` is the line's first address.
    Ensaio(Diagnosticos& diag, Ensaio*& vigente, int32_t endereco)
        : diag_(diag), vigente_(vigente), endereco_(endereco) {
        vigente_ = this;
        diag_.iniciaSilencio();
    }
    ~Ensaio() {
        if (ativo_) encerra();
    }
    Ensaio(const Ensaio&) = delete;
    Ensaio& operator=(const Ensaio&) = delete;

    // Every byte an encoder writes during the rehearsal: here, so that it costs no call. A byte
    // written twice keeps its last value, as the image would.
    void anota(int64_t endereco, int32_t valor) {
        const int64_t deslocamento = endereco - endereco_;
        if (deslocamento < 0 || deslocamento >= LinhaEnsaiada::kMaxBytes) return falha();
        const auto bits = static_cast<unsigned>(8 * deslocamento);
        bytes_ = (bytes_ & ~(uint64_t{0xFF} << bits)) | uint64_t(valor & 0xFF) << bits;
        escritos_ |= 1u << deslocamento;
    }
    void falha() { falhou_ = true; }
    // Ends the rehearsal: what pass 2 would write, with a counter moved by `avanco`, goes into
    // `linha`; false where it failed, with `linha` untouched.
    bool conclui(int32_t avanco, LinhaEnsaiada& linha) {
        const bool reportou = encerra();
        const int tamanho = std::countr_one(escritos_);
        const bool umaSequencia = escritos_ >> tamanho == 0;
        if (falhou_ || reportou || !umaSequencia || avanco < 0 || avanco > 0xFF) return false;
        linha.endereco_ = endereco_;
        linha.tamanho_ = static_cast<uint8_t>(tamanho);
        linha.avanco_ = static_cast<uint8_t>(avanco);
        for (size_t k = 0; k < LinhaEnsaiada::kMaxBytes; ++k)
            linha.bytes_[k] = static_cast<uint8_t>(bytes_ >> (8 * k));
        return true;
    }

  private:
    // Gives the run its writes and reports back; whether a report came meanwhile.
    bool encerra() {
        ativo_ = false;
        vigente_ = nullptr;
        return diag_.terminaSilencio();
    }

    Diagnosticos& diag_;
    Ensaio*& vigente_;
    int32_t endereco_;
    uint64_t bytes_ = 0;    // byte i in bits 8i to 8i + 7
    unsigned escritos_ = 0; // bit i: the line's address + i was written
    bool falhou_ = false;
    bool ativo_ = true;
};

} // namespace orvandel
