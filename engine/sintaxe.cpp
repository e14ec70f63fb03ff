// The face's reading of a source line, through the splitter the passes use.
#include "orvandel/sintaxe.hpp"

#include "linha.hpp"

namespace orvandel {

PartesLinha partesLinha(std::string_view linhaUtf8) {
    std::string buffer;
    elemLinha e;
    if (!separaLinha(trechoDivisivel(linhaUtf8, buffer), e)) return {};
    // The splitter's tokens view `buffer` or the line: the parts are copies that outlive both.
    PartesLinha partes{std::string(e.rotulo), std::string(e.operacao), {}};
    partes.operandos.assign(e.operandos.begin(), e.operandos.end());
    return partes;
}

bool ehSeparadorFonte(char32_t c) {
    return c < 128 && ehSeparador(static_cast<char>(c));
}

} // namespace orvandel
