// What orvandel-cli tells about a run: the message lines, the FILE:LINE: lines that editors
// read, or a JSON document; and the per-file summary of a batch, as CSV or JSON.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lote.hpp"
#include "mapa.hpp"
#include "opcoes.hpp"
#include "orvandel/montagem.hpp"

namespace orvandel {

struct Abandono {
    int32_t numLinha;
    std::string texto;
};

// One source's run as orvandel-cli saw it.
struct RelatoMontagem {
    std::string arquivo; // as given on the command line
    Maquina maquina = Maquina::Jelmo;
    const Montagem* montagem = nullptr; // null when the source was never assembled
    std::vector<std::string> gravados;  // the files written, in order
    std::optional<Abandono> abandono;
    std::string falha; // a file that could not be read or written
    int status = 0;    // 0 no errors, 1 errors, 2 a failure
};

// The messages one per line: "12 (ERRO) - texto", or "arquivo:12: erro: texto".
std::string textoMensagens(const Montagem& montagem, FormaMensagens forma,
                           std::string_view arquivo);

// The run as one JSON document on one line; with `mapa`, the machine's memory as a list of
// byte values too.
std::string documentoJson(const RelatoMontagem& relato, bool comMemoria);

// The summary a teacher opens in a spreadsheet: one row per source (file, machine, errors,
// warnings, image written, failure), UTF-8 with a byte-order mark and CR LF.
std::string resumoCsv(std::span<const ArquivoDoLote> arquivos);
std::string resumoJson(std::span<const ArquivoDoLote> arquivos);

} // namespace orvandel
