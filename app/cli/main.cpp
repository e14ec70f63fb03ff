// orvandel-cli: assembles source files, or a batch of a directory's sources, without a window.
// Messages go to stdout, failures to stderr; the exit status tells success (0), source errors (1)
// or a failure (2).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "argumentos.hpp"
#include "fonte.hpp"
#include "gravacao.hpp"
#include "leitura.hpp"
#include "lote.hpp"
#include "mapa.hpp"
#include "nomes.hpp"
#include "opcoes.hpp"
#include "orvandel/montagem.hpp"
#include "processo.hpp"
#include "saidas.hpp"

namespace orvandel {

namespace {

enum Saida { kSemErros = 0, kComErros = 1, kFalha = 2 };

void imprime(std::string_view texto) {
    std::fwrite(texto.data(), 1, texto.size(), stdout);
}

void imprimeFalha(const std::string& texto) {
    std::fflush(stdout);
    std::fprintf(stderr, "orvandel-cli: %s\n", texto.c_str());
}

void imprimeMensagens(const Montagem& montagem) {
    std::string texto;
    for (const Mensagem& mensagem : montagem.mensagens()) {
        texto += mensagem.linhaLista();
        texto += '\n';
    }
    imprime(texto);
}

// One source file in its own run: messages, then the outputs, then the map. The messages come
// before a failure's text, also when the run is abandoned or an output cannot be written.
Saida montaArquivo(Montagem& montagem, const std::string& arquivo, const OpcoesCli& opcoes) {
    const std::filesystem::path caminho = caminhoUtf8(arquivo);
    const TextoFonte fonte = leArquivoFonte(caminho);
    const Maquina maquina = opcoes.maquina.value_or(maquinaPorExtensao(arquivo));
    bool gravou = false;
    try {
        gravou = montaEGrava(montagem, maquina, fonte.linhas, caminho, nomesSaida(caminho).imagem);
    } catch (const ValorInteiroInvalido& abandono) {
        imprimeMensagens(montagem);
        imprimeFalha(abandono.what());
        return kFalha;
    } catch (const FalhaArquivo&) {
        imprimeMensagens(montagem);
        throw;
    }
    imprimeMensagens(montagem);
    if (gravou) imprime(" Código gerado sem erros \n");
    if (opcoes.mapa) imprime(textoMapa(montagem.memoria(), maquina, *opcoes.mapa));
    return gravou ? kSemErros : kComErros;
}

// A message's CR LF line breaks as a terminal writes them.
std::string quebrasDeTerminal(std::string texto) {
    for (size_t pos = texto.find("\r\n"); pos != std::string::npos; pos = texto.find("\r\n", pos))
        texto.erase(pos, 1);
    return texto;
}

// The batch's messages, which the desktop program shows in message boxes, are printed instead.
class MensagensNaSaida : public Mensageiro {
  public:
    void mostraMensagem(const std::string& texto) override {
        imprime(quebrasDeTerminal(texto) + "\n");
    }
};

Saida executaEmLote(const LinhaDeComando& linha) {
    MensagensNaSaida mensageiro;
    try {
        const ResumoLote resumo = executaLote(linha.maquinaAlvo, linha.verboso, mensageiro, {});
        return resumo.comErros == 0 ? kSemErros : kComErros;
    } catch (const std::runtime_error& falha) { // FalhaArquivo, ValorInteiroInvalido
        imprimeFalha(falha.what());
        return kFalha;
    }
}

int executaComArquivos(const std::vector<std::string>& argumentos) {
    const auto lidas = leOpcoes(argumentos);
    if (const std::string* erro = std::get_if<std::string>(&lidas)) {
        imprimeFalha(*erro + " (veja orvandel-cli --help)");
        return kFalha;
    }
    const OpcoesCli& opcoes = std::get<OpcoesCli>(lidas);
    if (opcoes.ajuda) return imprime(kAjuda), kSemErros;
    if (opcoes.versao) return imprime("orvandel-cli " ORVANDEL_VERSAO "\n"), kSemErros;

    Montagem montagem;
    int status = kSemErros;
    for (const std::string& arquivo : opcoes.arquivos) {
        if (opcoes.arquivos.size() > 1) imprime("Arquivo: " + arquivo + "\n");
        Saida saida = kFalha;
        try {
            saida = montaArquivo(montagem, arquivo, opcoes);
        } catch (const FalhaArquivo& falha) {
            imprimeFalha(falha.what());
        }
        status = std::max(status, static_cast<int>(saida));
    }
    return status;
}

// A first argument "-b" or "-v" selects the batch scan; any other keeps the file mode. Without
// a window, "-v" without "-b" has nothing to do.
int executa(const std::vector<std::string>& argumentos) {
    const LinhaDeComando linha = examinaArgumentos(argumentos);
    if (linha.modo == ModoInicio::Lote) return executaEmLote(linha);
    if (linha.modo == ModoInicio::Interativo && !argumentos.empty()) {
        imprimeFalha("a opção -v só vale com -b (veja orvandel-cli --help)");
        return kFalha;
    }
    return executaComArquivos(argumentos);
}

} // namespace

} // namespace orvandel

int main(int argc, char** argv) {
    orvandel::preparaProcesso();
    return orvandel::executa(orvandel::argumentosDoPrograma(argc, argv));
}
