// The assembly run: reset, then the two passes; and the face that the front ends call.
#include "montagem.hpp"

#include "orvandel/montagem.hpp"
#include "passagens.hpp"

namespace orvandel {

void Montador::limpaTabelas() {
    diag.limpaLista();
    memoria.fill(0);
    tabSimbolos.limpa();
    tabInstrucoes.limpa();
}

void Montador::executaMontagem(Maquina alvo, std::span<const std::string> fonte) {
    // The lines belong to the caller: they are dropped when the run ends, however it ends.
    struct Esquece {
        std::span<const std::string>& linhas;
        ~Esquece() { linhas = {}; }
    } esquece{linhas};
    maquina = alvo;
    linhas = fonte;
    tabInstrucoes.carrega(maquina);
    diag.zeraErros();
    primeiraPassagem(*this);
    segundaPassagem(*this);
}

Montagem::Montagem() : montador_(std::make_unique<Montador>()) {}
Montagem::~Montagem() = default;

void Montagem::monta(Maquina maquina, std::span<const std::string> linhas) {
    montador_->monta(maquina, linhas);
}

void Montagem::limpa() {
    montador_->limpaTabelas();
}

Maquina Montagem::maquina() const {
    return montador_->maquina;
}
const Memoria& Montagem::memoria() const {
    return montador_->memoria;
}
const TabelaSimbolos& Montagem::simbolos() const {
    return montador_->tabSimbolos;
}
const std::vector<Mensagem>& Montagem::mensagens() const {
    return montador_->mensagens();
}
int32_t Montagem::contErros() const {
    return montador_->contErros();
}

} // namespace orvandel
