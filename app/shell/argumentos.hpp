// The program's command line: whether it starts for interactive use, opens one source file, or
// runs a batch and ends. Shared by the front ends, so that both read it the same way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "alvos.hpp"

namespace orvandel {

enum class ModoInicio { Interativo, AbreArquivo, Lote };

struct LinhaDeComando {
    ModoInicio modo = ModoInicio::Interativo;
    std::string nomeArquivo;        // the source to open, as given
    int maquinaAlvo = kAlvoInicial; // batch: 0 to 3, or kTodasMaquinas
    bool verboso = false;
};

// The arguments after the program's path. The first one alone decides open mode; otherwise
// "-v" anywhere sets `verboso`, and "-b" starts a batch of all machines and consumes the next
// argument ("K", "Q", "J", "Z" pick one machine; "-v" sets `verboso`; anything else is ignored).
// Comparisons are exact and case-sensitive.
LinhaDeComando examinaArgumentos(const std::vector<std::string>& argumentos);

// The machine that a source path's extension names: the third character from the end,
// upper-cased: Z Zibel, K Kovra, Q Quirla, anything else Jelmo.
int alvoPorExtensao(std::string_view caminho);

} // namespace orvandel
