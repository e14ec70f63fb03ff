// Helpers shared by the tests.
#include "apoio.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orvandel::teste {

namespace fs = std::filesystem;

std::unique_ptr<Montador> monta(Maquina maquina, const std::vector<std::string>& linhas) {
    auto m = std::make_unique<Montador>();
    m->monta(maquina, linhas);
    return m;
}

std::vector<std::string> linhasMensagens(const Montador& m) {
    std::vector<std::string> linhas;
    for (const Mensagem& mensagem : m.mensagens()) linhas.push_back(mensagem.linhaLista());
    return linhas;
}

std::string bytesEm(const Montador& m, int32_t endereco, int quantos) {
    std::string texto;
    char byte[4];
    for (int i = 0; i < quantos; ++i) {
        std::snprintf(byte, sizeof byte, "%02X", m.memoria[static_cast<size_t>(endereco + i)]);
        if (i) texto += ' ';
        texto += byte;
    }
    return texto;
}

std::vector<uint8_t> leBytes(const std::string& texto) {
    std::vector<uint8_t> bytes;
    std::istringstream entrada(texto);
    std::string hexa;
    while (entrada >> hexa) bytes.push_back(static_cast<uint8_t>(std::stoul(hexa, nullptr, 16)));
    return bytes;
}

DiretorioTemporario::DiretorioTemporario() {
    std::string modelo = (fs::temp_directory_path() / "orvandel-teste-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) throw std::runtime_error("mkdtemp falhou");
    caminho_ = modelo;
}

DiretorioTemporario::~DiretorioTemporario() {
    std::error_code erro;
    fs::remove_all(caminho_, erro);
}

std::string leArquivo(const fs::path& caminho) {
    std::ifstream entrada(caminho, std::ios::binary);
    return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
}

std::vector<std::string> nomesEm(const fs::path& diretorio) {
    std::vector<std::string> nomes;
    for (const auto& entrada : fs::directory_iterator(diretorio))
        nomes.push_back(entrada.path().filename().string());
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

void escreveArquivo(const fs::path& caminho, const std::string& conteudo) {
    std::ofstream saida(caminho, std::ios::binary);
    saida << conteudo;
}

} // namespace orvandel::teste

#include <sys/wait.h>

#include "cli.hpp"

namespace orvandel::teste {

Execucao executaCli(const std::filesystem::path& diretorio, const std::string& argumentos) {
    const auto saida = diretorio / ".saida", erros = diretorio / ".erros";
    // The standard input comes first, so that arguments may redirect it.
    const std::string comando = "cd '" + diretorio.string() +
                                "' && '" ORVANDEL_CLI "' </dev/null " + argumentos + " >'" +
                                saida.string() + "' 2>'" + erros.string() + "'";
    const int bruto = std::system(comando.c_str());
    Execucao e{WIFEXITED(bruto) ? WEXITSTATUS(bruto) : -1, leArquivo(saida), leArquivo(erros)};
    std::filesystem::remove(saida);
    std::filesystem::remove(erros);
    return e;
}

} // namespace orvandel::teste
