// Batch processing: every source of a machine found in a directory is assembled, an image is
// written for each error-free one, and a log per machine records the sources that failed.
#pragma once

#include <filesystem>
#include <string>

#include "alvos.hpp"

namespace orvandel {

// What became of one source of a batch, for a front end's per-file summary.
struct ArquivoDoLote {
    std::string nome; // the bare name found in the directory
    Maquina maquina = Maquina::Zibel;
    int32_t erros = 0;
    int32_t avisos = 0;
    bool imagemGravada = false;
    std::string falha;       // the failure that stopped the batch at this file, if one did
    int32_t linhaFalha = -1; // the zero-based line at which an abandoned run stopped
};

// How a front end shows a message: the desktop program in a modal message box, the CLI on
// stdout. The batch goes on only when mostraMensagem returns. iniciaMaquina comes before each
// machine's run, so that a window can name the batch in its title and select the machine;
// arquivoProcessado after each source, also the one at which a failure stops the batch.
class Mensageiro {
  public:
    virtual ~Mensageiro() = default;
    virtual void mostraMensagem(const std::string& texto) = 0;
    virtual void iniciaMaquina(int /*maquinaAlvo*/, bool /*todasAsMaquinas*/) {}
    virtual void arquivoProcessado(const ArquivoDoLote& /*arquivo*/) {}
};

struct ResumoLote {
    int processados = 0;
    int comErros = 0;
};

// "Log_Kovra.txt"
std::string nomeLog(Maquina maquina);

// The batch of one machine (0 to 3) over the sources in `diretorio` (empty: the current
// directory), which also holds the images and the log. A failure that stops the batch (a source
// that cannot be read, an image or log that cannot be written, an abandoned run) is thrown as
// FalhaArquivo or ValorInteiroInvalido once the log, closed by an interruption line, is written.
ResumoLote processaLote(int maquinaAlvo, bool verboso, Mensageiro& mensageiro,
                        const std::filesystem::path& diretorio);

// One machine, or all four in index order for kTodasMaquinas; a failure skips the machines
// that had not run yet.
ResumoLote executaLote(int maquinaAlvo, bool verboso, Mensageiro& mensageiro,
                       const std::filesystem::path& diretorio);

} // namespace orvandel
