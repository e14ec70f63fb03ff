// Running the real orvandel-cli in a directory and collecting what it printed.
#pragma once

#include <filesystem>
#include <string>

namespace orvandel::teste {

struct Execucao {
    int status;
    std::string saida; // stdout
    std::string erros; // stderr
};

// Runs orvandel-cli with `argumentos` (already shell-quoted) in `diretorio`.
Execucao executaCli(const std::filesystem::path& diretorio, const std::string& argumentos);

} // namespace orvandel::teste
