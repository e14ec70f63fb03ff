// The command line of orvandel-cli: [OPÇÕES] ARQUIVO..., and the batch's --resumo.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "exportacao.hpp"
#include "mapa.hpp"
#include "orvandel/maquinas.hpp"

namespace orvandel {

// How a run's messages are printed: the message list's lines, FILE:LINE: lines for editors, or
// one JSON document per run.
enum class FormaMensagens { Lista, Gnu, Json };

struct OpcoesCli {
    std::optional<Maquina> maquina; // from -m; otherwise each file's extension decides
    std::optional<BaseMapa> mapa;
    std::vector<std::string> arquivos; // "-" is the standard input
    bool ajuda = false;
    bool versao = false;
    bool listagem = false;
    std::vector<FormatoExportacao> formatos; // besides the image, each once, in the order asked
    FormaMensagens forma = FormaMensagens::Lista;
    std::optional<std::string> saida; // -o: the image's name, for a single source
};

// The options, or the Portuguese text of a usage error. Options that take a value accept it
// in the next argument or joined: "--mapa=hex", "-mZ", "-o saida.mem".
std::variant<OpcoesCli, std::string> leOpcoes(const std::vector<std::string>& argumentos);

// "Zibel", "kovra", "Q", "j": a machine's name in any letter case, or its initial.
std::optional<Maquina> maquinaPorArgumento(const std::string& texto);

// A batch's command line without its "--resumo FILE" (or "--resumo=FILE"), which the batch
// scan would otherwise read as a machine letter or ignore.
struct ArgumentosLote {
    std::vector<std::string> argumentos;
    std::optional<std::string> resumo;
};
std::variant<ArgumentosLote, std::string> separaResumo(const std::vector<std::string>& argumentos);

extern const char* const kAjuda;

} // namespace orvandel
