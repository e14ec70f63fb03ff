// The desktop program's session: the main window's state (source and image names, target
// machine, the modified flag, the message list, the title) and every rule of its commands, Open,
// Save, Save As, Assemble, close, and the command line, without widgets. The window answers the
// session's questions through InterfaceSessao and shows the session's state after each command.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "argumentos.hpp"
#include "fonte.hpp"
#include "lote.hpp"
#include "orvandel/montagem.hpp"

namespace orvandel {

inline constexpr std::string_view kTituloInicial = "Orvandel Multi Assembler";
inline constexpr std::string_view kPerguntaModificado = "O Arquivo foi modificado. Deseja Salvar?";
inline constexpr std::string_view kSucesso = " Código gerado sem erros ";

// What the Open and Save As dialogs offer for a machine: the extension they add to a name
// without one ("kod", without the dot) and the filter, pairs of a description and a pattern
// separated by "|"; the dialog starts on the first pair.
struct FiltroArquivos {
    std::string extensaoPadrao;
    std::string filtro;
    bool operator==(const FiltroArquivos&) const = default;
};
FiltroArquivos filtroArquivos(int maquinaAlvo);

// What the session asks of the window.
class InterfaceSessao {
  public:
    virtual ~InterfaceSessao() = default;
    // A path, or nothing when the dialog is cancelled.
    virtual std::optional<std::string> escolheArquivoParaAbrir(const FiltroArquivos& filtro) = 0;
    virtual std::optional<std::string> escolheArquivoParaSalvar(const FiltroArquivos& filtro) = 0;
    // A modal message box with one OK button.
    virtual void mostraMensagem(const std::string& texto) = 0;
    // A modal Yes/No question with a warning icon; true for Yes.
    virtual bool pergunta(std::string_view texto) = 0;
    virtual std::vector<std::string> textoDoEditor() = 0;
    virtual void mostraTextoNoEditor(const std::vector<std::string>& linhas) = 0;
    // The title, selector or message list changed in the middle of a long command (a batch).
    virtual void estadoMudou() {}
};

// Where source files are read and written; a seam for tests.
class ArquivosFonte {
  public:
    virtual ~ArquivosFonte() = default;
    virtual TextoFonte le(const std::filesystem::path& caminho);
    virtual Codificacao grava(const std::filesystem::path& caminho, const TextoFonte& texto);
};

class Sessao : private Mensageiro {
  public:
    explicit Sessao(InterfaceSessao& interface);
    Sessao(InterfaceSessao& interface, ArquivosFonte& arquivos);

    void abre();
    void salva();
    // Whether a name was chosen.
    bool salvaComo();
    // Whether the memory map must be refreshed: the run went through to its end.
    bool monta();
    // Whether the window may close now; asks to save a modified text.
    bool podeFechar();

    // The program's command line: opens a source, or runs a batch and returns its exit status
    // (0 no source with errors, 1 some) when the program is to end; nothing when it continues
    // for interactive use.
    std::optional<int> executaLinhaDeComando(const LinhaDeComando& linha,
                                             const std::filesystem::path& diretorio = {});

    // The window's selector moved (0 Kovra, 1 Quirla, 2 Jelmo).
    void defineSeletor(int indice) { seletor_ = indice; }
    // The editor's text changed, or came back to what was last loaded or saved.
    void defineModificado(bool modificado) { arquivoModificado_ = modificado; }

    int seletor() const { return seletor_; }
    int maquinaAlvo() const { return maquinaAlvo_; }
    bool arquivoModificado() const { return arquivoModificado_; }
    const std::string& nomeArquivo() const { return nomeArquivo_; }
    const std::string& nomeArquivoMem() const { return nomeArquivoMem_; }
    const std::string& titulo() const { return titulo_; }
    Codificacao codificacao() const { return codificacao_; }
    const std::vector<std::string>& mensagens() const { return mensagens_; }
    const Montagem& montagem() const { return montagem_; }
    // The source line (zero-based) that the message list's line `indice` is about; nothing for
    // the success line.
    std::optional<int> linhaDaMensagem(size_t indice) const;
    // The machine Assemble runs for: Zibel when a .zid source chose it, else the selector's.
    Maquina maquinaDaMontagem() const;
    // The addresses the memory map lists: 65,536 while the selector shows Jelmo, else 256.
    int enderecosMapa() const;

  private:
    void abreArquivo(const std::string& caminho);
    // A Zibel source shows Jelmo on the selector, which has no Zibel.
    void mostraSelecionado(int maquinaAlvo) {
        seletor_ = maquinaAlvo == kAlvoZibel ? alvoDaMaquina(Maquina::Jelmo) : maquinaAlvo;
    }
    bool gravaFonte();
    void copiaMensagens();
    void abreDaLinhaDeComando(const std::string& caminho);
    std::optional<int> executaLote(const LinhaDeComando& linha,
                                   const std::filesystem::path& diretorio);

    void mostraMensagem(const std::string& texto) override { interface_.mostraMensagem(texto); }
    void iniciaMaquina(int maquinaAlvo, bool todasAsMaquinas) override;

    InterfaceSessao& interface_;
    ArquivosFonte& arquivos_;
    std::string nomeArquivo_;
    std::string nomeArquivoMem_;
    int maquinaAlvo_ = kAlvoInicial;
    int seletor_ = kAlvoInicial;
    bool arquivoModificado_ = false;
    std::string titulo_{kTituloInicial};
    Codificacao codificacao_ = Codificacao::Cp1252;
    std::vector<std::string> mensagens_;
    Montagem montagem_;
};

} // namespace orvandel
