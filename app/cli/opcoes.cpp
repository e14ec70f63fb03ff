// The command line of orvandel-cli.
#include "opcoes.hpp"

#include <algorithm>
#include <filesystem>

#include "alvos.hpp"
#include "orvandel/texto.hpp"

namespace orvandel {

const char* const kAjuda =
    "Uso: orvandel-cli [OPÇÕES] ARQUIVO...\n"
    "     orvandel-cli -b [Z|K|Q|J] [-v] [--resumo ARQUIVO.csv|ARQUIVO.json]\n"
    "\n"
    "Monta cada ARQUIVO fonte, na ordem dada, e grava ao lado dele a imagem de memória (.mem)\n"
    "e a listagem de símbolos (.map) quando a montagem termina sem erros. ARQUIVO - lê a fonte\n"
    "da entrada padrão (exige -m; só grava arquivos com -o).\n"
    "\n"
    "Opções:\n"
    "  -m MAQUINA        máquina alvo: Zibel, Kovra, Quirla ou Jelmo (ou Z, K, Q, J);\n"
    "                    sem -m, a terceira letra a partir do fim do nome do arquivo decide:\n"
    "                    Z Zibel, K Kovra, Q Quirla, qualquer outra Jelmo\n"
    "  --mapa hex|dec    após as mensagens, imprime o mapa de memória (endereço e valor)\n"
    "  --listagem        grava a listagem anotada (.lst): endereço, bytes e texto de cada\n"
    "                    linha, as mensagens sob a sua linha e as referências aos símbolos;\n"
    "                    também quando há erros\n"
    "  --formato F       grava também a imagem no formato F (pode repetir): hex (Intel HEX,\n"
    "                    .hex), bin (binário puro, .bin), logisim (memória do Logisim,\n"
    "                    .logisim), texto (listagem hexadecimal, .txt); mem é sempre gravado\n"
    "  -o NOME           nome da imagem, para um único arquivo fonte; os demais arquivos\n"
    "                    gravados seguem esse nome\n"
    "  --json            imprime um documento JSON por montagem no lugar das mensagens\n"
    "  --gnu             imprime as mensagens como ARQUIVO:LINHA: erro: TEXTO\n"
    "  --help            mostra esta ajuda\n"
    "  --version         mostra a versão\n"
    "\n"
    "Lote (o primeiro argumento é -b ou -v):\n"
    "  -b [Z|K|Q|J]      monta todos os fontes de uma máquina no diretório atual (*.zid, *.kod,\n"
    "                    *.qud, *.jed, em maiúsculas ou minúsculas); sem a letra (maiúscula), as\n"
    "                    quatro máquinas, na ordem Kovra, Quirla, Jelmo, Zibel. Grava a imagem de\n"
    "                    cada fonte sem erros e o log Log_<máquina>.txt com os erros de cada fonte\n"
    "                    que falhou; imprime um resumo por máquina\n"
    "  -v                registra no log também os arquivos montados sem erros\n"
    "  --resumo ARQUIVO  grava um resumo por arquivo fonte (erros, avisos, imagem gravada),\n"
    "                    em CSV ou JSON conforme a extensão do nome\n"
    "\n"
    "Saída: 0 sem erros; 1 quando alguma montagem teve erros; 2 em caso de falha (arquivo\n"
    "ilegível, saída que não pode ser gravada, valor inteiro inválido, uso incorreto). No lote,\n"
    "uma falha interrompe o processamento: os arquivos e máquinas restantes não são montados e\n"
    "o log termina com a linha \"Processamento interrompido: \" e o motivo.\n";

std::optional<Maquina> maquinaPorArgumento(const std::string& texto) {
    const std::string m = maiusculas(texto);
    for (const Alvo& alvo : kAlvos)
        if (m == alvo.letra || m == maiusculas(nomeMaquina(alvo.maquina))) return alvo.maquina;
    return std::nullopt;
}

namespace {

using Erro = std::optional<std::string>;

std::optional<BaseMapa> basePorArgumento(const std::string& texto) {
    const std::string base = maiusculas(texto);
    if (base == "HEX") return BaseMapa::Hexadecimal;
    if (base == "DEC") return BaseMapa::Decimal;
    return std::nullopt;
}

// The format named after --formato; "mem" is the image itself, always written.
std::optional<std::optional<FormatoExportacao>> formatoPorArgumento(const std::string& texto) {
    const std::string nome = maiusculas(texto);
    if (nome == "MEM") return std::optional<FormatoExportacao>{};
    if (nome == "HEX") return FormatoExportacao::IntelHex;
    if (nome == "BIN") return FormatoExportacao::Binario;
    if (nome == "LOGISIM") return FormatoExportacao::Logisim;
    if (nome == "TEXTO") return FormatoExportacao::Texto;
    return std::nullopt;
}

// An option as written: its name ("-m", "--mapa") and a value joined to it ("-mZ", "--mapa=hex").
struct Opcao {
    std::string nome;
    std::optional<std::string> valor;
};

Opcao divideOpcao(const std::string& arg) {
    if (arg.starts_with("--")) {
        const size_t igual = arg.find('=');
        if (igual == std::string::npos) return {arg, std::nullopt};
        return {arg.substr(0, igual), arg.substr(igual + 1)};
    }
    if (arg.size() > 2) return {arg.substr(0, 2), arg.substr(2)};
    return {arg, std::nullopt};
}

class Leitor {
  public:
    explicit Leitor(const std::vector<std::string>& argumentos) : argumentos_(argumentos) {}

    std::variant<OpcoesCli, std::string> le() {
        for (i_ = 0; i_ < argumentos_.size(); ++i_) {
            const std::string& arg = argumentos_[i_];
            if (soArquivos_ || arg.empty() || arg[0] != '-' || arg == "-") {
                opcoes_.arquivos.push_back(arg);
            } else if (arg == "--") {
                soArquivos_ = true;
            } else if (const Erro erro = opcao(divideOpcao(arg))) {
                return *erro;
            }
        }
        if (const Erro erro = confere()) return *erro;
        return opcoes_;
    }

  private:
    Erro opcao(const Opcao& o) {
        if (o.nome == "--help" || o.nome == "-h") return chave(o, opcoes_.ajuda);
        if (o.nome == "--version") return chave(o, opcoes_.versao);
        if (o.nome == "--listagem") return chave(o, opcoes_.listagem);
        if (o.nome == "--json") return forma(o, FormaMensagens::Json);
        if (o.nome == "--gnu") return forma(o, FormaMensagens::Gnu);
        if (o.nome == "-m") return maquina(o);
        if (o.nome == "--mapa") return mapa(o);
        if (o.nome == "--formato") return formato(o);
        if (o.nome == "-o") return saida(o);
        if (o.nome == "--resumo") return std::string("a opção --resumo só vale com -b");
        return "opção desconhecida: " + argumentos_[i_];
    }

    Erro chave(const Opcao& o, bool& destino) {
        if (o.valor) return "a opção " + o.nome + " não aceita valor";
        destino = true;
        return std::nullopt;
    }

    Erro forma(const Opcao& o, FormaMensagens forma) {
        bool dada = false;
        if (Erro erro = chave(o, dada)) return erro;
        if (opcoes_.forma != FormaMensagens::Lista && opcoes_.forma != forma)
            return std::string("as opções --json e --gnu não podem ser usadas juntas");
        opcoes_.forma = forma;
        return std::nullopt;
    }

    // The option's value, joined or in the next argument.
    std::optional<std::string> valor(const Opcao& o) {
        if (o.valor) return o.valor;
        if (i_ + 1 < argumentos_.size()) return argumentos_[++i_];
        return std::nullopt;
    }

    Erro maquina(const Opcao& o) {
        const auto nome = valor(o);
        if (!nome) return std::string("a opção -m exige o nome da máquina");
        opcoes_.maquina = maquinaPorArgumento(*nome);
        if (!opcoes_.maquina) return "máquina desconhecida: " + *nome;
        return std::nullopt;
    }

    Erro mapa(const Opcao& o) {
        const auto base = valor(o);
        if (!base) return std::string("a opção --mapa exige hex ou dec");
        opcoes_.mapa = basePorArgumento(*base);
        if (!opcoes_.mapa) return "--mapa aceita hex ou dec, não " + *base;
        return std::nullopt;
    }

    Erro formato(const Opcao& o) {
        const auto nome = valor(o);
        if (!nome) return std::string("a opção --formato exige mem, hex, bin, logisim ou texto");
        const auto formato = formatoPorArgumento(*nome);
        if (!formato) return "--formato aceita mem, hex, bin, logisim ou texto, não " + *nome;
        std::vector<FormatoExportacao>& formatos = opcoes_.formatos;
        if (*formato && std::find(formatos.begin(), formatos.end(), **formato) == formatos.end())
            formatos.push_back(**formato);
        return std::nullopt;
    }

    Erro saida(const Opcao& o) {
        const auto nome = valor(o);
        if (!nome || nome->empty()) return std::string("a opção -o exige o nome da imagem");
        opcoes_.saida = nome;
        return std::nullopt;
    }

    // The rules between options, once all are read.
    Erro confere() const {
        const OpcoesCli& o = opcoes_;
        if (o.ajuda || o.versao) return std::nullopt;
        if (o.arquivos.empty()) return std::string("nenhum arquivo fonte informado");
        if (o.saida && o.arquivos.size() > 1)
            return std::string("a opção -o vale para um único arquivo fonte");
        const auto entradas = std::count(o.arquivos.begin(), o.arquivos.end(), "-");
        if (entradas > 1) return std::string("a entrada padrão (-) só pode ser lida uma vez");
        if (entradas == 1 && !o.maquina) return std::string("a entrada padrão (-) exige -m");
        if (entradas == 1 && !o.saida && (o.listagem || !o.formatos.empty()))
            return std::string("a entrada padrão (-) só grava arquivos com -o");
        return std::nullopt;
    }

    const std::vector<std::string>& argumentos_;
    size_t i_ = 0;
    bool soArquivos_ = false;
    OpcoesCli opcoes_;
};

} // namespace

std::variant<OpcoesCli, std::string> leOpcoes(const std::vector<std::string>& argumentos) {
    return Leitor(argumentos).le();
}

std::variant<ArgumentosLote, std::string> separaResumo(const std::vector<std::string>& argumentos) {
    ArgumentosLote lote;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& arg = argumentos[i];
        if (arg == "--resumo" && i + 1 < argumentos.size()) {
            lote.resumo = argumentos[++i];
        } else if (arg == "--resumo") {
            return std::string("a opção --resumo exige o nome do arquivo (.csv ou .json)");
        } else if (arg.starts_with("--resumo=")) {
            lote.resumo = arg.substr(9);
        } else {
            lote.argumentos.push_back(arg);
        }
    }
    if (!lote.resumo) return lote;
    const std::string extensao =
        maiusculas(std::filesystem::path(*lote.resumo).extension().string());
    if (extensao != ".CSV" && extensao != ".JSON")
        return "o resumo é gravado em .csv ou .json, não em " + *lote.resumo;
    return lote;
}

} // namespace orvandel
