// Writing a run's outputs beside its source.
#include "saidas.hpp"

#include "gravacao.hpp"
#include "imagem.hpp"
#include "listagem.hpp"
#include "nomes.hpp"

namespace orvandel {

namespace fs = std::filesystem;

namespace {

// An output named like its source (prog.mem, prog.map) would destroy the source.
void recusaSobreFonte(const fs::path& fonte, const fs::path& saida) {
    std::error_code erro;
    if (fs::exists(saida, erro) && fs::equivalent(fonte, saida, erro))
        throw FalhaArquivo("O arquivo " + saida.string() +
                           " é o próprio arquivo fonte e não será sobrescrito: nada foi gravado");
}

} // namespace

NomesSaida nomesSaida(const fs::path& fonte) {
    const std::string imagem = nomeArquivoMem(fonte.string());
    return {imagem, nomeArquivoMap(imagem)};
}

void gravaImagem(const fs::path& fonte, const fs::path& imagem, const Montador& montador) {
    recusaSobreFonte(fonte, imagem);
    gravaArquivoMem(imagem, montador.maquina, montador.memoria);
}

void gravaImagemEListagem(const fs::path& fonte, const Montador& montador) {
    const NomesSaida nomes = nomesSaida(fonte);
    recusaSobreFonte(fonte, nomes.imagem);
    recusaSobreFonte(fonte, nomes.listagem);
    gravaArquivoMem(nomes.imagem, montador.maquina, montador.memoria);
    gravaTabSimb(nomes.listagem, montador.tabSimbolos);
}

} // namespace orvandel
