// The rehearsal of pass 2 in pass 1, and the placing of what it kept.
#include "ensaio.hpp"

#include <bit>

#include "montagem.hpp"

namespace orvandel {

Ensaio::Ensaio(Montador& m, int32_t endereco) : m_(m) {
    linha_.endereco_ = endereco;
    m_.ensaio = this;
    m_.diag.iniciaSilencio();
}

Ensaio::~Ensaio() {
    if (!ativo_) return;
    m_.ensaio = nullptr;
    m_.diag.terminaSilencio();
}

std::optional<LinhaEnsaiada> Ensaio::conclui(int32_t avanco) {
    ativo_ = false;
    m_.ensaio = nullptr;
    const bool reportou = m_.diag.terminaSilencio();
    const int tamanho = std::countr_one(escritos_);
    const bool umaSequencia = escritos_ >> tamanho == 0;
    if (falhou_ || reportou || !umaSequencia || avanco < 0 || avanco > 0xFF) return std::nullopt;
    linha_.tamanho_ = static_cast<uint8_t>(tamanho);
    linha_.avanco_ = static_cast<uint8_t>(avanco);
    return linha_;
}

} // namespace orvandel
