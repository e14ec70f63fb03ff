// The batch run of one machine, or of all four, over a directory.
#include "lote.hpp"

#include <algorithm>
#include <span>
#include <vector>

#include "fonte.hpp"
#include "gravacao.hpp"
#include "leitura.hpp"
#include "nomes.hpp"
#include "orvandel/texto.hpp"
#include "saidas.hpp"

namespace orvandel {

namespace fs = std::filesystem;

namespace {

// The log is built in memory as UTF-8 and written whole, as Windows-1252 text with CR LF, so
// that a failure never leaves half a log behind.
class Log {
  public:
    void linha(std::string_view texto) {
        texto_ += texto;
        texto_ += "\r\n";
    }
    void grava(const fs::path& caminho) const {
        gravaAtomicamente(caminho, utf8ParaCp1252(texto_));
    }

  private:
    std::string texto_;
};

// The mask "*.KOD" and its kin, ignoring case.
bool casaComMascara(std::string_view nome, Maquina maquina) {
    const std::string_view extensao = extensaoFonte(maquina);
    if (nome.size() <= extensao.size()) return false;
    const size_t ponto = nome.size() - extensao.size() - 1;
    return nome[ponto] == '.' && maiusculas(nome.substr(ponto + 1)) == extensao;
}

// Name order, letter case aside, as Windows lists its folders: a POSIX listing comes in whatever
// order the file system keeps, and the logs would then differ from one disk to the next.
void ordenaComoWindows(std::vector<std::string>& nomes) {
    std::sort(nomes.begin(), nomes.end(), [](const std::string& a, const std::string& b) {
        const std::string ma = maiusculas(a), mb = maiusculas(b);
        return ma != mb ? ma < mb : a < b;
    });
}

// The bare names of the machine's sources, in name order.
std::vector<std::string> fontesDoDiretorio(const fs::path& diretorio, Maquina maquina) {
    const fs::path listado = diretorio.empty() ? fs::path(".") : diretorio;
    std::vector<std::string> nomes;
    std::error_code erro;
    for (fs::directory_iterator it(listado, erro), fim; !erro && it != fim; it.increment(erro)) {
        std::string nome = it->path().filename().string();
        if (casaComMascara(nome, maquina)) nomes.push_back(std::move(nome));
    }
    if (erro)
        throw FalhaArquivo("Não foi possível ler o diretório " + listado.string() + ": " +
                           descricaoErro(erro.value()));
    ordenaComoWindows(nomes);
    return nomes;
}

std::string textoResumo(Maquina maquina, const ResumoLote& resumo) {
    std::string texto = "Arquivos " + std::string(nomeMaquina(maquina)) +
                        " processados: " + std::to_string(resumo.processados);
    if (resumo.comErros > 0)
        texto += "\r\nErros: " + std::to_string(resumo.comErros) + " (Detalhes em " +
                 nomeLog(maquina) + ")";
    return texto;
}

void contaMensagens(ArquivoDoLote& arquivo, const Montagem& montagem) {
    arquivo.erros = montagem.contErros();
    arquivo.avisos = static_cast<int32_t>(montagem.mensagens().size()) - arquivo.erros;
}

class LoteDeUmaMaquina {
  public:
    LoteDeUmaMaquina(Maquina maquina, bool verboso, const fs::path& diretorio)
        : maquina_(maquina), verboso_(verboso), diretorio_(diretorio) {}

    ResumoLote processa(Mensageiro& mensageiro);
    void gravaLog() const { log_.grava(diretorio_ / nomeLog(maquina_)); }
    void gravaInterrompido(const std::string& falha);

  private:
    void processaArquivo(const std::string& nome);
    void montaArquivo(const std::string& nome, ArquivoDoLote& arquivo);
    void registraFalho(const std::string& nome, std::span<const Mensagem> mensagens);

    Maquina maquina_;
    bool verboso_;
    fs::path diretorio_;
    Montagem montagem_;
    Log log_;
    ResumoLote resumo_;
    Mensageiro* mensageiro_ = nullptr;
};

ResumoLote LoteDeUmaMaquina::processa(Mensageiro& mensageiro) {
    mensageiro_ = &mensageiro;
    log_.linha("Inicio do processamento");
    const std::vector<std::string> nomes = fontesDoDiretorio(diretorio_, maquina_);
    if (nomes.empty()) {
        mensageiro.mostraMensagem("Nenhum arquivo " + std::string(nomeMaquina(maquina_)) +
                                  " no diretório");
        return resumo_;
    }
    for (const std::string& nome : nomes) processaArquivo(nome);
    mensageiro.mostraMensagem(textoResumo(maquina_, resumo_));
    log_.linha("Fim do processamento");
    return resumo_;
}

// The file at which the batch stops gets a block of its own, with the messages of a run that
// was abandoned halfway.
void LoteDeUmaMaquina::processaArquivo(const std::string& nome) {
    ++resumo_.processados;
    ArquivoDoLote arquivo;
    arquivo.nome = nome;
    arquivo.maquina = maquina_;
    try {
        montaArquivo(nome, arquivo);
    } catch (const ValorInteiroInvalido& abandono) {
        registraFalho(nome, montagem_.mensagens());
        contaMensagens(arquivo, montagem_);
        arquivo.falha = abandono.what();
        arquivo.linhaFalha = abandono.numLinha();
        mensageiro_->arquivoProcessado(arquivo);
        throw;
    } catch (const FalhaArquivo& falha) {
        registraFalho(nome, {});
        arquivo.falha = falha.what();
        mensageiro_->arquivoProcessado(arquivo);
        throw;
    }
    mensageiro_->arquivoProcessado(arquivo);
}

void LoteDeUmaMaquina::montaArquivo(const std::string& nome, ArquivoDoLote& arquivo) {
    const fs::path fonte = diretorio_ / caminhoUtf8(nome);
    const LinhasFonte texto = leLinhasFonte(fonte);
    montagem_.monta(maquina_, texto.conteudo, texto.codificacao);
    contaMensagens(arquivo, montagem_);
    if (montagem_.contErros() != 0) {
        ++resumo_.comErros;
        registraFalho(nome, montagem_.mensagens());
        return;
    }
    gravaImagem(fonte, diretorio_ / caminhoUtf8(nomeArquivoMem(nome)), montagem_);
    arquivo.imagemGravada = true;
    if (verboso_) log_.linha("Arquivo: " + nome + ": montagem sem erros");
}

void LoteDeUmaMaquina::registraFalho(const std::string& nome, std::span<const Mensagem> mensagens) {
    log_.linha("");
    log_.linha("Arquivo: " + nome);
    for (const Mensagem& mensagem : mensagens) log_.linha(mensagem.linhaLista());
}

// When the log cannot be written either, both failures are reported: an older log of the same
// name would otherwise pass for this run's.
void LoteDeUmaMaquina::gravaInterrompido(const std::string& falha) {
    log_.linha("Processamento interrompido: " + falha);
    try {
        gravaLog();
    } catch (const FalhaArquivo& falhaLog) {
        throw FalhaArquivo(falha + "; " + falhaLog.what());
    }
}

} // namespace

std::string nomeLog(Maquina maquina) {
    return "Log_" + std::string(nomeMaquina(maquina)) + ".txt";
}

ResumoLote processaLote(int maquinaAlvo, bool verboso, Mensageiro& mensageiro,
                        const fs::path& diretorio) {
    LoteDeUmaMaquina lote(maquinaDoAlvo(maquinaAlvo), verboso, diretorio);
    ResumoLote resumo;
    try {
        resumo = lote.processa(mensageiro);
    } catch (const std::runtime_error& falha) {
        lote.gravaInterrompido(falha.what());
        throw;
    }
    lote.gravaLog();
    return resumo;
}

ResumoLote executaLote(int maquinaAlvo, bool verboso, Mensageiro& mensageiro,
                       const fs::path& diretorio) {
    if (maquinaAlvo != kTodasMaquinas) {
        mensageiro.iniciaMaquina(maquinaAlvo, false);
        return processaLote(maquinaAlvo, verboso, mensageiro, diretorio);
    }
    ResumoLote total;
    for (int alvo = 0; alvo < kQuantidadeAlvos; ++alvo) {
        mensageiro.iniciaMaquina(alvo, true);
        const ResumoLote resumo = processaLote(alvo, verboso, mensageiro, diretorio);
        total.processados += resumo.processados;
        total.comErros += resumo.comErros;
    }
    return total;
}

} // namespace orvandel
