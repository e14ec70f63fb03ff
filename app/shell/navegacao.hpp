// Finding one's way between the messages, the source and the memory map: where a symbol is
// defined, and the address that a text typed into the map names.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "mapa.hpp"
#include "orvandel/simbolos.hpp"

namespace orvandel {

// The zero-based line whose label defines `nome` (any case), the first one if several do.
std::optional<int> linhaDaDefinicao(std::string_view nome, std::span<const std::string> linhas);

// An address among the first `enderecos`: a number in the map's base ("FF" or "255"), a
// hexadecimal one marked as such in any base ("0xFF", "HFF", "FFh"), or a symbol's name.
std::optional<int> leEndereco(std::string_view texto, BaseMapa base, const TabelaSimbolos& simbolos,
                              int enderecos);

// The lowest of the first `enderecos` addresses whose byte one of the lines `primeira` to
// `ultima` placed, by the run's record of origins.
std::optional<int> primeiroEnderecoDasLinhas(std::span<const int32_t> origens, int enderecos,
                                             int primeira, int ultima);

} // namespace orvandel
