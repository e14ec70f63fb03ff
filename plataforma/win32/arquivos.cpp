// File access on Windows: wide-character paths, whole-file reads, and atomic replacement through
// a temporary file in the target's directory, FlushFileBuffers and MoveFileExW.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "erros.hpp"
#include "gravacao.hpp"
#include "leitura.hpp"

namespace orvandel {

namespace fs = std::filesystem;

std::string descricaoErro(int codigo) {
    return descricaoErroComum(codigo);
}

namespace {

// The texts of the system's own codes, worded as their POSIX counterparts so that both builds
// report a failure alike.
std::string descricaoSistema(DWORD codigo) {
    switch (codigo) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return "arquivo ou diretório inexistente";
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return "permissão negada";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "o arquivo está em uso por outro programa";
    case ERROR_DIRECTORY:
        return "um componente do caminho não é um diretório";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "não há espaço no dispositivo";
    case ERROR_FILE_TOO_LARGE:
        return "arquivo grande demais";
    case ERROR_WRITE_PROTECT:
        return "sistema de arquivos somente para leitura";
    case ERROR_FILENAME_EXCED_RANGE:
        return "nome de arquivo longo demais";
    case ERROR_INVALID_NAME:
        return "nome de arquivo inválido";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "arquivos abertos demais";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return "memória insuficiente";
    default:
        return "erro do sistema " + std::to_string(codigo);
    }
}

// The system's files are handles; this one closes itself on every way out.
class Arquivo {
  public:
    explicit Arquivo(HANDLE h) : h_(h) {}
    ~Arquivo() { fecha(); }
    Arquivo(Arquivo&& outro) noexcept : h_(std::exchange(outro.h_, INVALID_HANDLE_VALUE)) {}
    Arquivo& operator=(Arquivo&&) = delete;
    bool aberto() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE operator*() const { return h_; }
    // The last chance to hear of a failed write: 0, or the code of the failure.
    DWORD fecha() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        if (h == INVALID_HANDLE_VALUE || CloseHandle(h)) return 0;
        return GetLastError();
    }

  private:
    HANDLE h_;
};

bool ehDiretorio(const fs::path& caminho) {
    const DWORD atributos = GetFileAttributesW(caminho.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY);
}

[[noreturn]] void falhaLeitura(const fs::path& caminho, const std::string& causa) {
    throw FalhaArquivo("Não foi possível ler o arquivo " + caminho.string() + ": " + causa);
}

// A directory cannot be opened as a file at all (the system says "access denied"), so it is
// named before the open; a device or a pipe opens, and is refused by its type.
Arquivo abreArquivoComum(const fs::path& caminho) {
    if (ehDiretorio(caminho)) falhaLeitura(caminho, descricaoErro(EISDIR));
    Arquivo arquivo(CreateFileW(caminho.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!arquivo.aberto()) falhaLeitura(caminho, descricaoSistema(GetLastError()));
    if (GetFileType(*arquivo) != FILE_TYPE_DISK) falhaLeitura(caminho, "não é um arquivo comum");
    return arquivo;
}

// ReadFile takes at most a DWORD's worth of bytes per call.
constexpr size_t kMaiorBloco = 1u << 30;

BytesLidos leTudo(const Arquivo& arquivo, const fs::path& caminho) {
    LARGE_INTEGER tamanho{};
    const bool comTamanho = GetFileSizeEx(*arquivo, &tamanho) && tamanho.QuadPart > 0;
    BytesLidos bytes(comTamanho ? static_cast<size_t>(tamanho.QuadPart) + 1 : size_t{1} << 16);
    size_t total = 0;
    for (;;) {
        if (total == bytes.size()) bytes.resize(bytes.size() * 2);
        DWORD lidos = 0;
        const DWORD pedidos = static_cast<DWORD>(std::min(bytes.size() - total, kMaiorBloco));
        if (!ReadFile(*arquivo, bytes.data() + total, pedidos, &lidos, nullptr))
            falhaLeitura(caminho, descricaoSistema(GetLastError()));
        if (lidos == 0) break;
        total += lidos;
    }
    bytes.resize(total);
    return bytes;
}

[[noreturn]] void falhaGravacao(const fs::path& destino, const std::string& causa) {
    throw FalhaArquivo("Não foi possível gravar o arquivo " + destino.string() + ": " + causa);
}

// A symbolic link is written through, so that it keeps pointing at the file it names.
fs::path alvoReal(const fs::path& destino) {
    std::error_code erro;
    if (!fs::is_symlink(destino, erro)) return destino;
    const fs::path alvo = fs::weakly_canonical(destino, erro);
    return erro ? destino : alvo;
}

// A temporary name beside the target that no other writer holds: the process and a counter
// tell writers apart, CREATE_NEW refuses a name that exists.
Arquivo criaTemporario(const fs::path& alvo, fs::path& temporario) {
    static std::atomic<unsigned> contador{0};
    const std::wstring nome = alvo.filename().wstring().substr(0, 64);
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        temporario =
            alvo.parent_path() / (L"." + nome + L".tmp-" + std::to_wstring(GetCurrentProcessId()) +
                                  L"-" + std::to_wstring(contador++));
        Arquivo arquivo(CreateFileW(temporario.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (arquivo.aberto() || GetLastError() != ERROR_FILE_EXISTS) return arquivo;
    }
    return Arquivo(INVALID_HANDLE_VALUE);
}

// 0 when every byte reached the disk, else the code of the first step that failed.
DWORD preencheTemporario(Arquivo& arquivo, std::string_view conteudo) {
    while (!conteudo.empty()) {
        DWORD escritos = 0;
        const DWORD pedidos = static_cast<DWORD>(std::min(conteudo.size(), kMaiorBloco));
        if (!WriteFile(*arquivo, conteudo.data(), pedidos, &escritos, nullptr))
            return GetLastError();
        if (escritos == 0) return ERROR_WRITE_FAULT;
        conteudo.remove_prefix(escritos);
    }
    if (!FlushFileBuffers(*arquivo)) return GetLastError();
    return arquivo.fecha();
}

} // namespace

BytesLidos leArquivoInteiro(const fs::path& caminho) {
    const Arquivo arquivo = abreArquivoComum(caminho);
    return leTudo(arquivo, caminho);
}

void gravaAtomicamente(const fs::path& destino, std::string_view conteudo) {
    const fs::path alvo = alvoReal(destino);
    // MoveFileExW cannot replace a directory, and says only "access denied" when asked to.
    if (ehDiretorio(alvo)) falhaGravacao(destino, descricaoErro(EISDIR));
    fs::path temporario;
    Arquivo arquivo = criaTemporario(alvo, temporario);
    if (!arquivo.aberto()) falhaGravacao(destino, descricaoSistema(GetLastError()));
    DWORD codigo = preencheTemporario(arquivo, conteudo);
    if (!codigo && !MoveFileExW(temporario.c_str(), alvo.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        codigo = GetLastError();
    if (codigo) {
        arquivo.fecha();
        DeleteFileW(temporario.c_str());
        falhaGravacao(destino, descricaoSistema(codigo));
    }
}

// MOVEFILE_WRITE_THROUGH makes each rename durable on its own: there is no directory to sync.
void gravaAtomicamente(std::span<const Gravacao> arquivos) {
    for (const Gravacao& arquivo : arquivos) gravaAtomicamente(arquivo.destino, arquivo.conteudo);
}

} // namespace orvandel
