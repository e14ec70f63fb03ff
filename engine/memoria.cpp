// Placing values into the memory image with the machine's address and value checks.
#include "memoria.hpp"

#include <string>

#include "montagem.hpp"

namespace orvandel {

namespace {

std::string limiteExcedido(Maquina maquina) {
    return ehJelmo(maquina) ? "Excedido limite de memória (endereço 65535)"
                            : "Excedido limite de memória (endereço 255)";
}

std::string naoRepresentavel(int32_t valor, int bits) {
    return "Valor " + std::to_string(valor) + " (decimal) não é representável em " +
           std::to_string(bits) + " bits";
}

} // namespace

void armazenaPalavra(Montador& m, int32_t valor, int32_t endereco, int32_t numLinha) {
    // A Jelmo word needs both its bytes inside the image: a word at 65535 is refused whole.
    const bool palavraNaoCabe = ehJelmo(m.maquina) && endereco == kTamanhoMemoria - 1;
    if (!enderecoValido(m.maquina, endereco) || palavraNaoCabe) {
        m.diag.registraErro(limiteExcedido(m.maquina), numLinha);
        return;
    }
    if (!ehJelmo(m.maquina)) {
        armazenaByte(m, valor, endereco, numLinha);
        return;
    }
    if (valor < -32768 || valor > 65535) {
        m.diag.registraAviso(naoRepresentavel(valor, 16), numLinha);
        return;
    }
    m.escrevePalavra(endereco, valor, numLinha);
}

void armazenaByte(Montador& m, int32_t valor, int32_t endereco, int32_t numLinha) {
    if (!enderecoValido(m.maquina, endereco)) {
        m.diag.registraErro(limiteExcedido(m.maquina), numLinha);
        return;
    }
    if (valor < -128 || valor > 255) {
        m.diag.registraAviso(naoRepresentavel(valor, 8), numLinha);
        return;
    }
    m.escreveByte(endereco, valor, numLinha);
}

} // namespace orvandel
