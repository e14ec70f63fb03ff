// Files are written whole to a temporary file beside the target, then renamed over it: a failure
// never leaves a half-written file, and the previous file stays intact.
#pragma once

#include <filesystem>
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

// Whether a written file must also survive a power cut. A source is the user's work: it is synced
// to the disk before the rename, and the rename after it. An image or a listing is rebuilt by
// assembling again, and syncing it would cost more than assembling a large program, so it is
// left to the system's own write-back.
enum class Durabilidade { Sincronizada, Regeneravel };

// Writes `conteudo` to `destino` atomically. Throws FalhaArquivo, with the old file untouched.
void gravaAtomicamente(const std::filesystem::path& destino, std::string_view conteudo,
                       Durabilidade durabilidade = Durabilidade::Sincronizada);

} // namespace orvandel
