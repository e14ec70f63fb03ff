// Generated sources, made once per process and shared by the benchmarks.
#pragma once

#include <string>
#include <vector>

#include "geracao.hpp"

namespace orvandel::bench {

// The source as a file holds it: Windows-1252 bytes.
const std::string& textoFonte(geracao::Dialeto dialeto, int linhas);
// Its lines as the shell hands them to the engine (decoded to UTF-8).
const std::vector<std::string>& linhasFonte(geracao::Dialeto dialeto, int linhas);

} // namespace orvandel::bench
