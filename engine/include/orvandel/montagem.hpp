// The engine's face for the front ends: one assembly run of a source text for a machine, and
// its read-only results. The lines are an argument of the run, never kept: a long-lived session
// holds a Montagem across many runs over texts that change in between.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "diagnosticos.hpp"
#include "memoria.hpp"
#include "simbolos.hpp"
#include "tabelas.hpp"

namespace orvandel {

struct Montador;

class Montagem {
  public:
    Montagem();
    ~Montagem();
    Montagem(const Montagem&) = delete;
    Montagem& operator=(const Montagem&) = delete;

    // Resets the image, the tables and the message list, then runs both passes over `linhas`
    // (UTF-8). Throws ValorInteiroInvalido when a numeral does not convert: the run stops there
    // and the results hold what it reached.
    void monta(Maquina maquina, std::span<const std::string> linhas);
    // The image zeroed and every table and message emptied, as before the first run.
    void limpa();

    Maquina maquina() const;
    const Memoria& memoria() const;
    const TabelaSimbolos& simbolos() const;
    const std::vector<Mensagem>& mensagens() const;
    int32_t contErros() const;

  private:
    std::unique_ptr<Montador> montador_; // the image and tables are too large for the stack
};

} // namespace orvandel
