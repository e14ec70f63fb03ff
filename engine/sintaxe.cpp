// The face's reading of a source line, through the splitter the passes use.
#include "orvandel/sintaxe.hpp"

#include "linha.hpp"

namespace orvandel {

PartesLinha partesLinha(std::string_view linhaUtf8) {
    std::string buffer;
    elemLinha e;
    if (!separaLinha(trechoDivisivel(linhaUtf8, buffer), e)) return {};
    return {std::move(e.rotulo), std::move(e.operacao), std::move(e.operandos)};
}

bool ehSeparadorFonte(char32_t c) {
    return c < 128 && ehSeparador(static_cast<char>(c));
}

} // namespace orvandel
