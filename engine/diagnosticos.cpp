// Message records, their list line, and the abandoned-run exception.
#include "diagnosticos.hpp"

#include <charconv>

#include "texto.hpp"

namespace orvandel {

// Built in one allocation: an error-laden run renders thousands of these.
std::string Mensagem::linhaLista() const {
    char digitos[24];
    const auto fim = std::to_chars(digitos, digitos + sizeof digitos, int64_t{numLinha} + 1).ptr;
    const std::string_view numero(digitos, static_cast<size_t>(fim - digitos));
    const std::string_view marca = tipo == TipoMensagem::Erro ? " (ERRO) - " : " (WARNING) - ";
    std::string linha;
    linha.reserve(numero.size() + marca.size() + texto.size());
    linha.append(numero).append(marca).append(texto);
    return linha;
}

void Diagnosticos::registraErro(std::string texto, int32_t numLinha) {
    if (emSilencio_) {
        reportouEmSilencio_ = true;
        return;
    }
    lista_.push_back({numLinha, TipoMensagem::Erro, std::move(texto)});
    ++contErros_;
}

void Diagnosticos::registraAviso(std::string texto, int32_t numLinha) {
    if (emSilencio_) {
        reportouEmSilencio_ = true;
        return;
    }
    lista_.push_back({numLinha, TipoMensagem::Aviso, std::move(texto)});
}

std::string trecho(std::string_view cp1252) {
    return cp1252ParaUtf8(cp1252);
}

namespace {

// Built by appending: GCC 12 at -O3 misreads "'" + text + "..." as an overlapping copy.
std::string textoAbandono(std::string_view textoCp1252) {
    std::string texto = "'";
    texto += trecho(textoCp1252);
    texto += "' não é um valor inteiro válido";
    return texto;
}

} // namespace

ValorInteiroInvalido::ValorInteiroInvalido(std::string_view textoCp1252, int32_t numLinha)
    : std::runtime_error(textoAbandono(textoCp1252)), numLinha_(numLinha) {}

} // namespace orvandel
