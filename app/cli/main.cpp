// orvandel-cli: assembles source files, or a batch of a directory's sources, without a window.
// Messages go to stdout, failures to stderr; the exit status tells success (0), source errors (1)
// or a failure (2).
#include <cerrno>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "alvos.hpp"
#include "argumentos.hpp"
#include "fonte.hpp"
#include "gravacao.hpp"
#include "leitura.hpp"
#include "listagem_fonte.hpp"
#include "lote.hpp"
#include "mapa.hpp"
#include "nomes.hpp"
#include "opcoes.hpp"
#include "orvandel/montagem.hpp"
#include "orvandel/texto.hpp"
#include "processo.hpp"
#include "relato.hpp"
#include "saidas.hpp"
#include "terminal.hpp"

namespace orvandel {

namespace {

namespace fs = std::filesystem;

enum Saida { kSemErros = 0, kComErros = 1, kFalha = 2 };

constexpr std::string_view kEntradaPadrao = "-";

LinhasFonte leEntradaPadrao() {
    BytesLidos bytes;
    char bloco[65536];
    for (size_t lidos; (lidos = std::fread(bloco, 1, sizeof bloco, stdin)) > 0;)
        bytes.insert(bytes.end(), bloco, bloco + lidos);
    if (std::ferror(stdin))
        throw FalhaArquivo("Não foi possível ler a entrada padrão: " + descricaoErro(errno));
    return decodificaLinhasFonte(std::move(bytes));
}

// Whether the name ends in the extension of the machine that its third character from the end
// picks (".zid", ".KOD", ...), rather than in a letter that merely falls on one.
bool extensaoConhecida(std::string_view arquivo) {
    return temExtensaoDeTres(arquivo) && maiusculas(arquivo.substr(arquivo.size() - 3)) ==
                                             extensaoFonte(maquinaPorExtensao(arquivo));
}

// Without -m the extension decides; a student whose prog.asm is read as Jelmo is told so.
Maquina maquinaDoArquivo(const std::string& arquivo, const OpcoesCli& opcoes, Console& console) {
    if (opcoes.maquina) return *opcoes.maquina;
    const Maquina maquina = maquinaPorExtensao(arquivo);
    if (!extensaoConhecida(arquivo))
        console.falha(arquivo + ": máquina " + std::string(nomeMaquina(maquina)) +
                      " (pela extensão)");
    return maquina;
}

// The files a run may write. Every name but the image's takes the image's name with another
// extension in place of its last three characters.
struct Destinos {
    fs::path fonte; // empty for the standard input
    fs::path imagem;
    std::optional<fs::path> listagem;
    std::vector<std::pair<FormatoExportacao, fs::path>> exportacoes;
};

std::string nomeDerivado(const std::string& imagem, std::string_view extensao) {
    return imagem.substr(0, imagem.size() - 3) + std::string(extensao);
}

// -o NOME names the image; without a three-letter extension of its own it gets ".mem".
std::string nomeDaImagem(const std::string& arquivo, const OpcoesCli& opcoes) {
    if (!opcoes.saida) return nomesSaida(arquivo).imagem.string();
    const std::string& nome = *opcoes.saida;
    return temExtensaoDeTres(nome) ? nome : nome + ".mem";
}

Destinos destinos(const std::string& arquivo, const OpcoesCli& opcoes) {
    Destinos d;
    if (arquivo != kEntradaPadrao) d.fonte = caminhoUtf8(arquivo);
    const std::string imagem = nomeDaImagem(arquivo, opcoes);
    d.imagem = caminhoUtf8(imagem);
    if (opcoes.listagem) d.listagem = caminhoUtf8(nomeDerivado(imagem, "lst"));
    for (FormatoExportacao formato : opcoes.formatos)
        d.exportacoes.emplace_back(formato,
                                   caminhoUtf8(nomeDerivado(imagem, extensaoExportacao(formato))));
    std::set<fs::path> nomes = {d.imagem, caminhoUtf8(nomeArquivoMap(imagem))};
    auto confere = [&](const fs::path& nome) {
        if (!nomes.insert(nome).second)
            throw FalhaArquivo("O nome " + nome.string() +
                               " serviria a duas saídas: nada foi gravado (escolha outro com -o)");
    };
    if (d.listagem) confere(*d.listagem);
    for (const auto& [formato, nome] : d.exportacoes) confere(nome);
    return d;
}

void grava(const Destinos& d, const fs::path& nome, std::string_view conteudo, RelatoMontagem& r) {
    recusaSobreFonte(d.fonte, nome);
    gravaAtomicamente(nome, conteudo);
    r.gravados.push_back(nome.string());
}

// The run and its files: the image and symbol listing through the step both programs share,
// then the annotated listing (also after errors) and the exports (only without errors).
void montaEGravaTudo(Montagem& montagem, const LinhasFonte& fonte, const Destinos& d,
                     const OpcoesCli& opcoes, RelatoMontagem& r) {
    montagem.registraOrigens(d.listagem || !d.exportacoes.empty());
    r.montagem = &montagem;
    const bool gravaArquivos = !(r.arquivo == kEntradaPadrao && !opcoes.saida);
    if (!gravaArquivos) {
        montagem.monta(r.maquina, fonte.conteudo, fonte.codificacao);
        return;
    }
    if (montaEGrava(montagem, r.maquina, fonte, d.fonte, d.imagem))
        r.gravados = {d.imagem.string(), nomeArquivoMap(d.imagem.string())};
    const std::string titulo = r.arquivo == kEntradaPadrao ? "(entrada padrão)" : r.arquivo;
    if (d.listagem)
        grava(d, *d.listagem, conteudoListagemFonte(titulo, fonte.emUtf8(), montagem), r);
    if (montagem.contErros() != 0) return;
    for (const auto& [formato, nome] : d.exportacoes)
        grava(d, nome,
              conteudoExportacao(formato, r.maquina, montagem.memoria(), montagem.origens()), r);
}

// One source in its own run. Its failure (an unreadable source, an output that cannot be
// written, an abandoned run) ends only this source's run, with status 2.
RelatoMontagem montaArquivo(Montagem& montagem, const std::string& arquivo, const OpcoesCli& opcoes,
                            Console& console) {
    RelatoMontagem r;
    r.arquivo = arquivo;
    r.maquina = maquinaDoArquivo(arquivo, opcoes, console);
    try {
        const LinhasFonte fonte =
            arquivo == kEntradaPadrao ? leEntradaPadrao() : leLinhasFonte(caminhoUtf8(arquivo));
        montaEGravaTudo(montagem, fonte, destinos(arquivo, opcoes), opcoes, r);
        r.status = montagem.contErros() == 0 ? kSemErros : kComErros;
    } catch (const ValorInteiroInvalido& abandono) {
        r.abandono = Abandono{abandono.numLinha(), abandono.what()};
        r.status = kFalha;
    } catch (const FalhaArquivo& falha) {
        r.falha = falha.what();
        r.status = kFalha;
    }
    return r;
}

// An abandoned run's text after its file and line, as compilers name them: "soma.kod:12: ...".
std::string comLocal(const std::string& arquivo, int32_t numLinha, const std::string& texto) {
    return arquivo + ":" + std::to_string(numLinha + 1) + ": " + texto;
}

// The messages come before a failure's text, also when the run is abandoned or an output
// cannot be written; the map follows a run that went through, with errors or without.
void apresenta(const RelatoMontagem& r, const OpcoesCli& opcoes, Console& console) {
    if (opcoes.forma == FormaMensagens::Json) {
        console.imprime(documentoJson(r, opcoes.mapa.has_value()));
    } else if (r.montagem) {
        console.imprime(textoMensagens(*r.montagem, opcoes.forma, r.arquivo));
    }
    if (r.abandono) console.falha(comLocal(r.arquivo, r.abandono->numLinha, r.abandono->texto));
    if (!r.falha.empty()) console.falha(r.falha);
    if (r.status == kFalha || opcoes.forma == FormaMensagens::Json) return;
    if (r.status == kSemErros) console.imprime(" Código gerado sem erros \n");
    if (opcoes.mapa) console.imprime(textoMapa(r.montagem->memoria(), r.maquina, *opcoes.mapa));
}

// A message's CR LF line breaks as a terminal writes them.
std::string quebrasDeTerminal(std::string texto) {
    for (size_t pos = texto.find("\r\n"); pos != std::string::npos; pos = texto.find("\r\n", pos))
        texto.erase(pos, 1);
    return texto;
}

// The batch's messages, which the desktop program shows in message boxes, are printed instead;
// each source's outcome is kept for the summary.
class MensagensNaSaida : public Mensageiro {
  public:
    explicit MensagensNaSaida(Console& console) : console_(console) {}
    void mostraMensagem(const std::string& texto) override {
        console_.imprime(quebrasDeTerminal(texto) + "\n");
    }
    void arquivoProcessado(const ArquivoDoLote& arquivo) override { arquivos.push_back(arquivo); }

    std::vector<ArquivoDoLote> arquivos;

  private:
    Console& console_;
};

// An abandoned run names its file and line; the log keeps the text alone.
std::string textoFalhaLote(const std::string& falha, const std::vector<ArquivoDoLote>& arquivos) {
    if (arquivos.empty() || arquivos.back().falha != falha || arquivos.back().linhaFalha < 0)
        return falha;
    return comLocal(arquivos.back().nome, arquivos.back().linhaFalha, falha);
}

Saida gravaResumo(const std::string& nome, const std::vector<ArquivoDoLote>& arquivos,
                  Console& console) {
    const bool csv = maiusculas(fs::path(nome).extension().string()) == ".CSV";
    try {
        gravaAtomicamente(caminhoUtf8(nome), csv ? resumoCsv(arquivos) : resumoJson(arquivos));
    } catch (const FalhaArquivo& falha) {
        console.falha(falha.what());
        return kFalha;
    }
    return kSemErros;
}

Saida executaEmLote(const LinhaDeComando& linha, const std::optional<std::string>& resumo,
                    Console& console) {
    MensagensNaSaida mensageiro(console);
    Saida saida = kSemErros;
    try {
        const ResumoLote total = executaLote(linha.maquinaAlvo, linha.verboso, mensageiro, {});
        saida = total.comErros == 0 ? kSemErros : kComErros;
    } catch (const std::runtime_error& falha) { // FalhaArquivo, ValorInteiroInvalido
        console.falha(textoFalhaLote(falha.what(), mensageiro.arquivos));
        saida = kFalha;
    }
    if (resumo) saida = std::max(saida, gravaResumo(*resumo, mensageiro.arquivos, console));
    return saida;
}

Saida executaComArquivos(const std::vector<std::string>& argumentos, Console& console) {
    const auto lidas = leOpcoes(argumentos);
    if (const std::string* erro = std::get_if<std::string>(&lidas)) {
        console.falha(*erro + " (veja orvandel-cli --help)");
        return kFalha;
    }
    const OpcoesCli& opcoes = std::get<OpcoesCli>(lidas);
    if (opcoes.ajuda) return console.imprime(kAjuda), kSemErros;
    if (opcoes.versao) return console.imprime("orvandel-cli " ORVANDEL_VERSAO "\n"), kSemErros;

    Montagem montagem;
    int status = kSemErros;
    for (const std::string& arquivo : opcoes.arquivos) {
        if (opcoes.arquivos.size() > 1 && opcoes.forma != FormaMensagens::Json)
            console.imprime("Arquivo: " + arquivo + "\n");
        const RelatoMontagem relato = montaArquivo(montagem, arquivo, opcoes, console);
        apresenta(relato, opcoes, console);
        status = std::max(status, relato.status);
    }
    return static_cast<Saida>(status);
}

// A first argument "-b" or "-v" selects the batch scan; any other keeps the file mode. Without
// a window, "-v" without "-b" has nothing to do. A batch's "--resumo FILE" is taken out before
// the scan, which would read the name as the machine letter.
Saida executa(const std::vector<std::string>& argumentos, Console& console) {
    const auto separados = separaResumo(argumentos);
    const auto* lote = std::get_if<ArgumentosLote>(&separados);
    const LinhaDeComando linha = examinaArgumentos(lote ? lote->argumentos : argumentos);
    if (linha.modo == ModoInicio::Lote && !lote) {
        console.falha(std::get<std::string>(separados) + " (veja orvandel-cli --help)");
        return kFalha;
    }
    if (linha.modo == ModoInicio::Lote) return executaEmLote(linha, lote->resumo, console);
    if (linha.modo == ModoInicio::Interativo && !(lote ? lote->argumentos : argumentos).empty()) {
        console.falha("a opção -v só vale com -b (veja orvandel-cli --help)");
        return kFalha;
    }
    return executaComArquivos(argumentos, console);
}

} // namespace

} // namespace orvandel

int main(int argc, char** argv) {
    orvandel::preparaProcesso();
    orvandel::Console console;
    const int status = orvandel::executa(orvandel::argumentosDoPrograma(argc, argv), console);
    return console.confereSaida() ? status : orvandel::kFalha;
}
