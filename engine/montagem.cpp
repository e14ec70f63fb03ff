// The assembly run: reset, then the two passes.
#include "montagem.hpp"

#include "passagens.hpp"

namespace orvandel {

void Montador::limpaTabelas() {
    diag.limpaLista();
    memoria.fill(0);
    tabSimbolos.limpa();
    tabInstrucoes.limpa();
}

void Montador::executaMontagem(Maquina alvo, std::span<const std::string> fonte) {
    maquina = alvo;
    linhas = fonte;
    tabInstrucoes.carrega(maquina);
    diag.zeraErros();
    primeiraPassagem(*this);
    segundaPassagem(*this);
}

} // namespace orvandel
