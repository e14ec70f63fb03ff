// Whole-file reading, by the system's own calls (posix/arquivos.cpp, win32/arquivos.cpp).
#pragma once

#include <filesystem>
#include <memory_resource>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvandel {

// An allocator of the default memory resource (the one in force when the container was made)
// whose elements start out unset: a buffer that a read is about to fill is not written with zeros
// first. A source's text is the largest buffer of a run (see memoriaDePaginasGrandes).
template <typename T> class AlocadorSemZeros {
  public:
    using value_type = T;

    AlocadorSemZeros() noexcept : recurso_(std::pmr::get_default_resource()) {}
    template <typename U>
    AlocadorSemZeros(const AlocadorSemZeros<U>& outro) noexcept : recurso_(outro.recurso()) {}

    T* allocate(size_t n) { return static_cast<T*>(recurso_->allocate(n * sizeof(T), alignof(T))); }
    void deallocate(T* p, size_t n) noexcept { recurso_->deallocate(p, n * sizeof(T), alignof(T)); }
    // A new element is left unset; one given a value is made from it.
    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    std::pmr::memory_resource* recurso() const noexcept { return recurso_; }
    template <typename U> bool operator==(const AlocadorSemZeros<U>& outro) const noexcept {
        return *recurso_ == *outro.recurso();
    }

  private:
    std::pmr::memory_resource* recurso_;
};

// A file's bytes as read.
using BytesLidos = std::vector<char, AlocadorSemZeros<char>>;

inline std::string_view comoTexto(const BytesLidos& bytes) {
    return {bytes.data(), bytes.size()};
}

// The bytes of a regular file. Anything else (a directory, a FIFO, a device) is refused rather
// than read: a FIFO would wait for a writer and a device may never end. Throws FalhaArquivo
// ("Não foi possível ler o arquivo NOME: motivo").
BytesLidos leArquivoInteiro(const std::filesystem::path& caminho);

// A path from UTF-8 text, the shell's encoding of names. A plain std::string would be taken in
// the system's narrow code page on Windows, where every name is UTF-16 underneath.
inline std::filesystem::path caminhoUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace orvandel
