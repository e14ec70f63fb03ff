// Whole-file reading, by the system's own calls (posix/arquivos.cpp, win32/arquivos.cpp).
#pragma once

#include <filesystem>
#include <memory_resource>
#include <string>
#include <string_view>

namespace orvandel {

// The bytes of a regular file. Anything else (a directory, a FIFO, a device) is refused rather
// than read: a FIFO would wait for a writer and a device may never end. Throws FalhaArquivo
// ("Não foi possível ler o arquivo NOME: motivo"). The bytes are held in the default memory
// resource: a source's text is the largest buffer of a run (see memoriaDePaginasGrandes).
std::pmr::string leArquivoInteiro(const std::filesystem::path& caminho);

// A path from UTF-8 text, the shell's encoding of names. A plain std::string would be taken in
// the system's narrow code page on Windows, where every name is UTF-16 underneath.
inline std::filesystem::path caminhoUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace orvandel
