// Symbols' lines and the map's addresses.
#include "navegacao.hpp"

#include <algorithm>
#include <charconv>

#include "orvandel/sintaxe.hpp"
#include "orvandel/texto.hpp"

namespace orvandel {

namespace {

std::string_view aparado(std::string_view texto) {
    const size_t inicio = texto.find_first_not_of(" \t");
    if (inicio == texto.npos) return {};
    return texto.substr(inicio, texto.find_last_not_of(" \t") - inicio + 1);
}

std::optional<int> numero(std::string_view texto, int base) {
    int valor = 0;
    const auto [fim, erro] =
        std::from_chars(texto.data(), texto.data() + texto.size(), valor, base);
    if (texto.empty() || erro != std::errc() || fim != texto.data() + texto.size())
        return std::nullopt;
    return valor;
}

// 0xFF, HFF, FFh.
std::optional<int> hexadecimalMarcado(std::string_view texto) {
    const std::string m = maiusculas(texto);
    if (m.starts_with("0X")) return numero(std::string_view(m).substr(2), 16);
    if (m.starts_with('H')) return numero(std::string_view(m).substr(1), 16);
    if (m.ends_with('H')) return numero(std::string_view(m).substr(0, m.size() - 1), 16);
    return std::nullopt;
}

} // namespace

std::optional<int> linhaDaDefinicao(std::string_view nome, std::span<const std::string> linhas) {
    for (size_t i = 0; i < linhas.size(); ++i) {
        const std::string rotulo = partesLinha(linhas[i]).rotulo;
        if (!rotulo.empty() && maiusculas(rotulo) == maiusculas(nome)) return static_cast<int>(i);
    }
    return std::nullopt;
}

std::optional<int> leEndereco(std::string_view texto, BaseMapa base, const TabelaSimbolos& simbolos,
                              int enderecos) {
    texto = aparado(texto);
    std::optional<int> endereco = numero(texto, base == BaseMapa::Hexadecimal ? 16 : 10);
    if (!endereco) endereco = hexadecimalMarcado(texto);
    if (!endereco && !texto.empty()) endereco = simbolos.busca(texto);
    if (endereco && (*endereco < 0 || *endereco >= enderecos)) return std::nullopt;
    return endereco;
}

std::optional<int> primeiroEnderecoDasLinhas(std::span<const int32_t> origens, int enderecos,
                                             int primeira, int ultima) {
    const auto fim = std::min(origens.size(), static_cast<size_t>(std::max(enderecos, 0)));
    for (size_t endereco = 0; endereco < fim; ++endereco)
        if (origens[endereco] >= primeira && origens[endereco] <= ultima)
            return static_cast<int>(endereco);
    return std::nullopt;
}

} // namespace orvandel
