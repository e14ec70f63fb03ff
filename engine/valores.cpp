// Numerals, character literals, symbol references and immediate values.
#include "valores.hpp"

#include <algorithm>

#include "montagem.hpp"
#include "simbolos.hpp"
#include "texto.hpp"

namespace orvandel {

namespace {

bool ehDigito(char c) {
    return c >= '0' && c <= '9';
}
bool ehDigitoHexa(char c) {
    const char m = maiuscula(c);
    return ehDigito(m) || (m >= 'A' && m <= 'F');
}
int valorDigitoHexa(char c) {
    const char m = maiuscula(c);
    return ehDigito(m) ? m - '0' : m - 'A' + 10;
}

// Whether every character passes `teste`: a plain loop, since std::all_of given a function's
// name calls it through a pointer for every character.
template <typename Teste> bool todos(std::string_view texto, Teste teste) {
    for (char c : texto)
        if (!teste(c)) return false;
    return true;
}

std::string_view semCerquilha(std::string_view texto) {
    if (texto.size() > 1 && texto[0] == '#') texto.remove_prefix(1);
    return texto;
}

bool ehDecimal(std::string_view t) {
    const bool inicio = ((t[0] == '+' || t[0] == '-') && t.size() > 1) || ehDigito(t[0]);
    return inicio && todos(t.substr(1), ehDigito);
}

bool ehHexadecimal(std::string_view t) {
    return (t[0] == 'H' || t[0] == 'h') && t.size() > 1 && todos(t.substr(1), ehDigitoHexa);
}

void reportaNumeroInvalido(Montador& m, std::string_view texto, int32_t numLinha) {
    m.diag.registraErro("Número inválido: " + trecho(texto), numLinha);
}

} // namespace

bool ehNumero(std::string_view texto) {
    if (texto.empty()) return false;
    const std::string_view t = semCerquilha(texto);
    return ehDecimal(t) || ehHexadecimal(t);
}

bool ehLiteralCaractere(std::string_view texto) {
    return texto.size() == 3 && texto[0] == '\'' && texto[2] == '\'';
}

bool ehConstante(std::string_view texto) {
    return ehNumero(texto) || ehLiteralCaractere(semCerquilha(texto));
}

namespace {

// The hexadecimal digits after "H": more than eight significant ones do not fit.
Numeral leHexadecimalUmaVez(std::string_view digitos) {
    uint32_t acumulado = 0;
    size_t significativos = 0;
    for (char c : digitos) {
        if (!ehDigitoHexa(c)) return {};
        const auto digito = static_cast<uint32_t>(valorDigitoHexa(c));
        if (significativos > 0 || digito != 0) ++significativos;
        acumulado = (acumulado << 4) | digito;
    }
    return {true, significativos <= 8, static_cast<int32_t>(acumulado)};
}

// Digits after an optional sign, which must be followed by one: the 32-bit range holds down to
// -2147483648 and up to 2147483647.
Numeral leDecimalUmaVez(std::string_view t) {
    const bool negativo = t[0] == '-';
    const bool comSinal = t[0] == '+' || negativo;
    if (comSinal && t.size() == 1) return {};
    const int64_t limite = negativo ? 2147483648LL : 2147483647LL;
    int64_t acumulado = 0;
    for (char c : t.substr(comSinal ? 1 : 0)) {
        if (!ehDigito(c)) return {};
        if (acumulado <= limite) acumulado = acumulado * 10 + (c - '0');
    }
    const bool cabe = acumulado <= limite;
    return {true, cabe, cabe ? static_cast<int32_t>(negativo ? -acumulado : acumulado) : 0};
}

} // namespace

bool leInteiroDecimal(std::string_view texto, int32_t& valor) {
    if (texto.empty()) return false;
    const Numeral numeral = leDecimalUmaVez(texto);
    if (numeral.cabe) valor = numeral.valor;
    return numeral.cabe;
}

Numeral leNumeral(std::string_view texto) {
    if (texto.empty()) return {};
    const std::string_view t = semCerquilha(texto);
    if (t[0] == 'H' || t[0] == 'h')
        return t.size() > 1 ? leHexadecimalUmaVez(t.substr(1)) : Numeral{};
    return leDecimalUmaVez(t);
}

bool numeralRepresentavel(std::string_view texto) {
    return leNumeral(texto).cabe;
}

int32_t converteNumero(Montador& m, std::string_view texto, int32_t numLinha) {
    const Numeral numeral = leNumeral(texto);
    if (!numeral.ehNumero) {
        reportaNumeroInvalido(m, texto, numLinha);
        return 0;
    }
    if (!numeral.cabe) throw ValorInteiroInvalido(semCerquilha(texto), numLinha);
    return numeral.valor;
}

int32_t converteConstante(Montador& m, std::string_view texto, int32_t numLinha) {
    if (!ehConstante(texto)) {
        reportaNumeroInvalido(m, texto, numLinha);
        return 0;
    }
    const std::string_view t = semCerquilha(texto);
    if (t[0] == '\'') return static_cast<unsigned char>(t[1]);
    return converteNumero(m, t, numLinha);
}

namespace {

// Where a symbol reference's displacement starts: its first '+', else its first '-'. One scan.
size_t operadorDeslocamento(std::string_view texto) {
    size_t menos = std::string_view::npos;
    for (size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '+') return i;
        if (texto[i] == '-' && menos == std::string_view::npos) menos = i;
    }
    return menos;
}

// A displacement in upper case, for the message that names it when it is no numeral; digits
// alone read the same in either case and are not copied.
int32_t valorDeslocamento(Montador& m, std::string_view numeral, int32_t numLinha) {
    if (std::all_of(numeral.begin(), numeral.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return converteNumero(m, numeral, numLinha);
    return converteNumero(m, maiusculas(numeral), numLinha);
}

} // namespace

// The text is read in upper case. The table folds the name's case itself, and the displacement
// is read in upper case by valorDeslocamento.
bool resolveSimbolo(Montador& m, std::string_view texto, int32_t& valor, int32_t numLinha) {
    valor = -1;
    const size_t operador = operadorDeslocamento(texto);
    const std::string_view nome = texto.substr(0, operador);
    // Pass 1 defines well-formed names alone, so a numeral or an immediate is never one: no
    // lookup for those.
    if (nome.empty() || !ehLetraOuSublinhado(nome[0])) return false;
    const std::optional<int32_t> simbolo = m.tabSimbolos.busca(nome);
    if (!simbolo) {
        if (m.ensaio && simboloBemFormado(nome)) m.ensaio->falha(); // it may be defined later
        return false;
    }
    valor = *simbolo;
    if (operador != std::string_view::npos) {
        const int32_t deslocamento = valorDeslocamento(m, texto.substr(operador + 1), numLinha);
        valor =
            texto[operador] == '+' ? soma32(valor, deslocamento) : subtrai32(valor, deslocamento);
    }
    return true;
}

bool valorImediato(Montador& m, std::string_view texto, int32_t& valor, int32_t numLinha) {
    valor = -1;
    if (texto.size() < 2 || texto[0] != '#') return false;
    const std::string_view resto = texto.substr(1);
    if (ehNumero(resto)) {
        valor = converteNumero(m, resto, numLinha);
        return true;
    }
    if (ehLiteralCaractere(resto)) {
        valor = static_cast<unsigned char>(resto[1]);
        return true;
    }
    if (resolveSimbolo(m, resto, valor, numLinha)) return true;
    m.diag.registraErro("Valor imediato mal formado: " + trecho(resto), numLinha);
    return false;
}

} // namespace orvandel
