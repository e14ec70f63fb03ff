// File access on POSIX systems: whole-file reads, and atomic replacement through a temporary
// file in the target's directory, fsync and rename.
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "erros.hpp"
#include "gravacao.hpp"
#include "leitura.hpp"

namespace orvandel {

namespace fs = std::filesystem;

std::string descricaoErro(int codigo) {
    if (codigo == EDQUOT) return "cota de disco excedida";
    return descricaoErroComum(codigo);
}

namespace {

[[noreturn]] void falha(const fs::path& destino, int codigo) {
    throw FalhaArquivo("Não foi possível gravar o arquivo " + destino.string() + ": " +
                       descricaoErro(codigo));
}

// The permissions a new file gets: those of the file it replaces, else the usual default.
mode_t permissoes(const fs::path& destino) {
    struct stat atual {};
    if (::stat(destino.c_str(), &atual) == 0) return atual.st_mode & 07777;
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    return 0666 & ~mascara;
}

// 0 when every byte reached the file, else the errno of the failure.
int escreveTudo(int fd, std::string_view conteudo) {
    while (!conteudo.empty()) {
        const ssize_t escritos = ::write(fd, conteudo.data(), conteudo.size());
        if (escritos < 0 && errno == EINTR) continue;
        if (escritos < 0) return errno;
        if (escritos == 0) return EIO; // a write of nothing sets no errno of its own
        conteudo.remove_prefix(static_cast<size_t>(escritos));
    }
    return 0;
}

// Fills and closes the temporary file: 0, or the errno of the first step that failed.
int preencheTemporario(int fd, const fs::path& destino, std::string_view conteudo) {
    int codigo = ::fchmod(fd, permissoes(destino)) == 0 ? 0 : errno;
    if (!codigo) codigo = escreveTudo(fd, conteudo);
    if (!codigo && ::fsync(fd) != 0) codigo = errno;
    if (::close(fd) != 0 && !codigo) codigo = errno;
    return codigo;
}

// A symbolic link is written through, so that it keeps pointing at the file it names.
fs::path alvoReal(const fs::path& destino) {
    std::error_code erro;
    if (!fs::is_symlink(destino, erro)) return destino;
    const fs::path alvo = fs::weakly_canonical(destino, erro);
    return erro ? destino : alvo;
}

// The temporary file's name: hidden, beside the target, and short enough for any file system
// even when the target's own name is at the length limit.
std::string modeloTemporario(const fs::path& alvo) {
    const std::string nome = alvo.filename().string().substr(0, 64);
    return (alvo.parent_path() / ("." + nome + ".tmp-XXXXXX")).string();
}

// Makes the rename itself durable; a directory that cannot be synced is not a failure of the
// file, which is already complete under its new name.
void sincronizaDiretorio(const fs::path& diretorio) {
    const int fd = ::open(diretorio.empty() ? "." : diretorio.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

[[noreturn]] void falhaLeitura(const fs::path& caminho, const std::string& causa) {
    throw FalhaArquivo("Não foi possível ler o arquivo " + caminho.string() + ": " + causa);
}

// O_NONBLOCK keeps the open itself from waiting on a FIFO, which is then refused.
int abreArquivoComum(const fs::path& caminho) {
    const int fd = ::open(caminho.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) falhaLeitura(caminho, descricaoErro(errno));
    struct stat estado {};
    if (::fstat(fd, &estado) == 0 && S_ISREG(estado.st_mode)) return fd;
    ::close(fd);
    falhaLeitura(caminho,
                 S_ISDIR(estado.st_mode) ? descricaoErro(EISDIR) : "não é um arquivo comum");
}

// Reads straight into a buffer of the file's size (one byte more, to see the end without a
// second allocation); a file whose size the system does not know grows as it is read.
BytesLidos leTudo(int fd, const fs::path& caminho) {
    struct stat info {};
    const bool comTamanho = ::fstat(fd, &info) == 0 && info.st_size > 0;
    BytesLidos bytes(comTamanho ? static_cast<size_t>(info.st_size) + 1 : size_t{1} << 16);
    size_t total = 0;
    for (;;) {
        if (total == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t lidos = ::read(fd, bytes.data() + total, bytes.size() - total);
        if (lidos < 0 && errno == EINTR) continue;
        if (lidos < 0) {
            const int codigo = errno;
            ::close(fd);
            falhaLeitura(caminho, descricaoErro(codigo));
        }
        if (lidos == 0) break;
        total += static_cast<size_t>(lidos);
    }
    ::close(fd);
    bytes.resize(total);
    return bytes;
}

} // namespace

BytesLidos leArquivoInteiro(const fs::path& caminho) {
    return leTudo(abreArquivoComum(caminho), caminho);
}

namespace {

// Puts the file in place, complete and synced; its directory is synced by the caller.
void substitui(const fs::path& destino, const fs::path& alvo, std::string_view conteudo) {
    std::string temporario = modeloTemporario(alvo);
    const int fd = ::mkstemp(temporario.data());
    if (fd < 0) falha(destino, errno);
    int codigo = preencheTemporario(fd, alvo, conteudo);
    if (!codigo && ::rename(temporario.c_str(), alvo.c_str()) != 0) codigo = errno;
    if (codigo) {
        ::unlink(temporario.c_str());
        falha(destino, codigo);
    }
}

} // namespace

void gravaAtomicamente(const fs::path& destino, std::string_view conteudo) {
    const Gravacao arquivo{destino, conteudo};
    gravaAtomicamente(std::span(&arquivo, 1));
}

void gravaAtomicamente(std::span<const Gravacao> arquivos) {
    std::vector<fs::path> diretorios; // of the files already in place, each once
    const auto sincronizaTodos = [&] {
        for (const fs::path& diretorio : diretorios) sincronizaDiretorio(diretorio);
    };
    try {
        for (const Gravacao& arquivo : arquivos) {
            const fs::path alvo = alvoReal(arquivo.destino);
            substitui(arquivo.destino, alvo, arquivo.conteudo);
            if (std::find(diretorios.begin(), diretorios.end(), alvo.parent_path()) ==
                diretorios.end())
                diretorios.push_back(alvo.parent_path());
        }
    } catch (...) {
        sincronizaTodos();
        throw;
    }
    sincronizaTodos();
}

} // namespace orvandel
