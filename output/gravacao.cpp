// Atomic file replacement: temporary file in the target's directory, fsync when asked, rename.
#include "gravacao.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvandel {

namespace fs = std::filesystem;

std::string descricaoErro(int codigo) {
    switch (codigo) {
    case ENOENT: return "arquivo ou diretório inexistente";
    case EACCES:
    case EPERM: return "permissão negada";
    case EISDIR: return "é um diretório";
    case ENOTDIR: return "um componente do caminho não é um diretório";
    case ENOSPC: return "não há espaço no dispositivo";
    case EFBIG: return "arquivo grande demais";
    case EROFS: return "sistema de arquivos somente para leitura";
    case ENAMETOOLONG: return "nome de arquivo longo demais";
    case EMFILE:
    case ENFILE: return "arquivos abertos demais";
    case EDQUOT: return "cota de disco excedida";
    case EIO: return "erro de entrada e saída";
    default: return "erro do sistema " + std::to_string(codigo);
    }
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

} // namespace

void gravaAtomicamente(const fs::path& destino, std::string_view conteudo) {
    const fs::path alvo = alvoReal(destino);
    std::string temporario = modeloTemporario(alvo);
    const int fd = ::mkstemp(temporario.data());
    if (fd < 0) falha(destino, errno);
    int codigo = preencheTemporario(fd, alvo, conteudo);
    if (!codigo && ::rename(temporario.c_str(), alvo.c_str()) != 0) codigo = errno;
    if (codigo) {
        ::unlink(temporario.c_str());
        falha(destino, codigo);
    }
    sincronizaDiretorio(alvo.parent_path());
}

} // namespace orvandel
