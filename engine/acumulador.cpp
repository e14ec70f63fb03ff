// The encoder shared by the accumulator machines, Zibel and Kovra.
#include "acumulador.hpp"

#include "montagem.hpp"
#include "texto.hpp"
#include "valores.hpp"

namespace orvandel {

namespace {

// The address byte after the opcode: a numeral or a defined symbol reference, low 8 bits.
void geraEndereco(Montador& m, std::string_view nomeMaquina,
                  std::span<const std::string_view> operandos, int32_t endereco, int32_t numLinha) {
    int32_t valor = 0;
    if (operandos.size() != 1) {
        m.diag.registraErro("Erro na definição do endereço do operando", numLinha);
        armazenaPalavra(m, 0, endereco, numLinha);
        return;
    }
    std::string_view operando = operandos[0];
    if (operando.starts_with('#')) {
        m.diag.registraErro("Modo imediato não suportado no " + std::string(nomeMaquina), numLinha);
    } else if (ehNumero(operando)) {
        armazenaPalavra(m, converteNumero(m, operando, numLinha) & 0xFF, endereco, numLinha);
    } else if (resolveSimbolo(m, operando, valor, numLinha)) {
        armazenaPalavra(m, valor & 0xFF, endereco, numLinha);
    } else {
        m.diag.registraErro("Operando indefinido: " + trecho(operando), numLinha);
    }
}

} // namespace

void geraAcumulador(Montador& m, const LinhaInstrucao& instrucao, std::string_view nomeMaquina,
                    std::span<const std::string_view> operandos, int32_t contPosicao,
                    int32_t numLinha) {
    armazenaPalavra(m, instrucao.opcode, contPosicao, numLinha);
    if (instrucao.forma != Forma::Endereco) return;
    if (operandos.size() != 1)
        return geraEndereco(m, nomeMaquina, operandos, soma32(contPosicao, 1), numLinha);
    // The operand is read, and quoted in messages, in upper case: most are written so already,
    // and then they are read where they stand, with no copy made.
    const bool copia = temMinusculas(operandos[0]);
    const std::string maiusculo = copia ? maiusculas(operandos[0]) : std::string();
    const std::string_view operando = copia ? std::string_view(maiusculo) : operandos[0];
    geraEndereco(m, nomeMaquina, std::span(&operando, 1), soma32(contPosicao, 1), numLinha);
}

} // namespace orvandel
