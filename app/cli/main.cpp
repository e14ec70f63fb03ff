// orvandel-cli: assembles source files without a window. Messages go to stdout, failures to
// stderr; the exit status tells success (0), source errors (1) or a failure (2).
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "fonte.hpp"
#include "gravacao.hpp"
#include "mapa.hpp"
#include "montagem.hpp"
#include "nomes.hpp"
#include "opcoes.hpp"
#include "saidas.hpp"

namespace orvandel {

namespace {

enum Saida { kSemErros = 0, kComErros = 1, kFalha = 2 };

void imprime(std::string_view texto) { std::fwrite(texto.data(), 1, texto.size(), stdout); }

void imprimeFalha(const std::string& texto) {
    std::fflush(stdout);
    std::fprintf(stderr, "orvandel-cli: %s\n", texto.c_str());
}

void imprimeMensagens(const Montador& montador) {
    std::string texto;
    for (const Mensagem& mensagem : montador.mensagens()) {
        texto += mensagem.linhaLista();
        texto += '\n';
    }
    imprime(texto);
}

// One source file in its own run: messages, then the outputs, then the map.
Saida montaArquivo(Montador& montador, const std::string& arquivo, const OpcoesCli& opcoes) {
    const TextoFonte fonte = leArquivoFonte(arquivo);
    const Maquina maquina = opcoes.maquina.value_or(maquinaPorExtensao(arquivo));
    try {
        montador.monta(maquina, fonte.linhas);
    } catch (const ValorInteiroInvalido& abandono) {
        imprimeMensagens(montador);
        imprimeFalha(abandono.what());
        return kFalha;
    }
    imprimeMensagens(montador);
    if (montador.contErros() == 0) {
        gravaImagemEListagem(arquivo, montador);
        imprime(" Código gerado sem erros \n");
    }
    if (opcoes.mapa) imprime(textoMapa(montador.memoria, maquina, *opcoes.mapa));
    return montador.contErros() == 0 ? kSemErros : kComErros;
}

int executa(const std::vector<std::string>& argumentos) {
    const auto lidas = leOpcoes(argumentos);
    if (const std::string* erro = std::get_if<std::string>(&lidas)) {
        imprimeFalha(*erro + " (veja orvandel-cli --help)");
        return kFalha;
    }
    const OpcoesCli& opcoes = std::get<OpcoesCli>(lidas);
    if (opcoes.ajuda) return imprime(kAjuda), kSemErros;
    if (opcoes.versao) return imprime("orvandel-cli " ORVANDEL_VERSAO "\n"), kSemErros;

    auto montador = std::make_unique<Montador>();
    int status = kSemErros;
    for (const std::string& arquivo : opcoes.arquivos) {
        if (opcoes.arquivos.size() > 1) imprime("Arquivo: " + arquivo + "\n");
        Saida saida = kFalha;
        try {
            saida = montaArquivo(*montador, arquivo, opcoes);
        } catch (const FalhaArquivo& falha) {
            imprimeFalha(falha.what());
        }
        status = std::max(status, static_cast<int>(saida));
    }
    return status;
}

} // namespace

} // namespace orvandel

int main(int argc, char** argv) {
    return orvandel::executa(std::vector<std::string>(argv + 1, argv + argc));
}
