// The help text of an instruction.
#include "ajuda_instrucao.hpp"

#include <cstdio>

#include "orvandel/maquinas.hpp"

namespace orvandel {

namespace {

std::string textoTamanho(const DescricaoInstrucao& d) {
    const std::string maximo = std::to_string(d.tamanhoMaximo);
    if (d.tamanhoMinimo == d.tamanhoMaximo)
        return maximo + (d.tamanhoMaximo == 1 ? " byte" : " bytes");
    return std::to_string(d.tamanhoMinimo) + " a " + maximo + " bytes";
}

std::string textoOpcode(int32_t opcode) {
    char texto[16];
    std::snprintf(texto, sizeof texto, "%Xh (%d)", static_cast<unsigned>(opcode), opcode);
    return texto;
}

} // namespace

std::string ajudaDaInstrucao(std::string_view mnemonico, Maquina maquina) {
    const std::optional<DescricaoInstrucao> d = descreveInstrucao(maquina, mnemonico);
    if (!d) return "";
    std::string texto(d->mnemonico);
    const auto linha = [&texto](std::string_view rotulo, std::string_view valor) {
        texto.append("\n").append(rotulo).append(valor);
    };
    texto.append(" (").append(nomeMaquina(maquina)).append(")");
    linha("Código: ", textoOpcode(d->opcode));
    linha("Tamanho: ", textoTamanho(*d));
    linha("Operandos: ", d->operandos.empty() ? std::string_view("nenhum") : d->operandos);
    if (!d->codificacao.empty()) linha("", d->codificacao);
    return texto;
}

} // namespace orvandel
