// Jelmo's operand syntax and the encoding of one general operand.
#include "jelmo_operandos.hpp"

#include "codificadores.hpp"
#include "diagnosticos.hpp"
#include "montagem.hpp"
#include "texto.hpp"
#include "valores.hpp"

namespace orvandel {

namespace {

constexpr int kR7 = 7;

// The texts below are read in any case, as written: the recognisers run once per operand in
// each pass, and an upper-cased copy of every operand each time would cost more than the checks.

// Rn
bool ehRegistrador(std::string_view s) {
    return s.size() == 2 && maiuscula(s[0]) == 'R' && s[1] >= '0' && s[1] <= '7';
}

// The number of the register "R0" to "R7" that ehRegistrador accepted.
int numeroDe(std::string_view registrador) {
    return registrador[1] - '0';
}

// (Rn)+
bool ehPosIncremento(std::string_view s) {
    return s.size() == 5 && s[0] == '(' && ehRegistrador(s.substr(1, 2)) && s.substr(3) == ")+";
}

// -(Rn)
bool ehPreDecremento(std::string_view s) {
    return s.size() == 5 && s.substr(0, 2) == "-(" && ehRegistrador(s.substr(2, 2)) && s[4] == ')';
}

// d(Rn), with at least one character of d
bool ehIndexado(std::string_view s) {
    return !s.starts_with('#') && s.size() >= 5 && s.ends_with(')') && s[s.size() - 4] == '(' &&
           ehRegistrador(s.substr(s.size() - 3, 2));
}

bool entreParenteses(std::string_view s) {
    return s.size() >= 2 && s.front() == '(' && s.back() == ')';
}

std::string_view semParenteses(std::string_view s) {
    return s.substr(1, s.size() - 2);
}

// d(Rn) (mode 3; 7 inside parentheses): accepted when d is a numeral or a symbol reference
// that is defined now. A numeral too large abandons the run naming it in upper case.
std::optional<FormaRegistrador> decompoeIndexado(Montador& m, std::string_view s, int modo,
                                                 int32_t numLinha) {
    FormaRegistrador forma{numeroDe(s.substr(s.size() - 3, 2)), modo, s.substr(0, s.size() - 4)};
    const Numeral numeral = leNumeral(forma.deslocamento);
    forma.numeral = numeral.ehNumero;
    if (!numeral.ehNumero) {
        if (!resolveSimbolo(m, forma.deslocamento, forma.valor, numLinha)) return std::nullopt;
    } else if (numeral.cabe) {
        forma.valor = numeral.valor;
    } else {
        converteNumero(m, maiusculas(forma.deslocamento), numLinha); // throws
    }
    return forma;
}

// Whether converting the displacement of d(Rn) reports nothing and abandons nothing, whatever
// symbols are defined: a numeral that fits, a name alone, or "S+n" / "S-n" with an n that fits.
// Only these lookups are skipped: an unknown name makes no report.
bool deslocamentoSilencioso(std::string_view deslocamento) {
    if (const Numeral numeral = leNumeral(deslocamento); numeral.ehNumero) return numeral.cabe;
    size_t operador = deslocamento.find('+');
    if (operador == std::string_view::npos) operador = deslocamento.find('-');
    return operador == std::string_view::npos ||
           numeralRepresentavel(deslocamento.substr(operador + 1));
}

// A symbolic displacement on R7 is relative to the program counter as it stands once this word
// has been fetched: after the source's word, or after the whole instruction.
int32_t valorDeslocamento(const LinhaJelmo& linha, const FormaRegistrador& forma, int registrador,
                          bool fonte) {
    if (forma.numeral || registrador != kR7) return forma.valor;
    const int32_t tamanho =
        fonte ? 4 : tamanhoJelmo(linha.m, linha.instrucao, linha.operandos, linha.numLinha);
    return subtrai32(forma.valor, soma32(linha.endereco, tamanho));
}

OperandoCodificado codificaRegistrador(const LinhaJelmo& linha, const FormaRegistrador& forma,
                                       bool fonte, int32_t enderecoPalavra) {
    if (forma.modo != 3 && forma.modo != 7) return {forma.modo, forma.registrador, false};
    armazenaPalavra(linha.m, valorDeslocamento(linha, forma, forma.registrador, fonte),
                    enderecoPalavra, linha.numLinha);
    return {forma.modo, forma.registrador, true};
}

// The word of an operand that is not a register form, and its mode on R7: an absolute address
// (5) or an immediate (1). A malformed operand still takes its word, FFFFh, so the length holds.
int32_t valorSobreR7(const LinhaJelmo& linha, std::string_view operando, int& modo) {
    Montador& m = linha.m;
    int32_t valor = -1;
    modo = 5;
    if (resolveSimbolo(m, operando, valor, linha.numLinha)) return valor;
    if (valorImediato(m, operando, valor, linha.numLinha)) {
        modo = 1;
        return valor;
    }
    if (ehConstante(operando)) return converteConstante(m, operando, linha.numLinha);
    linha.erro("Operando mal formado: " + trecho(operando));
    return -1;
}

OperandoCodificado codificaSobreR7(const LinhaJelmo& linha, std::string_view operando,
                                   int32_t enderecoPalavra) {
    int modo = 5;
    const int32_t valor = valorSobreR7(linha, operando, modo);
    armazenaPalavra(linha.m, valor, enderecoPalavra, linha.numLinha);
    return {modo, kR7, true};
}

} // namespace

std::optional<FormaRegistrador> decompoeOperando(Montador& m, std::string_view operando,
                                                 int32_t numLinha) {
    const bool indireto = entreParenteses(operando);
    const std::string_view s = indireto ? semParenteses(operando) : operando;
    const int base = indireto ? 4 : 0; // the deferred modes are the direct ones plus 4
    if (ehRegistrador(s)) return FormaRegistrador{numeroDe(s), base, {}};
    if (ehPosIncremento(s)) return FormaRegistrador{numeroDe(s.substr(1, 2)), base + 1, {}};
    if (ehPreDecremento(s)) return FormaRegistrador{numeroDe(s.substr(2, 2)), base + 2, {}};
    if (!ehIndexado(s)) return std::nullopt;
    return decompoeIndexado(m, s, base + 3, numLinha);
}

std::optional<int> registradorNomeado(std::string_view texto) {
    if (!ehRegistrador(texto)) return std::nullopt;
    return texto[1] - '0';
}

// Only the forms without a displacement (modes 0, 1, 2, 4, 5, 6) go without a word, so the
// answer needs no FormaRegistrador. An indexed form whose displacement may report is still
// decomposed, for those messages: both passes and every length report them again, as
// decompoeOperando does.
PalavraExtra palavraExtraPelaForma(std::string_view operando) {
    const std::string_view s = entreParenteses(operando) ? semParenteses(operando) : operando;
    if (ehRegistrador(s) || ehPosIncremento(s) || ehPreDecremento(s)) return PalavraExtra::Nenhuma;
    if (!ehIndexado(s) || deslocamentoSilencioso(s.substr(0, s.size() - 4)))
        return PalavraExtra::Silenciosa;
    return PalavraExtra::Reportavel;
}

PalavraExtra palavraExtra(Montador& m, std::string_view operando, int32_t numLinha) {
    const PalavraExtra palavra = palavraExtraPelaForma(operando);
    if (palavra == PalavraExtra::Reportavel) {
        const std::string_view s = entreParenteses(operando) ? semParenteses(operando) : operando;
        decompoeIndexado(m, s, 3, numLinha);
    }
    return palavra;
}

OperandoCodificado codificaOperando(const LinhaJelmo& linha, std::string_view operando, bool fonte,
                                    int32_t enderecoPalavra) {
    if (const std::optional<FormaRegistrador> forma =
            decompoeOperando(linha.m, operando, linha.numLinha))
        return codificaRegistrador(linha, *forma, fonte, enderecoPalavra);
    return codificaSobreR7(linha, operando, enderecoPalavra);
}

} // namespace orvandel
