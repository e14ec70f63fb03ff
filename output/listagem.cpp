// The symbol listing.
#include "listagem.hpp"

#include <charconv>
#include <cstdint>
#include <iterator>

#include "orvandel/texto.hpp"

namespace orvandel {

namespace {

// `valor` in `base`, upper case, right-aligned in `largura` columns (as printf's "%15d" and
// "%20X" would give it, without parsing a format for every symbol).
template <typename Inteiro>
void acrescentaAlinhado(std::string& destino, Inteiro valor, int base, size_t largura) {
    char digitos[16];
    const auto fim = std::to_chars(std::begin(digitos), std::end(digitos), valor, base).ptr;
    const auto n = static_cast<size_t>(fim - digitos);
    if (n < largura) destino.append(largura - n, ' ');
    for (const char* c = digitos; c != fim; ++c) destino += maiuscula(*c);
}

} // namespace

std::string conteudoTabSimb(const TabelaSimbolos& tabSimbolos) {
    // Windows-1252: the header's "í" is the single byte EDh.
    std::string conteudo = "S\xEDmbolo     Valor Decimal   Valor Hexadecimal\r\n"
                           "-------     -------------   -----------------\r\n";
    for (const tipoSimbolo& simbolo : tabSimbolos.entradas()) {
        conteudo += simbolo.nome;
        if (simbolo.nome.size() < 10) conteudo.append(10 - simbolo.nome.size(), ' ');
        acrescentaAlinhado(conteudo, simbolo.valor, 10, 15);
        acrescentaAlinhado(conteudo, static_cast<uint32_t>(simbolo.valor), 16, 20);
        conteudo += "\r\n";
    }
    return conteudo;
}

} // namespace orvandel
