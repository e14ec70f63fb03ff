// Pass 1 and pass 2: one loop each over the source lines, advancing their location counters by
// the same rules so that every label's value is the address at which pass 2 places its line.
#include "passagens.hpp"

#include "codificadores.hpp"
#include "corte.hpp"
#include "diretivas.hpp"
#include "ensaio.hpp"
#include "linha.hpp"
#include "montagem.hpp"
#include "separacao.hpp"
#include "texto.hpp"
#include "valores.hpp"

#include <memory>
#include <optional>
#include <system_error>
#include <thread>

namespace orvandel {

namespace {

const std::string kSemCodigo = ". Não será gerado código para esta linha ";

void anotaPosicao(std::vector<int32_t>* destino, int32_t contPosicao) {
    if (destino) destino->push_back(contPosicao);
}

// The length of a line whose instruction row is already found.
int32_t tamanhoDaLinha(Montador& m, const tipoInstrucao& instrucao,
                       std::span<const std::string_view> operandos, int32_t numLinha) {
    if (ehJelmo(m.maquina)) return tamanhoJelmo(m, *instrucao.linha, operandos, numLinha);
    return instrucao.tamanho;
}

// The value of `X: EQU operand`: an already defined symbol reference, else a constant.
int32_t valorConstante(Montador& m, std::string_view operando, int32_t numLinha) {
    int32_t valor = -1;
    if (resolveSimbolo(m, operando, valor, numLinha)) return valor;
    return converteConstante(m, operando, numLinha);
}

void defineRotulo(Montador& m, const elemLinha& e, int32_t contPosicao, int32_t numLinha) {
    int32_t existente = 0;
    if (!simboloBemFormado(e.rotulo)) {
        m.diag.registraErro("Símbolo mal formado: " + trecho(e.rotulo), numLinha);
        return;
    }
    if (resolveSimbolo(m, e.rotulo, existente, numLinha)) {
        m.diag.registraErro("Símbolo Redefinido: " + trecho(e.rotulo) + kSemCodigo, numLinha);
        return;
    }
    if (simboloReservado(e.rotulo, m.maquina)) {
        m.diag.registraErro("Símbolo reservado: " + trecho(e.rotulo) + kSemCodigo, numLinha);
        return;
    }
    if (e.operacao != "EQU") {
        m.tabSimbolos.insereSimbolo(e.rotulo, contPosicao, numLinha);
    } else if (e.operandos.size() == 1) {
        m.tabSimbolos.insereSimbolo(e.rotulo, valorConstante(m, e.operandos[0], numLinha),
                                    numLinha);
    } else {
        m.diag.registraErro("Definição de constante inválida", numLinha);
    }
    if (m.tabInstrucoes.busca(e.rotulo))
        m.diag.registraAviso("Símbolo definido é mnemônico de instrução: " + trecho(e.rotulo),
                             numLinha);
    if (e.operacao == "ORG")
        m.diag.registraAviso("Símbolo definido em ORG aponta para endereço anterior ao ORG: " +
                                 trecho(e.rotulo),
                             numLinha);
}

// The length of a line that pass 2 finds without working it out (see tamanhoJelmoConhecido).
std::optional<int32_t> tamanhoConhecido(const Montador& m, const tipoInstrucao& instrucao,
                                        int32_t numLinha) {
    if (ehJelmo(m.maquina)) return tamanhoJelmoConhecido(m, *instrucao.linha, numLinha);
    return instrucao.tamanho;
}

// Pass 2 of one instruction line up to its counter: the operand-count check and the encoder.
// False where the check refused the line, which then leaves the counter where it was.
bool codificaInstrucao(Montador& m, const tipoInstrucao& instrucao,
                       std::span<const std::string_view> operandos, int32_t contPosicao,
                       int32_t numLinha) {
    if (operandos.size() > static_cast<size_t>(instrucao.num_operandos)) {
        m.diag.registraErro("Número ou tipo de operando inválido!!!", numLinha);
        return false;
    }
    fatosMaquina(m.maquina).codifica(m, *instrucao.linha, operandos, contPosicao, numLinha);
    return true;
}

// Pass 2 of one instruction line: the encoder, then the counter.
int32_t geraInstrucao(Montador& m, const tipoInstrucao& instrucao,
                      std::span<const std::string_view> operandos, int32_t contPosicao,
                      int32_t numLinha) {
    if (!codificaInstrucao(m, instrucao, operandos, contPosicao, numLinha)) return contPosicao;
    return soma32(contPosicao, tamanhoDaLinha(m, instrucao, operandos, numLinha));
}

// Pass 2 of an instruction line as rehearsed: the same, with the length taken as pass 2 will
// take it; a length that pass 2 would work out again (and perhaps report) fails the rehearsal.
int32_t ensaiaInstrucao(Montador& m, const tipoInstrucao& instrucao,
                        std::span<const std::string_view> operandos, int32_t contPosicao,
                        int32_t numLinha) {
    if (!codificaInstrucao(m, instrucao, operandos, contPosicao, numLinha)) return contPosicao;
    if (const std::optional<int32_t> tamanho = tamanhoConhecido(m, instrucao, numLinha))
        return soma32(contPosicao, *tamanho);
    m.ensaio->falha();
    return contPosicao;
}

// Runs pass 2 of a line in pass 1 (`passagem2` gives the counter after it) and keeps what it
// writes when nothing in it can go otherwise in pass 2.
template <typename Passagem2>
void ensaia(Montador& m, int32_t contPosicao, int32_t numLinha, Passagem2&& passagem2) {
    Ensaio ensaio(m.diag, m.ensaio, contPosicao);
    int32_t depois = contPosicao;
    try {
        depois = passagem2();
    } catch (const ValorInteiroInvalido&) {
        ensaio.falha(); // pass 2 abandons the run there, after the lines before it
    }
    ensaio.conclui(subtrai32(depois, contPosicao), m.ensaiadas[static_cast<size_t>(numLinha)]);
}

// Pass 2 of a line whose operation is no instruction: a directive, or a numeral that is data.
int32_t geraDiretivaOuDado(Montador& m, std::string_view operacao,
                           std::span<const std::string_view> operandos, int32_t contPosicao,
                           int32_t numLinha) {
    if (const auto depois = processaDiretiva(m, 2, operacao, contPosicao, operandos, numLinha))
        return *depois;
    if (ehNumero(operacao)) {
        armazenaPalavra(m, converteNumero(m, operacao, numLinha), contPosicao, numLinha);
        return soma32(contPosicao, tamanhoPalavra(m.maquina));
    }
    return contPosicao; // pass 1 has reported it already
}

// A data line is worth rehearsing when pass 1 moved the counter by no more than the kept bytes
// hold: a longer array would be worked out twice for nothing.
bool dadoEnsaiavel(int32_t antes, int32_t depois) {
    const int32_t avanco = subtrai32(depois, antes);
    return avanco > 0 && avanco <= LinhaEnsaiada::kMaxBytes;
}

// The counter after an instruction line in pass 1. Its operands are read as written: the length
// rules and the encoders read them in any case, and quote them in upper case themselves.
int32_t contaInstrucao(Montador& m, const tipoInstrucao& instrucao,
                       std::span<const std::string_view> operandos, int32_t contPosicao,
                       int32_t numLinha) {
    const int32_t depois = soma32(contPosicao, tamanhoDaLinha(m, instrucao, operandos, numLinha));
    if (m.ensaiaPassagem2)
        ensaia(m, contPosicao, numLinha,
               [&] { return ensaiaInstrucao(m, instrucao, operandos, contPosicao, numLinha); });
    return depois;
}

// The counter after the operation of an upper-cased line in pass 1 that is no instruction: a
// directive, or a numeral that is data. `operandosEscritos` are the line's operands as written,
// for the rehearsal of pass 2.
int32_t contaDiretivaOuDado(Montador& m, elemLinha& e,
                            std::span<const std::string_view> operandosEscritos,
                            int32_t contPosicao, int32_t numLinha) {
    std::optional<int32_t> depois =
        processaDiretiva(m, 1, e.operacao, contPosicao, e.operandos, numLinha);
    if (!depois && ehNumero(e.operacao)) depois = soma32(contPosicao, tamanhoPalavra(m.maquina));
    if (!depois) {
        m.diag.registraErro("Operação não identificada: " + trecho(e.operacao) + kSemCodigo,
                            numLinha);
        return contPosicao;
    }
    // The operation's case changes nothing that pass 2 writes or counts; where it would show,
    // in a message, the rehearsal fails and pass 2 works the line out itself.
    if (m.ensaiaPassagem2 && dadoEnsaiavel(contPosicao, *depois))
        ensaia(m, contPosicao, numLinha, [&] {
            return geraDiretivaOuDado(m, e.operacao, operandosEscritos, contPosicao, numLinha);
        });
    return *depois;
}

// The operation is read as written: the lookups fold its case themselves.
int32_t geraOperacao(Montador& m, elemLinha& e, int32_t contPosicao, int32_t numLinha) {
    if (const tipoInstrucao* instrucao = m.tabInstrucoes.buscaEmQualquerCaixa(e.operacao))
        return geraInstrucao(m, *instrucao, e.operandos, contPosicao, numLinha);
    return geraDiretivaOuDado(m, e.operacao, e.operandos, contPosicao, numLinha);
}

// A token of `texto` seen at the same place in `outro`, a text of the same length.
std::string_view mesmoTrecho(std::string_view token, std::string_view texto,
                             std::string_view outro) {
    if (token.empty()) return token; // a token the line lacks views no text
    return outro.substr(static_cast<size_t>(token.data() - texto.data()), token.size());
}

// The line's tokens, split as written, moved onto its upper case: upper-casing moves no byte, so
// each token stands at the same place in both texts. `escritos` keeps the operands as written.
void emCaixaAlta(elemLinha& e, std::string_view texto, std::string_view maiusculo,
                 std::vector<std::string_view>& escritos) {
    escritos.assign(e.operandos.begin(), e.operandos.end());
    if (maiusculo.data() == texto.data()) return; // written in upper case already
    e.rotulo = mesmoTrecho(e.rotulo, texto, maiusculo);
    e.operacao = mesmoTrecho(e.operacao, texto, maiusculo);
    for (std::string_view& operando : e.operandos)
        operando = mesmoTrecho(operando, texto, maiusculo);
}

// Pass 1's lines split as written: by the thread ahead, in a run long enough to repay starting
// one on a machine with a core to spare, and here wherever it has not. A Jelmo length the thread
// found is kept as tamanhoJelmo would keep it, which then finds it.
class LinhasDaPassagem1 {
  public:
    LinhasDaPassagem1(Montador& m, std::span<const std::string_view> linhas,
                      LinhasPorCortar* porCortar)
        : m_(m), linhas_(linhas) {
        if (linhas.size() >= m.linhasParaSepararAdiante && std::thread::hardware_concurrency() >= 2)
            try {
                adiantada_ = std::make_unique<SeparacaoAdiantada>(linhas, m.codificacao,
                                                                  m.tabInstrucoes, porCortar);
            } catch (const std::system_error&) { // no thread to be had: the pass splits every line
            }
        if (!adiantada_ && porCortar) porCortar->cortaAte(linhas.size());
    }

    // Line i split into `e`, with the instruction row of its operation if it has one: the text
    // that was split, or nullopt for a line that holds no token.
    std::optional<std::string_view> separa(size_t i, elemLinha& e,
                                           const tipoInstrucao*& instrucao) {
        const LinhaSeparada* pronta = adiantada_ ? adiantada_->linha(i) : nullptr; // cut by now
        const std::string_view linha = linhas_[i];
        if (pronta && pronta->estado == LinhaSeparada::Estado::SemTokens) return std::nullopt;
        if (pronta && pronta->estado == LinhaSeparada::Estado::Separada) {
            pronta->preenche(e, linha);
            instrucao = pronta->instrucao < 0
                            ? nullptr
                            : &m_.tabInstrucoes.entradas()[static_cast<size_t>(pronta->instrucao)];
            if (pronta->tamanhoJelmo != 0 && i < m_.tamanhosJelmo.size())
                m_.tamanhosJelmo[i] = pronta->tamanhoJelmo;
            return pronta->texto.em(linha);
        }
        return separaEBusca(linha, m_.codificacao, m_.tabInstrucoes, e, buffer_, instrucao);
    }

  private:
    Montador& m_;
    std::span<const std::string_view> linhas_;
    std::string buffer_;
    std::unique_ptr<SeparacaoAdiantada> adiantada_; // apart from the pass's hot stack
};

} // namespace

// Pass 1 splits each line as written. A label, an operation that is no instruction and its
// operands are then read in upper case: only then is the line upper-cased, once. No separator,
// apostrophe or semicolon is a letter, so the upper case splits as the line as written does.
// An instruction's operands are read as written, and most lines are instructions.
void primeiraPassagem(Montador& m, std::span<const std::string_view> linhas,
                      LinhasPorCortar* porCortar) {
    int32_t contPosicao = 0;
    elemLinha e;
    std::vector<std::string_view> escritos;
    std::string maiusculo, rotulo;
    LinhasDaPassagem1 separadas(m, linhas, porCortar);
    for (size_t i = 0; i < linhas.size(); ++i) {
        const auto numLinha = static_cast<int32_t>(i);
        anotaPosicao(m.rastreio ? &m.rastreio->passagem1 : nullptr, contPosicao);
        const tipoInstrucao* instrucao = nullptr;
        const std::optional<std::string_view> separada = separadas.separa(i, e, instrucao);
        if (!separada) continue;
        const std::string_view texto = *separada;
        if (instrucao) {
            if (!e.rotulo.empty()) {
                e.rotulo = emMaiusculas(e.rotulo, rotulo);
                defineRotulo(m, e, contPosicao, numLinha);
            }
            contPosicao = contaInstrucao(m, *instrucao, e.operandos, contPosicao, numLinha);
            continue;
        }
        emCaixaAlta(e, texto, emMaiusculas(texto, maiusculo), escritos);
        if (!e.rotulo.empty()) defineRotulo(m, e, contPosicao, numLinha);
        if (!e.operacao.empty())
            contPosicao = contaDiretivaOuDado(m, e, escritos, contPosicao, numLinha);
    }
}

namespace {

// Pass 2 over a run of lines that pass 1 rehearsed, from line i on, each reached where pass 1
// reached it: their kept bytes copied into the image, with what the loop reads held in locals.
// A byte written into the image may alias any object, so the loop in segundaPassagem reloads the
// run's fields after every line; here nothing is reloaded. Only for a run that records neither
// origins nor a trace; the index of the first line the run stops at.
size_t colocaEnsaiadas(Montador& m, size_t i, int32_t& contPosicao) {
    const LinhaEnsaiada* const ensaiadas = m.ensaiadas.data();
    const size_t total = m.ensaiadas.size();
    uint8_t* const memoria = m.memoria.data();
    int32_t cont = contPosicao;
    for (; i < total && ensaiadas[i].pronta(cont); ++i) {
        const std::span<const uint8_t> bytes = ensaiadas[i].bytes();
        if (!dentroDaImagem(cont, static_cast<int64_t>(bytes.size())))
            break; // bytes outside the image, which escreveBytes drops
        copiaCurta(memoria + cont, bytes);
        cont = soma32(cont, ensaiadas[i].avanco());
    }
    contPosicao = cont;
    return i;
}

} // namespace

void segundaPassagem(Montador& m, std::span<const std::string_view> linhas) {
    int32_t contPosicao = 0;
    elemLinha e;
    std::string linha;
    const bool registra = m.rastreio || m.origens;
    for (size_t i = 0; i < linhas.size(); ++i) {
        if (!registra && (i = colocaEnsaiadas(m, i, contPosicao)) == linhas.size()) break;
        const auto numLinha = static_cast<int32_t>(i);
        anotaPosicao(m.rastreio ? &m.rastreio->passagem2 : nullptr, contPosicao);
        if (const LinhaEnsaiada& ensaiada = m.ensaiadas[i]; ensaiada.pronta(contPosicao)) {
            m.escreveBytes(contPosicao, ensaiada.bytes(), numLinha);
            contPosicao = soma32(contPosicao, ensaiada.avanco());
            continue;
        }
        const std::string_view texto = trechoDivisivel(linhas[i], linha, m.codificacao);
        if (semTokens(texto) || !separaLinha(texto, e)) continue;
        if (!e.operacao.empty()) contPosicao = geraOperacao(m, e, contPosicao, numLinha);
    }
}

int32_t tamanhoInstrucao(Montador& m, std::string_view operacao,
                         std::span<const std::string_view> operandos, int32_t numLinha) {
    const tipoInstrucao* instrucao = m.tabInstrucoes.buscaEmQualquerCaixa(operacao);
    return instrucao ? tamanhoDaLinha(m, *instrucao, operandos, numLinha) : 0;
}

} // namespace orvandel
