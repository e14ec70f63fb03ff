// The main window's commands and state, without widgets.
#include "sessao.hpp"

#include "gravacao.hpp"
#include "mapa.hpp"
#include "nomes.hpp"
#include "saidas.hpp"

namespace orvandel {

namespace {

const std::string kPrefixoTitulo = "Orvandel Assembler - ";

// ".kod": the machine's source extension in lower case, with its dot.
std::string extensaoComPonto(int maquinaAlvo) {
    std::string extensao = ".";
    extensao += extensaoMinuscula(maquinaDoAlvo(maquinaAlvo));
    return extensao;
}

ArquivosFonte& arquivosDoSistema() {
    static ArquivosFonte arquivos;
    return arquivos;
}

} // namespace

FiltroArquivos filtroArquivos(int maquinaAlvo) {
    const std::string extensao = extensaoComPonto(maquinaAlvo).substr(1);
    std::string filtro = "Arquivos fonte para ";
    filtro += nomeMaquina(maquinaDoAlvo(maquinaAlvo));
    filtro += "|*." + extensao + "|Arquivos de texto|*.txt|Todos os Arquivos|*.*";
    return {extensao, filtro};
}

TextoFonte ArquivosFonte::le(const std::filesystem::path& caminho) {
    return leArquivoFonte(caminho);
}

Codificacao ArquivosFonte::grava(const std::filesystem::path& caminho, const TextoFonte& texto) {
    return gravaArquivoFonte(caminho, texto);
}

Sessao::Sessao(InterfaceSessao& interface) : Sessao(interface, arquivosDoSistema()) {}

Sessao::Sessao(InterfaceSessao& interface, ArquivosFonte& arquivos)
    : interface_(interface), arquivos_(arquivos) {
    // The map and the editor show which line placed each byte.
    montagem_.registraOrigens(true);
}

int Sessao::enderecosMapa() const {
    return orvandel::enderecosMapa(maquinaDoAlvo(seletor_));
}

// The message list holds the run's records in order, then the success line. Open and the batch
// empty it, whatever the last run reported.
std::optional<int> Sessao::linhaDaMensagem(size_t indice) const {
    const std::vector<Mensagem>& registros = montagem_.mensagens();
    if (indice >= mensagens_.size() || indice >= registros.size()) return std::nullopt;
    return registros[indice].numLinha;
}

// The machine of the selector, not maquinaAlvo; nor does Open look at the file's extension.
void Sessao::abre() {
    const std::optional<std::string> escolhido =
        interface_.escolheArquivoParaAbrir(filtroArquivos(seletor_));
    if (!escolhido) return;
    TextoFonte texto;
    try {
        texto = arquivos_.le(*escolhido);
    } catch (const FalhaArquivo& falha) {
        interface_.mostraMensagem(falha.what());
        return;
    }
    abreArquivo(*escolhido);
    interface_.mostraTextoNoEditor(texto.linhas);
    codificacao_ = texto.codificacao;
    nomeArquivoMem_ = orvandel::nomeArquivoMem(*escolhido);
    if (!temExtensaoDeTres(*escolhido)) nomeArquivo_ += extensaoComPonto(seletor_);
}

// What every successful load shows: the path in the title, an empty message list, no changes.
void Sessao::abreArquivo(const std::string& caminho) {
    titulo_ = kPrefixoTitulo + caminho;
    mensagens_.clear();
    nomeArquivo_ = caminho;
    arquivoModificado_ = false;
}

void Sessao::salva() {
    if (nomeArquivoMem_.empty()) {
        salvaComo();
        return;
    }
    if (seletor_ != maquinaAlvo_ && maquinaAlvo_ != kAlvoZibel) {
        maquinaAlvo_ = seletor_;
        nomeArquivo_ = comExtensao(nomeArquivo_, extensaoComPonto(maquinaAlvo_).substr(1));
    }
    gravaFonte();
}

// Zibel, chosen only by a source's extension, keeps its own filter and extension.
bool Sessao::salvaComo() {
    if (maquinaAlvo_ != kAlvoZibel) maquinaAlvo_ = seletor_;
    const std::optional<std::string> escolhido =
        interface_.escolheArquivoParaSalvar(filtroArquivos(maquinaAlvo_));
    if (!escolhido) return false;
    const std::string caminho = semPontoDobrado(*escolhido);
    nomeArquivo_ = caminho;
    nomeArquivoMem_ = orvandel::nomeArquivoMem(caminho);
    if (!temExtensaoDeTres(caminho)) nomeArquivo_ += extensaoComPonto(maquinaAlvo_);
    if (gravaFonte()) titulo_ = kPrefixoTitulo + nomeArquivo_;
    return true;
}

// A failure keeps the text marked as modified.
bool Sessao::gravaFonte() {
    const TextoFonte texto{interface_.textoDoEditor(), codificacao_};
    try {
        codificacao_ = arquivos_.grava(nomeArquivo_, texto);
    } catch (const FalhaArquivo& falha) {
        interface_.mostraMensagem(falha.what());
        return false;
    }
    arquivoModificado_ = false;
    return true;
}

Maquina Sessao::maquinaDaMontagem() const {
    return maquinaDoAlvo(maquinaAlvo_ == kAlvoZibel ? kAlvoZibel : seletor_);
}

// The source itself is never saved here: the passes read the editor's text.
bool Sessao::monta() {
    if (nomeArquivoMem_.empty()) salvaComo();
    mensagens_.clear();
    montagem_.limpa();
    if (nomeArquivoMem_.empty()) return false;
    const std::vector<std::string> linhas = interface_.textoDoEditor();
    try {
        const bool gravou =
            montaEGrava(montagem_, maquinaDaMontagem(), linhas, nomeArquivo_, nomeArquivoMem_);
        copiaMensagens();
        if (gravou) mensagens_.emplace_back(kSucesso);
        return true;
    } catch (const std::runtime_error& falha) { // ValorInteiroInvalido, FalhaArquivo
        copiaMensagens();
        interface_.mostraMensagem(falha.what());
        return false;
    }
}

void Sessao::copiaMensagens() {
    mensagens_.clear();
    for (const Mensagem& mensagem : montagem_.mensagens())
        mensagens_.push_back(mensagem.linhaLista());
}

// "Yes" saves and keeps the window open; the next close asks no more.
bool Sessao::podeFechar() {
    if (!arquivoModificado_) return true;
    if (!interface_.pergunta(kPerguntaModificado)) return true;
    salva();
    return false;
}

std::optional<int> Sessao::executaLinhaDeComando(const LinhaDeComando& linha,
                                                 const std::filesystem::path& diretorio) {
    switch (linha.modo) {
    case ModoInicio::AbreArquivo:
        abreDaLinhaDeComando(linha.nomeArquivo);
        break;
    case ModoInicio::Lote:
        return executaLote(linha, diretorio);
    case ModoInicio::Interativo:
        break;
    }
    return std::nullopt;
}

// The name and machine are taken before the load; an unreadable file leaves everything else as
// it was at start, with an empty editor.
void Sessao::abreDaLinhaDeComando(const std::string& caminho) {
    nomeArquivo_ = caminho;
    maquinaAlvo_ = alvoPorExtensao(caminho);
    TextoFonte texto;
    try {
        texto = arquivos_.le(caminho);
    } catch (const FalhaArquivo& falha) {
        interface_.mostraMensagem(falha.what());
        return;
    }
    interface_.mostraTextoNoEditor(texto.linhas);
    codificacao_ = texto.codificacao;
    abreArquivo(caminho);
    mostraSelecionado(maquinaAlvo_);
    nomeArquivoMem_ = orvandel::nomeArquivoMem(caminho);
}

// A failure is shown and stops the batch; the program then goes on for interactive use.
std::optional<int> Sessao::executaLote(const LinhaDeComando& linha,
                                       const std::filesystem::path& diretorio) {
    maquinaAlvo_ = linha.maquinaAlvo;
    try {
        const ResumoLote resumo =
            orvandel::executaLote(linha.maquinaAlvo, linha.verboso, *this, diretorio);
        return resumo.comErros == 0 ? 0 : 1;
    } catch (const std::runtime_error& falha) { // FalhaArquivo, ValorInteiroInvalido
        interface_.mostraMensagem(falha.what());
        return std::nullopt;
    }
}

void Sessao::iniciaMaquina(int maquinaAlvo, bool todasAsMaquinas) {
    titulo_ = kPrefixoTitulo + (todasAsMaquinas ? "Multi Batch Processing" : "Batch Processing");
    mensagens_.clear();
    mostraSelecionado(maquinaAlvo);
    interface_.estadoMudou();
}

} // namespace orvandel
