// Drives the Win32 association layer for scripts/windows, which reads the registry back with
// reg.exe under Wine: "associa PROGRAMA" or "remove". Prints each failure; 1 after any.
#include <cstdio>
#include <string>
#include <vector>

#include "associacao.hpp"
#include "leitura.hpp"
#include "processo.hpp"

int main(int argc, char** argv) {
    using namespace orvandel;
    const std::vector<std::string> argumentos = argumentosDoPrograma(argc, argv);
    std::vector<std::string> falhas;
    if (argumentos.size() == 2 && argumentos[0] == "associa")
        falhas = associaArquivos(caminhoUtf8(argumentos[1]));
    else if (argumentos.size() == 1 && argumentos[0] == "remove")
        falhas = removeAssociacao();
    else {
        std::fputs("uso: associa-registro associa PROGRAMA | remove\n", stderr);
        return 2;
    }
    for (const std::string& falha : falhas) std::printf("%s\n", falha.c_str());
    return falhas.empty() ? 0 : 1;
}
