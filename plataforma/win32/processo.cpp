// The process on Windows: arguments from the wide command line, UTF-8 on the console.
#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include "processo.hpp"

namespace orvandel {

namespace {

std::string utf8(const wchar_t* texto) {
    const int tamanho = WideCharToMultiByte(CP_UTF8, 0, texto, -1, nullptr, 0, nullptr, nullptr);
    if (tamanho <= 1) return {};
    std::string resultado(static_cast<size_t>(tamanho), '\0');
    WideCharToMultiByte(CP_UTF8, 0, texto, -1, resultado.data(), tamanho, nullptr, nullptr);
    resultado.pop_back(); // the terminating NUL
    return resultado;
}

} // namespace

// The program's texts are UTF-8; a console left at its OEM code page would garble every accent.
void preparaProcesso() {
    SetConsoleOutputCP(CP_UTF8);
}

// The narrow argv holds the names in the system's ANSI code page, which cannot spell every name:
// the wide command line can.
std::vector<std::string> argumentosDoPrograma(int argc, char** argv) {
    int quantos = 0;
    wchar_t** largos = CommandLineToArgvW(GetCommandLineW(), &quantos);
    if (!largos) return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> argumentos;
    for (int i = 1; i < quantos; ++i) argumentos.push_back(utf8(largos[i]));
    LocalFree(largos);
    return argumentos;
}

bool ehTerminal(std::FILE* fluxo) {
    DWORD modo = 0;
    const auto canal = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(fluxo)));
    return canal != INVALID_HANDLE_VALUE && GetConsoleMode(canal, &modo) != 0;
}

} // namespace orvandel
