// File naming rules.
#include "nomes.hpp"

#include "texto.hpp"

namespace orvandel {

std::string nomeArquivoMem(std::string_view fonte) {
    if (fonte.size() >= 4 && fonte[fonte.size() - 4] == '.')
        return std::string(fonte.substr(0, fonte.size() - 3)) + "mem";
    return std::string(fonte) + ".mem";
}

std::string nomeArquivoMap(std::string_view nomeMem) {
    return std::string(nomeMem.substr(0, nomeMem.size() - 3)) + "map";
}

Maquina maquinaPorExtensao(std::string_view caminho) {
    if (caminho.size() < 3) return Maquina::Jelmo;
    switch (maiuscula(caminho[caminho.size() - 3])) {
    case 'Z': return Maquina::Zibel;
    case 'K': return Maquina::Kovra;
    case 'Q': return Maquina::Quirla;
    default: return Maquina::Jelmo;
    }
}

} // namespace orvandel
