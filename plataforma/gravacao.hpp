// Files are written whole to a temporary file beside the target, then renamed over it: a failure
// never leaves a half-written file, and the previous file stays intact. How that is done is the
// system's own business: posix/arquivos.cpp or win32/arquivos.cpp, chosen by CMake.
#pragma once

#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvandel {

// An input or output failure; what() is the Portuguese text shown to the user.
class FalhaArquivo : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The Portuguese description of an errno value.
std::string descricaoErro(int codigo);

// Writes `conteudo` to `destino` atomically (through it, when it is a symbolic link), and makes
// it durable before the rename. Throws FalhaArquivo, with the old file untouched and no
// temporary file left.
void gravaAtomicamente(const std::filesystem::path& destino, std::string_view conteudo);

// One file of a group that is written together.
struct Gravacao {
    std::filesystem::path destino;
    std::string_view conteudo;
};

// Writes the files one after another as gravaAtomicamente writes each, but makes the renames
// durable together at the end, each directory once: a run's image and symbol listing cost one
// directory sync, not two. A failure stops at the file that failed, which is left untouched, with
// the files before it written and durable.
void gravaAtomicamente(std::span<const Gravacao> arquivos);

} // namespace orvandel
