// Diagnostics: every problem found in a source is one record (line, kind, text) in the message
// list; errors are counted, warnings are not. The message-list line is one rendering of a record.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

class Diagnosticos {
  public:
    void registraErro(std::string texto, int32_t numLinha);
    void registraAviso(std::string texto, int32_t numLinha);

    void limpaLista() { lista_.clear(); }
    void zeraErros() { contErros_ = 0; }
    const std::vector<Mensagem>& lista() const { return lista_; }
    int32_t contErros() const { return contErros_; }

  private:
    std::vector<Mensagem> lista_;
    int32_t contErros_ = 0;
};

// Windows-1252 source text quoted in a message.
std::string trecho(std::string_view cp1252);

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
