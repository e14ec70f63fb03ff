// Diagnostics: every problem found in a source is one record (line, kind, text) in the message
// list; errors are counted, warnings are not. The record and its list line are the face's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "orvandel/mensagens.hpp"

namespace orvandel {

class Diagnosticos {
  public:
    void registraErro(std::string texto, int32_t numLinha);
    void registraAviso(std::string texto, int32_t numLinha);

    // A rehearsal's reports are not the run's: from iniciaSilencio to terminaSilencio a report
    // is neither listed nor counted, only noted; terminaSilencio tells whether one came.
    void iniciaSilencio() {
        emSilencio_ = true;
        reportouEmSilencio_ = false;
    }
    bool terminaSilencio() {
        emSilencio_ = false;
        return reportouEmSilencio_;
    }

    void limpaLista() { lista_.clear(); }
    void zeraErros() { contErros_ = 0; }
    const std::vector<Mensagem>& lista() const { return lista_; }
    int32_t contErros() const { return contErros_; }

  private:
    std::vector<Mensagem> lista_;
    int32_t contErros_ = 0;
    bool emSilencio_ = false;
    bool reportouEmSilencio_ = false;
};

// Windows-1252 source text quoted in a message.
std::string trecho(std::string_view cp1252);

} // namespace orvandel
