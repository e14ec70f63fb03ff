// The memory-image file layout.
#include "imagem.hpp"

#include "gravacao.hpp"

namespace orvandel {

std::string conteudoArquivoMem(Maquina maquina, const Memoria& memoria) {
    std::string conteudo(1, '\x03');
    conteudo += etiquetaImagem(maquina);
    if (ehJelmo(maquina)) {
        conteudo.append(reinterpret_cast<const char*>(memoria.data()), memoria.size());
        return conteudo;
    }
    // Each 8-bit cell reads as a little-endian 16-bit word whose value is the byte.
    for (int endereco = 0; endereco < 256; ++endereco) {
        conteudo += static_cast<char>(memoria[endereco]);
        conteudo += '\0';
    }
    return conteudo;
}

void gravaArquivoMem(const std::filesystem::path& nomeArquivoMem, Maquina maquina,
                     const Memoria& memoria) {
    gravaAtomicamente(nomeArquivoMem, conteudoArquivoMem(maquina, memoria));
}

} // namespace orvandel
