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

ValorInteiroInvalido::ValorInteiroInvalido(std::string_view textoCp1252)
    : std::runtime_error("'" + trecho(textoCp1252) + "' não é um valor inteiro válido") {}

} // namespace orvandel
