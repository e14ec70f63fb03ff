// The directives. DB, DW, DAB and DAW write their bytes straight into the image, without the
// value checks of armazenaPalavra; bytes that would fall outside the image are dropped.
#include "diretivas.hpp"

#include <algorithm>

#include "contexto.hpp"
#include "montagem.hpp"
#include "texto.hpp"
#include "valores.hpp"

namespace orvandel {

namespace {

struct Linha : ContextoLinha {
    int passagem;
    int32_t inicio; // L: the counter before the line

    bool enchimento() const { return passagem == 2; }
};

std::string foraDaFaixa(int32_t valor) {
    return "Valor fora da faixa: " + std::to_string(valor) + " (decimal)";
}

// A character's value in a data directive is its Unicode code, as the shell's text has it.
int32_t codigoCaractere(char c) {
    return static_cast<int32_t>(unicodeDeCp1252(static_cast<unsigned char>(c)));
}

// ORG n
int32_t org(const Linha& l) {
    if (l.operandos.size() != 1) {
        if (l.enchimento()) l.erro("Uso incorreto da diretiva ORG");
        return l.inicio;
    }
    std::string_view operando = l.operandos[0];
    if (!ehNumero(operando)) {
        l.erro("Número inválido: " + trecho(operando));
        return l.enchimento() ? l.inicio : 0;
    }
    const int32_t endereco = converteNumero(l.m, operando, l.numLinha);
    if (enderecoValido(l.m.maquina, endereco)) return endereco;
    if (l.enchimento()) l.erro("Endereço fora do espaço de memória");
    return 0;
}

// The value of the single operand of DB or DW; `ehByte` selects DB's warning for Jelmo pointers.
int32_t valorDado(const Linha& l, bool ehByte) {
    if (l.operandos.empty()) return 0;
    if (l.operandos.size() > 1) {
        l.erro("Número incorreto de parâmetros");
        return 0;
    }
    std::string_view operando = l.operandos[0];
    int32_t valor = 0;
    if (operando.starts_with('\'')) {
        if (operando.size() == 3 && operando[2] == '\'') return codigoCaractere(operando[1]);
        l.erro("Especificação ASCII incorreta");
    } else if (ehNumero(operando)) {
        valor = converteNumero(l.m, operando, l.numLinha);
    } else if (resolveSimbolo(l.m, operando, valor, l.numLinha)) {
        if (ehByte && ehJelmo(l.m.maquina)) l.aviso("Ponteiro de 8 bits");
    } else {
        l.erro("Especificação incorreta");
        valor = 0;
    }
    return valor;
}

// DB [value] | DW [value]
int32_t dado(const Linha& l, bool ehByte) {
    const int32_t ultimo = ehByte ? l.inicio : soma32(l.inicio, 1);
    const bool cabe = enderecoValido(l.m.maquina, ultimo);
    if (!cabe) l.erro("Não é possível reservar valor fora do espaço de memória");
    if (l.enchimento()) {
        const int32_t valor = valorDado(l, ehByte);
        const int32_t minimo = ehByte ? -128 : -32768, maximo = ehByte ? 255 : 65535;
        if (valor < minimo || valor > maximo) l.erro(foraDaFaixa(valor));
        if (ehByte) {
            l.m.escreveByte(l.inicio, valor, l.numLinha);
        } else {
            l.m.escrevePalavra(l.inicio, valor, l.numLinha);
        }
    }
    return cabe ? soma32(ultimo, 1) : 0;
}

bool ehTexto(std::string_view item) {
    return item.starts_with('\'');
}
bool textoBemFormado(std::string_view item) {
    return item.size() > 2 && item.back() == '\'';
}

// The size n of `[n]`: every character but the brackets, as a signed decimal integer.
int32_t tamanhoArray(std::string_view operando, int32_t numLinha) {
    std::string texto;
    for (char c : operando)
        if (c != '[' && c != ']') texto += c;
    int32_t n = 0;
    if (!leInteiroDecimal(texto, n)) throw ValorInteiroInvalido(texto, numLinha);
    return n;
}

// E, the address after `[n]`. Measured exactly rather than in 32 bits, so that no size, however
// large, wraps around into memory and passes for an array that fits.
int64_t fimTamanho(const Linha& l, int32_t elemento) {
    return int64_t{l.inicio} + int64_t{tamanhoArray(l.operandos[0], l.numLinha)} * elemento;
}

// E, the address after the items of a list.
int64_t fimLista(const Linha& l, int32_t elemento) {
    int64_t fim = l.inicio;
    for (std::string_view item : l.operandos) {
        if (!ehTexto(item))
            fim += elemento;
        else if (textoBemFormado(item))
            fim += static_cast<int64_t>(item.size() - 2) * elemento;
        else
            l.erro("Especificação ASCII incorreta");
    }
    return fim;
}

// Writes one element (a byte, or a big-endian word) at L + k and moves k past it.
void escreveElemento(const Linha& l, int64_t& k, int32_t elemento, int32_t valor) {
    if (elemento == 2)
        l.m.escrevePalavra(l.inicio + k, valor, l.numLinha);
    else
        l.m.escreveByte(l.inicio + k, valor, l.numLinha);
    k += elemento;
}

void preencheLista(const Linha& l, int32_t elemento) {
    const int32_t minimo = elemento == 1 ? -128 : -32768, maximo = elemento == 1 ? 255 : 65535;
    int64_t k = 0;
    for (std::string_view item : l.operandos) {
        if (ehTexto(item)) {
            if (!textoBemFormado(item)) {
                l.erro("Especificação ASCII incorreta");
                continue;
            }
            for (size_t i = 1; i + 1 < item.size(); ++i)
                escreveElemento(l, k, elemento, codigoCaractere(item[i]) & 0xFF);
            continue;
        }
        const int32_t valor = converteNumero(l.m, item, l.numLinha);
        if (valor < minimo || valor > maximo) {
            l.erro(foraDaFaixa(valor));
            continue;
        }
        escreveElemento(l, k, elemento, valor);
    }
}

// Zeroes L to E - 1, clipped to the image.
void preencheZeros(const Linha& l, int64_t fim) {
    if (l.m.ensaio) return l.m.ensaio->falha(); // it writes past escreveByte, so not rehearsed
    const int64_t de = std::max<int64_t>(l.inicio, 0),
                  ate = std::min<int64_t>(fim, kTamanhoMemoria);
    if (de >= ate) return;
    std::fill(l.m.memoria.begin() + de, l.m.memoria.begin() + ate, uint8_t{0});
    if (l.m.origens) std::fill(l.m.origens->begin() + de, l.m.origens->begin() + ate, l.numLinha);
}

// DAB [n] | DAB item, item...  (and DAW, with 16-bit elements)
int32_t array(const Linha& l, std::string_view nome, int32_t elemento) {
    if (l.operandos.empty()) {
        if (l.enchimento()) l.erro(std::string(nome) + ": sem parâmetros");
        return 0;
    }
    const bool formaTamanho = l.operandos[0].starts_with('[');
    const int64_t fim = formaTamanho ? fimTamanho(l, elemento) : fimLista(l, elemento);
    const int64_t ultimo = fim - 1;
    const bool cabe = ultimo >= 0 && ultimo <= ultimoEndereco(l.m.maquina);
    if (!cabe)
        l.erro(std::string(nome) +
               ": Não é possível reservar array fora do espaço de memória (endereço " +
               std::to_string(ultimo) + ")");
    if (l.enchimento()) {
        if (formaTamanho)
            preencheZeros(l, fim);
        else
            preencheLista(l, elemento);
    }
    return cabe ? static_cast<int32_t>(fim) : 0;
}

} // namespace

std::optional<int32_t> processaDiretiva(Montador& m, int passagem, std::string_view operacao,
                                        int32_t contPosicao,
                                        std::span<const std::string_view> operandos,
                                        int32_t numLinha) {
    const Linha l{{m, operandos, numLinha}, passagem, contPosicao};
    const auto eh = [&](std::string_view nome) { return igualEmMaiusculas(nome, operacao); };
    if (eh("ORG")) return org(l);
    if (eh("EQU")) return contPosicao;
    if (eh("DB")) return dado(l, true);
    if (eh("DW")) return dado(l, false);
    if (eh("DAB")) return array(l, "DAB", 1);
    if (eh("DAW")) return array(l, "DAW", 2);
    return std::nullopt;
}

} // namespace orvandel
