// Message records, their list line, and the abandoned-run exception.
#include "diagnosticos.hpp"

#include "texto.hpp"

namespace orvandel {

std::string Mensagem::linhaLista() const {
    return std::to_string(int64_t{numLinha} + 1) +
           (tipo == TipoMensagem::Erro ? " (ERRO) - " : " (WARNING) - ") + texto;
}

void Diagnosticos::registraErro(std::string texto, int32_t numLinha) {
    lista_.push_back({numLinha, TipoMensagem::Erro, std::move(texto)});
    ++contErros_;
}

void Diagnosticos::registraAviso(std::string texto, int32_t numLinha) {
    lista_.push_back({numLinha, TipoMensagem::Aviso, std::move(texto)});
}

std::string trecho(std::string_view cp1252) { return cp1252ParaUtf8(cp1252); }

namespace {

// Built by appending: GCC 12 at -O3 misreads "'" + text + "..." as an overlapping copy.
std::string textoAbandono(std::string_view textoCp1252) {
    std::string texto = "'";
    texto += trecho(textoCp1252);
    texto += "' não é um valor inteiro válido";
    return texto;
}

} // namespace

ValorInteiroInvalido::ValorInteiroInvalido(std::string_view textoCp1252)
    : std::runtime_error(textoAbandono(textoCp1252)) {}

} // namespace orvandel
