// The memory map's texts.
#include "mapa.hpp"

#include <cstdio>

namespace orvandel {

std::string celulaMapa(unsigned valor, BaseMapa base) {
    char texto[16];
    std::snprintf(texto, sizeof texto, base == BaseMapa::Hexadecimal ? "%X" : "%u", valor);
    return texto;
}

int enderecosMapa(Maquina maquina) {
    return ultimoEndereco(maquina) + 1;
}

std::string textoMapa(const Memoria& memoria, Maquina maquina, BaseMapa base) {
    std::string texto;
    const int total = enderecosMapa(maquina);
    texto.reserve(static_cast<size_t>(total) * 10);
    for (int endereco = 0; endereco < total; ++endereco) {
        texto += celulaMapa(static_cast<unsigned>(endereco), base);
        texto += ' ';
        texto += celulaMapa(memoria[static_cast<size_t>(endereco)], base);
        texto += '\n';
    }
    return texto;
}

} // namespace orvandel
