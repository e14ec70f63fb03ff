// The engine's face for the front ends: one assembly run of a source text for a machine, and
// its read-only results. The lines are an argument of the run, never kept: a long-lived session
// holds a Montagem across many runs over texts that change in between.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "orvandel/maquinas.hpp"
#include "orvandel/memoria.hpp"
#include "orvandel/mensagens.hpp"
#include "orvandel/simbolos.hpp"

namespace orvandel {

// How the engine reads the bytes of the lines it is given.
enum class CodificacaoLinhas { Utf8, Cp1252 };

struct Montador;
struct Rastreio;

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
    // The same over views of the lines, whose bytes are UTF-8 or, read without a conversion,
    // Windows-1252 (a source file's own bytes): what the command-line tool hands over, one buffer
    // for the whole file instead of one string per line.
    void monta(Maquina maquina, std::span<const std::string_view> linhas,
               CodificacaoLinhas codificacao);
    // The same over a whole source text, cut into lines as vistasDasLinhas cuts it: what the
    // command-line tool hands over. A long text is cut as the run goes, on the core that splits
    // its lines ahead of pass 1.
    void monta(Maquina maquina, std::string_view texto, CodificacaoLinhas codificacao);
    // The image zeroed and every table, message and recorded origin emptied, as before the
    // first run.
    void limpa();

    // Whether the next runs record which source line placed each byte and at which address
    // each line starts (off at first). A run without the record costs nothing more.
    void registraOrigens(bool ligado);
    // After a recording run: for each of the 65,536 addresses, the zero-based index of the line
    // that placed the byte there last, or -1 where no line placed one. Empty when the last run
    // did not record.
    std::span<const int32_t> origens() const;
    // origens()[endereco]; -1 also outside the image and after a run that did not record.
    int32_t linhaDoByte(int32_t endereco) const;
    // After a recording run: for each source line, the address at which pass 2 began it (where
    // its bytes go). Shorter than the source when the run was abandoned; empty when not recorded.
    std::span<const int32_t> enderecosLinhas() const;

    Maquina maquina() const;
    const Memoria& memoria() const;
    const TabelaSimbolos& simbolos() const;
    const std::vector<Mensagem>& mensagens() const;
    int32_t contErros() const;

  private:
    void esqueceOrigens();
    void preparaRegistro();

    std::unique_ptr<Montador> montador_; // the image and tables are too large for the stack
    bool registraOrigens_ = false;
    std::vector<int32_t> origens_;
    std::unique_ptr<Rastreio> rastreio_; // the line addresses of a recording run
};

} // namespace orvandel
