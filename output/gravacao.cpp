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

bool escreveTudo(int fd, std::string_view conteudo) {
    while (!conteudo.empty()) {
        const ssize_t escritos = ::write(fd, conteudo.data(), conteudo.size());
        if (escritos < 0 && errno == EINTR) continue;
        if (escritos <= 0) return false;
        conteudo.remove_prefix(static_cast<size_t>(escritos));
    }
    return true;
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

void gravaAtomicamente(const fs::path& destino, std::string_view conteudo,
                       Durabilidade durabilidade) {
    const bool sincroniza = durabilidade == Durabilidade::Sincronizada;
    const fs::path diretorio = destino.parent_path();
    std::string nome = "."; // appended piece by piece: GCC 12 at -O3 misjudges "." + name + ...
    nome += destino.filename().string();
    nome += ".tmp-XXXXXX";
    std::string modelo = (diretorio / nome).string();
    const int fd = ::mkstemp(modelo.data());
    if (fd < 0) falha(destino, errno);
    const bool gravado = ::fchmod(fd, permissoes(destino)) == 0 && escreveTudo(fd, conteudo) &&
                         (!sincroniza || ::fsync(fd) == 0);
    const int erroEscrita = errno;
    const bool fechado = ::close(fd) == 0;
    if (!gravado || !fechado) {
        const int codigo = gravado ? errno : erroEscrita;
        ::unlink(modelo.c_str());
        falha(destino, codigo);
    }
    if (::rename(modelo.c_str(), destino.c_str()) != 0) {
        const int codigo = errno;
        ::unlink(modelo.c_str());
        falha(destino, codigo);
    }
    if (sincroniza) sincronizaDiretorio(diretorio);
}

} // namespace orvandel
