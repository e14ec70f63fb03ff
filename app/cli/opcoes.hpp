// The command line of orvandel-cli: [-m MAQUINA] [--mapa hex|dec] ARQUIVO...
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "mapa.hpp"
#include "tabelas.hpp"

namespace orvandel {

struct OpcoesCli {
    std::optional<Maquina> maquina; // from -m; otherwise each file's extension decides
    std::optional<BaseMapa> mapa;
    std::vector<std::string> arquivos;
    bool ajuda = false;
    bool versao = false;
};

// The options, or the Portuguese text of a usage error.
std::variant<OpcoesCli, std::string> leOpcoes(const std::vector<std::string>& argumentos);

// "Zibel", "kovra", "Q", "j": a machine's name in any letter case, or its initial.
std::optional<Maquina> maquinaPorArgumento(const std::string& texto);

extern const char* const kAjuda;

} // namespace orvandel
