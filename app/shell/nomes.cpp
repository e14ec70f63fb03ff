// File naming rules.
#include "nomes.hpp"

#include "alvos.hpp"
#include "orvandel/texto.hpp"

namespace orvandel {

bool temExtensaoDeTres(std::string_view nome) {
    return nome.size() >= 4 && nome[nome.size() - 4] == '.';
}

std::string comExtensao(std::string_view nome, std::string_view extensao) {
    if (nome.ends_with('.')) return std::string(nome) + std::string(extensao);
    if (temExtensaoDeTres(nome) && nome.substr(nome.size() - 3) == extensao)
        return std::string(nome);
    std::string resultado(nome);
    resultado += '.';
    resultado += extensao;
    return resultado;
}

std::string semPontoDobrado(std::string_view caminho) {
    std::string resultado(caminho);
    const size_t n = resultado.size();
    if (n >= 5 && resultado[n - 4] == '.' && resultado[n - 5] == '.') resultado.erase(n - 5, 1);
    return resultado;
}

std::string nomeArquivoMem(std::string_view fonte) {
    if (temExtensaoDeTres(fonte)) return std::string(fonte.substr(0, fonte.size() - 3)) + "mem";
    return std::string(fonte) + ".mem";
}

std::string nomeArquivoMap(std::string_view nomeMem) {
    return std::string(nomeMem.substr(0, nomeMem.size() - 3)) + "map";
}

Maquina maquinaPorExtensao(std::string_view caminho) {
    if (caminho.size() < 3) return Maquina::Jelmo;
    const char inicial = maiuscula(caminho[caminho.size() - 3]);
    for (const Alvo& alvo : kAlvos)
        if (alvo.extensao.front() == inicial) return alvo.maquina;
    return Maquina::Jelmo;
}

} // namespace orvandel
