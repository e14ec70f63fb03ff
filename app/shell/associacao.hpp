// The association of the four source-file extensions with the desktop program, as data: the
// registry keys and values of the Windows shell, and the files of a per-user XDG desktop. The
// system's own layer (win32/associacao.cpp, xdg/associacao.cpp, chosen by CMake) applies them.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

// The targets' source extensions in lower case ("kod", ...), always handled in the targets' order.
std::vector<std::string> extensoesAssociadas();

// One key under HKEY_CLASSES_ROOT and the text of its default (unnamed) value.
struct ChaveRegistro {
    std::string chave;
    std::string dado;
    bool operator==(const ChaveRegistro&) const = default;
};

// The keys one extension writes, in the order they are written (UTF-8).
struct RegistroExtensao {
    std::string extensao;
    std::array<ChaveRegistro, 2> chaves;
    bool operator==(const RegistroExtensao&) const = default;
};

// The keys one extension's removal deletes with their subkeys; a failure to delete the first
// goes unreported, a failure to delete the second is the extension's failure.
struct RemocaoExtensao {
    std::string extensao;
    std::string chaveExtensao; // ".kod"
    std::string chaveTipo;     // "kod_file"
    bool operator==(const RemocaoExtensao&) const = default;
};

std::vector<RegistroExtensao> planoRegistro(std::string_view programaUtf8);
std::vector<RemocaoExtensao> planoRemocaoRegistro();

// What the user sees when the registry refuses an extension.
std::string falhaRegistroAssociacao(std::string_view extensao);
std::string falhaRegistroRemocao(std::string_view extensao);

// What the user sees when a desktop without a registry refuses an extension.
std::string falhaAssociacao(std::string_view extensao, std::string_view motivo);
std::string falhaRemocao(std::string_view extensao, std::string_view motivo);

// The XDG side: one MIME type per extension, a desktop entry that opens them all.
inline constexpr std::string_view kEntradaDesktop = "orvandel.desktop";
std::string tipoMime(std::string_view extensao);       // "text/x-orvandel-kovra" for "kod"
std::string nomePacoteMime(std::string_view extensao); // "orvandel-kod.xml"
// A shared-mime-info package declaring the types of the given extensions.
std::string pacoteMime(const std::vector<std::string_view>& extensoes);
// The desktop entry; `exec` is the Exec line's value (comandoExec, or the installed name).
std::string entradaDesktop(std::string_view exec);
// The Exec value that starts the program at `programaUtf8` with one file; empty when the path
// holds a control character, which a desktop entry cannot carry.
std::string comandoExec(std::string_view programaUtf8);

// mimeapps.list with `tipo`'s default set to `entrada`, everything else kept line for line.
std::string comPadrao(std::string_view mimeapps, std::string_view tipo, std::string_view entrada);
// mimeapps.list without `entrada` among `tipo`'s defaults; another program's default stays.
std::string semPadrao(std::string_view mimeapps, std::string_view tipo, std::string_view entrada);

// The system's layer. Each returns one message per extension that failed, in the extensions'
// order; the others are handled all the same.
std::vector<std::string> associaArquivos(const std::filesystem::path& programa);
std::vector<std::string> removeAssociacao();

} // namespace orvandel
