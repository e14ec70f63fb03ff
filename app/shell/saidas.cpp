// Writing a run's outputs beside its source.
#include "saidas.hpp"

#include "gravacao.hpp"
#include "imagem.hpp"
#include "leitura.hpp"
#include "listagem.hpp"
#include "nomes.hpp"

namespace orvandel {

namespace fs = std::filesystem;

// An output named like its source (prog.mem, prog.map) would destroy the source.
void recusaSobreFonte(const fs::path& fonte, const fs::path& saida) {
    std::error_code erro;
    if (fs::exists(saida, erro) && fs::equivalent(fonte, saida, erro))
        throw FalhaArquivo("O arquivo " + saida.string() +
                           " é o próprio arquivo fonte e não será sobrescrito: nada foi gravado");
}

NomesSaida nomesSaida(const fs::path& fonte) {
    const std::string imagem = nomeArquivoMem(fonte.string());
    return {caminhoUtf8(imagem), caminhoUtf8(nomeArquivoMap(imagem))};
}

void gravaImagem(const fs::path& fonte, const fs::path& imagem, const Montagem& montagem) {
    recusaSobreFonte(fonte, imagem);
    gravaArquivoMem(imagem, montagem.maquina(), montagem.memoria());
}

void gravaImagemEListagem(const fs::path& fonte, const fs::path& imagem, const Montagem& montagem) {
    const fs::path listagem = caminhoUtf8(nomeArquivoMap(imagem.string()));
    recusaSobreFonte(fonte, imagem);
    recusaSobreFonte(fonte, listagem);
    const std::string bytesImagem = conteudoArquivoMem(montagem.maquina(), montagem.memoria());
    const std::string textoListagem = conteudoTabSimb(montagem.simbolos());
    const Gravacao arquivos[] = {{imagem, bytesImagem}, {listagem, textoListagem}};
    gravaAtomicamente(arquivos);
}

namespace {

bool gravaSemErros(const Montagem& montagem, const fs::path& fonte, const fs::path& imagem) {
    if (montagem.contErros() != 0) return false;
    gravaImagemEListagem(fonte, imagem, montagem);
    return true;
}

} // namespace

bool montaEGrava(Montagem& montagem, Maquina maquina, std::span<const std::string> linhas,
                 const fs::path& fonte, const fs::path& imagem) {
    montagem.monta(maquina, linhas);
    return gravaSemErros(montagem, fonte, imagem);
}

bool montaEGrava(Montagem& montagem, Maquina maquina, const LinhasFonte& linhas,
                 const fs::path& fonte, const fs::path& imagem) {
    montagem.monta(maquina, linhas.conteudo, linhas.codificacao);
    return gravaSemErros(montagem, fonte, imagem);
}

} // namespace orvandel
