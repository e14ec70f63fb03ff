// The source line splitter.
#include "linha.hpp"

#include <algorithm>
#include <array>
#include <bit>

#include "blocos.hpp"
#include "texto.hpp"

namespace orvandel {

namespace {

constexpr char kApostrofo = '\'';

// The bytes at which a token's scan stops: the separators and the apostrophe. One table lookup
// per byte instead of five comparisons.
constexpr std::array<bool, 256> kTerminaToken = [] {
    std::array<bool, 256> tabela{};
    for (int c = 0; c < 256; ++c) tabela[c] = ehSeparador(static_cast<char>(c)) || c == kApostrofo;
    return tabela;
}();

// Where the comment starts: the first semicolon outside apostrophes. A run of three apostrophes
// (''') is a quoted apostrophe, so its third one closes the quote again. Nothing past `limite`
// is looked at, since the splitter never reads that far. Before the first apostrophe nothing is
// quoted, so two searches settle most lines; only from that apostrophe on is the quote followed.
size_t inicioComentario(std::string_view linha, size_t limite) {
    const std::string_view alcance = linha.substr(0, limite);
    const size_t apostrofo = alcance.find(kApostrofo);
    const size_t pontoEVirgula = alcance.substr(0, apostrofo).find(';');
    if (pontoEVirgula != std::string_view::npos) return pontoEVirgula;
    if (apostrofo == std::string_view::npos) return limite;
    bool entreAspas = false;
    for (size_t i = apostrofo; i < limite; ++i) {
        const char c = linha[i];
        if (c == kApostrofo) entreAspas = !entreAspas;
        if (i >= 2 && c == kApostrofo && linha[i - 1] == kApostrofo && linha[i - 2] == kApostrofo)
            entreAspas = !entreAspas;
        if (c == ';' && !entreAspas) return i;
    }
    return limite;
}

void pulaSeparadores(std::string_view& resto) {
    resto.remove_prefix(separadoresIniciais(resto));
}

// Converting a comment that goes beyond ASCII would cost a copy the splitter throws away. When a
// semicolon inside the window has only ASCII before it and no apostrophe, the comment starts
// there in the converted text too, so the text can end at it: the splitter sees the same tokens.
std::string_view semComentario(std::string_view texto) {
    const size_t pontoEVirgula = texto.substr(0, kLimiteLinha).find(';');
    if (pontoEVirgula == std::string_view::npos) return texto;
    const std::string_view antes = texto.substr(0, pontoEVirgula);
    if (antes.find(kApostrofo) != std::string_view::npos || !ehAscii(antes)) return texto;
    return texto.substr(0, pontoEVirgula + 1);
}

// Takes one token off the front of `resto`. A token ends before a separator (it is a label when
// that separator is a colon) or, once an apostrophe opens a quoted part, with the first
// apostrophe two or more places later: the character right after the opening one never closes.
std::string_view extraiElemento(std::string_view& resto, bool& ehRotulo) {
    ehRotulo = false;
    for (size_t i = 0; i < resto.size(); ++i) {
        if (!kTerminaToken[static_cast<unsigned char>(resto[i])]) continue;
        if (resto[i] == kApostrofo) {
            const size_t fecha =
                (i + 2 < resto.size()) ? resto.find(kApostrofo, i + 2) : std::string_view::npos;
            const size_t fim = (fecha == std::string_view::npos) ? resto.size() : fecha + 1;
            const std::string_view token = resto.substr(0, fim);
            resto.remove_prefix(fim);
            return token;
        }
        if (ehSeparador(resto[i])) {
            ehRotulo = resto[i] == ':';
            const std::string_view token = resto.substr(0, i);
            resto.remove_prefix(i);
            return token;
        }
    }
    const std::string_view token = resto;
    resto = {};
    return token;
}

void esvazia(elemLinha& e) {
    e.rotulo = {};
    e.operacao = {};
    e.operandos.clear();
}

// A label, the operation or an operand: the next token in line order.
void acrescentaToken(elemLinha& e, std::string_view token, bool ehRotulo, bool& temOperacao) {
    if (ehRotulo) {
        e.rotulo = token;
    } else if (!temOperacao) {
        e.operacao = token;
        temOperacao = true;
    } else {
        e.operandos.push_back(token);
    }
}

// The full rules: quoted text, and a comment that begins after it.
void separaComAspas(std::string_view linha, size_t primeiro, size_t limite, elemLinha& e) {
    std::string_view resto = linha.substr(0, inicioComentario(linha, limite));
    resto.remove_prefix(std::min(primeiro, resto.size()));
    bool temOperacao = false;
    do {
        pulaSeparadores(resto);
        bool ehRotulo = false;
        const std::string_view token = extraiElemento(resto, ehRotulo);
        if (!token.empty()) acrescentaToken(e, token, ehRotulo, temOperacao);
    } while (!resto.empty());
}

enum class Classe : uint8_t { Comum, Separador, DoisPontos, Comentario, Apostrofo };

constexpr std::array<Classe, 256> kClasse = [] {
    std::array<Classe, 256> tabela{};
    for (int c = 0; c < 256; ++c)
        if (ehSeparador(static_cast<char>(c))) tabela[c] = Classe::Separador;
    tabela[':'] = Classe::DoisPontos;
    tabela[';'] = Classe::Comentario;
    tabela[kApostrofo] = Classe::Apostrofo;
    return tabela;
}();

// Most lines quote nothing before their comment: then the tokens are the runs of
// non-separators before the first semicolon, and one pass over the line's blocks finds them
// (a line's few separators are visited, not its every byte). False, with `e` emptied again, at
// an apostrophe: quoted text takes the full rules.
bool separaSemAspas(std::string_view linha, size_t primeiro, size_t limite, elemLinha& e) {
    const std::string_view janela = linha.substr(0, limite);
    bool temOperacao = false;
    size_t inicio = primeiro; // of the current token
    for (size_t bloco = primeiro; bloco < limite; bloco += kBloco) {
        uint32_t especiais = posicoesDe<'\t', ' ', ',', ':', ';', kApostrofo>(janela, bloco);
        for (; especiais != 0; especiais &= especiais - 1) {
            const size_t i = bloco + static_cast<size_t>(std::countr_zero(especiais));
            const Classe classe = kClasse[static_cast<unsigned char>(janela[i])];
            if (classe == Classe::Apostrofo) return esvazia(e), false;
            if (i > inicio)
                acrescentaToken(e, janela.substr(inicio, i - inicio), classe == Classe::DoisPontos,
                                temOperacao);
            if (classe == Classe::Comentario) return true;
            inicio = i + 1;
        }
    }
    if (limite > inicio) acrescentaToken(e, janela.substr(inicio), false, temOperacao);
    return true;
}

} // namespace

std::string_view trechoConvertido(std::string_view texto, std::string& buffer) {
    return emCp1252(semComentario(texto), buffer, kLimiteLinha);
}

bool separaLinha(std::string_view linha, elemLinha& e) {
    esvazia(e);
    const size_t primeiro = separadoresIniciais(linha);
    const size_t limite = std::min(linha.size(), primeiro + kLimiteLinha);
    if (!separaSemAspas(linha, primeiro, limite, e)) separaComAspas(linha, primeiro, limite, e);
    return !linha.empty();
}

} // namespace orvandel
