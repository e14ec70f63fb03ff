// The assembly run: reset, then the two passes; and the face that the front ends call.
#include "montagem.hpp"

#include "contexto.hpp"
#include "corte.hpp"
#include "orvandel/montagem.hpp"
#include "passagens.hpp"

namespace orvandel {

void ContextoLinha::erro(std::string texto) const {
    m.diag.registraErro(std::move(texto), numLinha);
}
void ContextoLinha::aviso(std::string texto) const {
    m.diag.registraAviso(std::move(texto), numLinha);
}

void Montador::limpaTabelas() {
    diag.limpaLista();
    memoria.fill(0);
    if (origens) origens->assign(kTamanhoMemoria, -1);
    tabSimbolos.limpa();
    tabInstrucoes.limpa();
}

void Montador::preparaPassagens(Maquina alvo, size_t numLinhas,
                                CodificacaoLinhas codificacaoFonte) {
    maquina = alvo;
    codificacao = codificacaoFonte;
    tamanhosJelmo.assign(ehJelmo(alvo) ? numLinhas : 0, 0);
    ensaiadas.assign(numLinhas, {});
    tabInstrucoes.carrega(maquina);
    diag.zeraErros();
}

// The lines belong to the caller and go to the passes as an argument: nothing keeps them once
// the run ends, however it ends.
void Montador::executaMontagem(Maquina alvo, std::span<const std::string_view> fonte,
                               CodificacaoLinhas codificacaoFonte) {
    preparaPassagens(alvo, fonte.size(), codificacaoFonte);
    primeiraPassagem(*this, fonte);
    segundaPassagem(*this, fonte);
}

// The text's lines are cut as pass 1 reaches them, and are gone with the run; pass 2 finds them
// all cut.
void Montador::executaMontagem(Maquina alvo, std::string_view texto,
                               CodificacaoLinhas codificacaoFonte) {
    LinhasPorCortar linhas(texto);
    preparaPassagens(alvo, linhas.total(), codificacaoFonte);
    primeiraPassagem(*this, linhas.linhas(), &linhas);
    segundaPassagem(*this, linhas.linhas());
}

void Montador::monta(Maquina alvo, std::span<const std::string> fonte) {
    const std::vector<std::string_view> vistas(fonte.begin(), fonte.end());
    monta(alvo, vistas, CodificacaoLinhas::Utf8);
}

Montagem::Montagem()
    : montador_(std::make_unique<Montador>()), rastreio_(std::make_unique<Rastreio>()) {}
Montagem::~Montagem() = default;

// The record of the previous run goes first: a run that does not record leaves none behind.
void Montagem::esqueceOrigens() {
    origens_.clear();
    rastreio_->passagem1.clear();
    rastreio_->passagem2.clear();
}

// A run records into the face's own lists, emptied first, or into none.
void Montagem::preparaRegistro() {
    esqueceOrigens();
    montador_->origens = registraOrigens_ ? &origens_ : nullptr;
    montador_->rastreio = registraOrigens_ ? rastreio_.get() : nullptr;
}

void Montagem::monta(Maquina maquina, std::span<const std::string> linhas) {
    const std::vector<std::string_view> vistas(linhas.begin(), linhas.end());
    monta(maquina, vistas, CodificacaoLinhas::Utf8);
}

void Montagem::monta(Maquina maquina, std::span<const std::string_view> linhas,
                     CodificacaoLinhas codificacao) {
    preparaRegistro();
    montador_->monta(maquina, linhas, codificacao);
}

void Montagem::monta(Maquina maquina, std::string_view texto, CodificacaoLinhas codificacao) {
    preparaRegistro();
    montador_->monta(maquina, texto, codificacao);
}

void Montagem::limpa() {
    esqueceOrigens();
    montador_->origens = nullptr;
    montador_->rastreio = nullptr;
    montador_->limpaTabelas();
}

void Montagem::registraOrigens(bool ligado) {
    registraOrigens_ = ligado;
}

std::span<const int32_t> Montagem::origens() const {
    return origens_;
}

int32_t Montagem::linhaDoByte(int32_t endereco) const {
    if (endereco < 0 || static_cast<size_t>(endereco) >= origens_.size()) return -1;
    return origens_[static_cast<size_t>(endereco)];
}

std::span<const int32_t> Montagem::enderecosLinhas() const {
    return rastreio_->passagem2;
}

Maquina Montagem::maquina() const {
    return montador_->maquina;
}
const Memoria& Montagem::memoria() const {
    return montador_->memoria;
}
const TabelaSimbolos& Montagem::simbolos() const {
    return montador_->tabSimbolos;
}
const std::vector<Mensagem>& Montagem::mensagens() const {
    return montador_->mensagens();
}
int32_t Montagem::contErros() const {
    return montador_->contErros();
}

} // namespace orvandel
