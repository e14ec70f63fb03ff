// orvandel-cli's standard output and error: control characters a source carries into a message
// are shown visibly on a terminal (never sent raw to it), and a write that fails is not lost.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace orvandel {

// UTF-8 text with its control characters visible: ^[ for ESC, ^? for DEL, M-^[ for the C1
// control U+009B, as `cat -v` writes them. Line feeds and tabs stay.
std::string textoVisivel(std::string_view texto);

class Console {
  public:
    // Whether each stream is a terminal is asked once, here.
    Console();
    void imprime(std::string_view texto);
    // "orvandel-cli: TEXTO" on stderr, after what stdout holds so far.
    void falha(std::string_view texto);
    // Flushes stdout; false, after saying why on stderr, when something printed there did not
    // reach it (a full disk, a closed stream).
    bool confereSaida();

  private:
    bool saidaTerminal_;
    bool errosTerminal_;
    int erroSaida_ = 0; // the errno of the first failed write to stdout
};

} // namespace orvandel
