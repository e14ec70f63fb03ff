// Fuzz target: the source-file decoder. Any bytes give lines without line ends; saving those
// lines and reading them back gives the same lines in the same encoding, and saving again
// gives the same bytes.
#include <cstdint>
#include <string_view>

#include "exige.hpp"
#include "fonte.hpp"
#include "orvandel/texto.hpp"

using orvandel::fuzz::exige;

namespace orvandel {
namespace {

void verificaLinhas(const TextoFonte& texto) {
    for (const std::string& linha : texto.linhas) {
        exige(linha.find_first_of("\r\n") == std::string::npos,
              "uma linha não guarda fim de linha");
        if (texto.codificacao == Codificacao::Cp1252)
            exige(cp1252ParaUtf8(utf8ParaCp1252(linha)) == linha,
                  "uma linha lida em Windows-1252 volta a ele sem perda");
    }
}

} // namespace
} // namespace orvandel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    using namespace orvandel;
    const TextoFonte texto = decodificaFonte({reinterpret_cast<const char*>(dados), tamanho});
    verificaLinhas(texto);
    const std::string gravado = codificaFonte(texto);
    const TextoFonte relido = decodificaFonte(gravado);
    exige(relido.linhas == texto.linhas, "gravado e relido, as mesmas linhas");
    exige(relido.codificacao == texto.codificacao, "gravado e relido, a mesma codificação");
    exige(codificaFonte(relido) == gravado, "gravado de novo, os mesmos bytes");
    return 0;
}
