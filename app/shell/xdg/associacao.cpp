// The association on an XDG desktop, per user and without root: one MIME package per extension
// in $XDG_DATA_HOME/mime/packages, the database there refreshed by update-mime-database, a
// desktop entry in $XDG_DATA_HOME/applications and the defaults in $XDG_CONFIG_HOME/mimeapps.list.
// Every file is replaced atomically; removal takes away only what association put there.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

#include "alvos.hpp"
#include "associacao.hpp"
#include "gravacao.hpp"
#include "leitura.hpp"

extern char** environ;

namespace orvandel {

namespace {

namespace fs = std::filesystem;

// What went wrong for each extension, in the targets' order; nullopt while all is well.
using Motivos = std::array<std::optional<std::string>, kAlvos.size()>;

// The lower-case extension of the target `i`.
std::string extensaoDoAlvo(size_t i) {
    return extensaoMinuscula(kAlvos[i].maquina);
}

struct Locais {
    fs::path dados;
    fs::path configuracao;
};

// An XDG base directory: the variable when it holds an absolute path, else HOME's default.
fs::path baseXdg(const char* variavel, const char* padrao) {
    const char* valor = std::getenv(variavel);
    if (valor && fs::path(valor).is_absolute()) return valor;
    const char* casa = std::getenv("HOME");
    if (!casa || !*casa) throw FalhaArquivo("a variável HOME não está definida");
    return fs::path(casa) / padrao;
}

Locais locaisXdg() {
    return {baseXdg("XDG_DATA_HOME", ".local/share"), baseXdg("XDG_CONFIG_HOME", ".config")};
}

fs::path pacote(const Locais& locais, std::string_view extensao) {
    return locais.dados / "mime" / "packages" / nomePacoteMime(extensao);
}

fs::path entrada(const Locais& locais) {
    return locais.dados / "applications" / kEntradaDesktop;
}

fs::path mimeapps(const Locais& locais) {
    return locais.configuracao / "mimeapps.list";
}

// The reason as it follows "Não foi possível associar arquivos kod: ".
std::string motivoDe(const std::exception& falha) {
    std::string texto = falha.what();
    if (texto.starts_with("Não")) texto[0] = 'n';
    return texto;
}

void criaPasta(const fs::path& pasta) {
    std::error_code erro;
    fs::create_directories(pasta, erro);
    if (erro)
        throw FalhaArquivo("não foi possível criar a pasta " + pasta.string() + ": " +
                           descricaoErro(erro.value()));
}

void gravaEmPasta(const fs::path& arquivo, std::string_view conteudo) {
    criaPasta(arquivo.parent_path());
    gravaAtomicamente(arquivo, conteudo);
}

// A file that is not there is already removed.
void apaga(const fs::path& arquivo) {
    std::error_code erro;
    fs::remove(arquivo, erro);
    if (erro)
        throw FalhaArquivo("não foi possível apagar o arquivo " + arquivo.string() + ": " +
                           descricaoErro(erro.value()));
}

std::string leSeExistir(const fs::path& arquivo) {
    std::error_code erro;
    if (!fs::exists(arquivo, erro)) return {};
    return std::string(comoTexto(leArquivoInteiro(arquivo)));
}

// Runs one step for one extension, unless an earlier step already failed for it.
void passo(Motivos& motivos, size_t i, const std::function<void()>& acao) {
    if (motivos[i]) return;
    try {
        acao();
    } catch (const std::exception& falha) {
        motivos[i] = motivoDe(falha);
    }
}

// A step that every extension needs: its failure is the failure of all still standing.
void passoComum(Motivos& motivos, const std::function<void()>& acao) {
    if (std::all_of(motivos.begin(), motivos.end(), [](const auto& m) { return m.has_value(); }))
        return;
    try {
        acao();
    } catch (const std::exception& falha) {
        for (auto& motivo : motivos)
            if (!motivo) motivo = motivoDe(falha);
    }
}

// Rebuilds the user's MIME database from its packages; its own output is of no use here.
void atualizaBancoMime(const fs::path& pastaMime) {
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_addopen(&acoes, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string programa = "update-mime-database";
    std::string pasta = pastaMime.string();
    char* argumentos[] = {programa.data(), pasta.data(), nullptr};
    pid_t filho = 0;
    const int erro = ::posix_spawnp(&filho, programa.c_str(), &acoes, nullptr, argumentos, environ);
    posix_spawn_file_actions_destroy(&acoes);
    if (erro)
        throw FalhaArquivo("não foi possível executar update-mime-database: " +
                           descricaoErro(erro));
    int estado = 0;
    while (::waitpid(filho, &estado, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(estado))
        throw FalhaArquivo("update-mime-database foi interrompido pelo sinal " +
                           std::to_string(WTERMSIG(estado)));
    if (WEXITSTATUS(estado) != 0)
        throw FalhaArquivo("update-mime-database terminou com o código " +
                           std::to_string(WEXITSTATUS(estado)));
}

std::vector<std::string> mensagens(const Motivos& motivos,
                                   std::string (*mensagem)(std::string_view, std::string_view)) {
    std::vector<std::string> falhas;
    for (size_t i = 0; i < motivos.size(); ++i)
        if (motivos[i]) falhas.push_back(mensagem(extensaoDoAlvo(i), *motivos[i]));
    return falhas;
}

void trocaPadrao(const Locais& locais,
                 std::string (*troca)(std::string_view, std::string_view, std::string_view),
                 std::string_view extensao) {
    const std::string antes = leSeExistir(mimeapps(locais));
    const std::string depois = troca(antes, tipoMime(extensao), kEntradaDesktop);
    if (depois == antes) return;
    if (depois.empty())
        apaga(mimeapps(locais)); // nothing in it but what association wrote
    else
        gravaEmPasta(mimeapps(locais), depois);
}

} // namespace

// The desktop entry comes first, so that no default ever names an entry that is not there.
std::vector<std::string> associaArquivos(const fs::path& programa) {
    Motivos motivos;
    Locais locais;
    passoComum(motivos, [&] { locais = locaisXdg(); });
    passoComum(motivos, [&] {
        const std::string exec = comandoExec(fs::absolute(programa).string());
        if (exec.empty()) throw FalhaArquivo("o caminho do programa contém caracteres de controle");
        gravaEmPasta(entrada(locais), entradaDesktop(exec));
    });
    for (size_t i = 0; i < motivos.size(); ++i)
        passo(motivos, i, [&] {
            gravaEmPasta(pacote(locais, extensaoDoAlvo(i)), pacoteMime({extensaoDoAlvo(i)}));
        });
    passoComum(motivos, [&] { atualizaBancoMime(locais.dados / "mime"); });
    for (size_t i = 0; i < motivos.size(); ++i)
        passo(motivos, i, [&] { trocaPadrao(locais, comPadrao, extensaoDoAlvo(i)); });
    return mensagens(motivos, falhaAssociacao);
}

std::vector<std::string> removeAssociacao() {
    Motivos motivos;
    Locais locais;
    passoComum(motivos, [&] { locais = locaisXdg(); });
    for (size_t i = 0; i < motivos.size(); ++i)
        passo(motivos, i, [&] {
            trocaPadrao(locais, semPadrao, extensaoDoAlvo(i));
            apaga(pacote(locais, extensaoDoAlvo(i)));
        });
    std::error_code erro;
    if (!locais.dados.empty() && fs::is_directory(locais.dados / "mime" / "packages", erro))
        passoComum(motivos, [&] { atualizaBancoMime(locais.dados / "mime"); });
    passoComum(motivos, [&] { apaga(entrada(locais)); });
    return mensagens(motivos, falhaRemocao);
}

} // namespace orvandel
