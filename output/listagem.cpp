// The symbol listing.
#include "listagem.hpp"

#include <cstdio>

#include "gravacao.hpp"

namespace orvandel {

std::string conteudoTabSimb(const TabelaSimbolos& tabSimbolos) {
    // Windows-1252: the header's "í" is the single byte EDh.
    std::string conteudo = "S\xEDmbolo     Valor Decimal   Valor Hexadecimal\r\n"
                           "-------     -------------   -----------------\r\n";
    char colunas[40];
    for (const tipoSimbolo& simbolo : tabSimbolos.entradas()) {
        conteudo += simbolo.nome;
        for (size_t i = simbolo.nome.size(); i < 10; ++i) conteudo += ' ';
        std::snprintf(colunas, sizeof colunas, "%15d%20X\r\n", simbolo.valor,
                      static_cast<unsigned>(simbolo.valor));
        conteudo += colunas;
    }
    return conteudo;
}

void gravaTabSimb(const std::filesystem::path& nomeArquivoMap, const TabelaSimbolos& tabSimbolos) {
    gravaAtomicamente(nomeArquivoMap, conteudoTabSimb(tabSimbolos), Durabilidade::Regeneravel);
}

} // namespace orvandel
