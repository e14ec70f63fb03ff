// The messages of a run as the front ends read them: one record (line, kind, text) per problem
// found in the source, and the one condition that abandons a run.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvandel {

enum class TipoMensagem { Erro, Aviso };

struct Mensagem {
    int32_t numLinha; // zero-based index of the source line
    TipoMensagem tipo;
    std::string texto; // UTF-8

    // "12 (ERRO) - texto": the line as the message list shows it.
    std::string linhaLista() const;
    bool operator==(const Mensagem&) const = default;
};

// The one condition that abandons a run: a numeral (or an array size) that passes the syntax
// checks but does not convert to a 32-bit integer. what() is the user's message, in UTF-8;
// numLinha() the zero-based line at which the run stopped.
class ValorInteiroInvalido : public std::runtime_error {
  public:
    ValorInteiroInvalido(std::string_view textoCp1252, int32_t numLinha);
    int32_t numLinha() const { return numLinha_; }

  private:
    int32_t numLinha_;
};

} // namespace orvandel
