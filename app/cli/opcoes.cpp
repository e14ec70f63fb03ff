// The command line of orvandel-cli.
#include "opcoes.hpp"

#include "texto.hpp"

namespace orvandel {

const char* const kAjuda =
    "Uso: orvandel-cli [-m MAQUINA] [--mapa hex|dec] ARQUIVO...\n"
    "     orvandel-cli -b [Z|K|Q|J] [-v]\n"
    "\n"
    "Monta cada ARQUIVO fonte, na ordem dada, e grava ao lado dele a imagem de memória (.mem)\n"
    "e a listagem de símbolos (.map) quando a montagem termina sem erros.\n"
    "\n"
    "Opções:\n"
    "  -m MAQUINA     máquina alvo: Zibel, Kovra, Quirla ou Jelmo (ou Z, K, Q, J);\n"
    "                 sem -m, a terceira letra a partir do fim do nome do arquivo decide:\n"
    "                 Z Zibel, K Kovra, Q Quirla, qualquer outra Jelmo\n"
    "  --mapa hex|dec após as mensagens, imprime o mapa de memória (endereço e valor)\n"
    "  --help         mostra esta ajuda\n"
    "  --version      mostra a versão\n"
    "\n"
    "Lote (o primeiro argumento é -b ou -v):\n"
    "  -b [Z|K|Q|J]   monta todos os fontes de uma máquina no diretório atual (*.zid, *.kod,\n"
    "                 *.qud, *.jed, em maiúsculas ou minúsculas); sem a letra (maiúscula), as\n"
    "                 quatro máquinas, na ordem Kovra, Quirla, Jelmo, Zibel. Grava a imagem de\n"
    "                 cada fonte sem erros e o log Log_<máquina>.txt com os erros de cada fonte\n"
    "                 que falhou; imprime um resumo por máquina\n"
    "  -v             registra no log também os arquivos montados sem erros\n"
    "\n"
    "Saída: 0 sem erros; 1 quando alguma montagem teve erros; 2 em caso de falha (arquivo\n"
    "ilegível, saída que não pode ser gravada, valor inteiro inválido, uso incorreto). No lote,\n"
    "uma falha interrompe o processamento: os arquivos e máquinas restantes não são montados e\n"
    "o log termina com a linha \"Processamento interrompido: \" e o motivo.\n";

std::optional<Maquina> maquinaPorArgumento(const std::string& texto) {
    const std::string m = maiusculas(texto);
    if (m == "Z" || m == "ZIBEL") return Maquina::Zibel;
    if (m == "K" || m == "KOVRA") return Maquina::Kovra;
    if (m == "Q" || m == "QUIRLA") return Maquina::Quirla;
    if (m == "J" || m == "JELMO") return Maquina::Jelmo;
    return std::nullopt;
}

namespace {

std::optional<BaseMapa> basePorArgumento(const std::string& texto) {
    if (texto == "hex") return BaseMapa::Hexadecimal;
    if (texto == "dec") return BaseMapa::Decimal;
    return std::nullopt;
}

} // namespace

std::variant<OpcoesCli, std::string> leOpcoes(const std::vector<std::string>& argumentos) {
    OpcoesCli opcoes;
    bool soArquivos = false;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& arg = argumentos[i];
        const bool temValor = i + 1 < argumentos.size();
        if (soArquivos || arg.empty() || arg[0] != '-' || arg == "-") {
            opcoes.arquivos.push_back(arg);
        } else if (arg == "--") {
            soArquivos = true;
        } else if (arg == "--help" || arg == "-h") {
            opcoes.ajuda = true;
        } else if (arg == "--version") {
            opcoes.versao = true;
        } else if (arg == "-m") {
            if (!temValor) return std::string("a opção -m exige o nome da máquina");
            opcoes.maquina = maquinaPorArgumento(argumentos[++i]);
            if (!opcoes.maquina) return "máquina desconhecida: " + argumentos[i];
        } else if (arg == "--mapa") {
            if (!temValor) return std::string("a opção --mapa exige hex ou dec");
            opcoes.mapa = basePorArgumento(argumentos[++i]);
            if (!opcoes.mapa) return "--mapa aceita hex ou dec, não " + argumentos[i];
        } else {
            return "opção desconhecida: " + arg;
        }
    }
    if (opcoes.arquivos.empty() && !opcoes.ajuda && !opcoes.versao)
        return std::string("nenhum arquivo fonte informado");
    return opcoes;
}

} // namespace orvandel
