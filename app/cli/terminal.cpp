// orvandel-cli's standard streams.
#include "terminal.hpp"

#include <cerrno>

#include "gravacao.hpp"
#include "processo.hpp"

namespace orvandel {

namespace {

void acrescentaCircunflexo(std::string& destino, unsigned char c) {
    destino += '^';
    destino += c == 0x7F ? '?' : static_cast<char>(c + 0x40);
}

} // namespace

std::string textoVisivel(std::string_view texto) {
    std::string visivel;
    visivel.reserve(texto.size());
    for (size_t i = 0; i < texto.size(); ++i) {
        const auto c = static_cast<unsigned char>(texto[i]);
        const bool c1 = c == 0xC2 && i + 1 < texto.size() &&
                        (static_cast<unsigned char>(texto[i + 1]) & 0xE0) == 0x80;
        if (c1) {
            visivel += "M-";
            acrescentaCircunflexo(visivel, static_cast<unsigned char>(texto[++i]) - 0x80);
        } else if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) {
            acrescentaCircunflexo(visivel, c);
        } else {
            visivel += static_cast<char>(c);
        }
    }
    return visivel;
}

Console::Console() : saidaTerminal_(ehTerminal(stdout)), errosTerminal_(ehTerminal(stderr)) {}

void Console::imprime(std::string_view texto) {
    const std::string visivel = saidaTerminal_ ? textoVisivel(texto) : std::string();
    const std::string_view escrito = saidaTerminal_ ? std::string_view(visivel) : texto;
    if (std::fwrite(escrito.data(), 1, escrito.size(), stdout) != escrito.size() && !erroSaida_)
        erroSaida_ = errno ? errno : EIO;
}

void Console::falha(std::string_view texto) {
    if (std::fflush(stdout) != 0 && !erroSaida_) erroSaida_ = errno ? errno : EIO;
    const std::string linha = "orvandel-cli: " + std::string(texto) + "\n";
    const std::string escrito = errosTerminal_ ? textoVisivel(linha) : linha;
    std::fwrite(escrito.data(), 1, escrito.size(), stderr);
    std::fflush(stderr); // Windows' C library buffers stderr into a file or pipe
}

bool Console::confereSaida() {
    if (std::fflush(stdout) != 0 && !erroSaida_) erroSaida_ = errno ? errno : EIO;
    if (!erroSaida_ && std::ferror(stdout)) erroSaida_ = EIO;
    if (!erroSaida_) return true;
    const int codigo = erroSaida_;
    erroSaida_ = 0;
    std::clearerr(stdout);
    falha(codigo == EBADF ? "a saída padrão está fechada"
                          : "não foi possível escrever na saída padrão: " + descricaoErro(codigo));
    return false;
}

} // namespace orvandel
