// The source line splitter: comment removal, tokens, and the label / operation / operands sort.
#pragma once

#include <string>
#include <string_view>

#include "orvandel/montagem.hpp"
#include "tabelas.hpp"
#include "texto.hpp"

namespace orvandel {

// Only this many characters of a line, counted from its first non-separator, are split.
inline constexpr size_t kLimiteLinha = 1000;

constexpr bool ehSeparador(char c) {
    return c == '\t' || c == ' ' || c == ',' || c == ':';
}

// A plain loop: std::find_if_not with ehSeparador as a function pointer made an indirect call
// per byte.
inline size_t separadoresIniciais(std::string_view texto) {
    size_t i = 0;
    while (i < texto.size() && ehSeparador(texto[i])) ++i;
    return i;
}

// trechoDivisivel's text beyond ASCII, converted into `buffer`.
std::string_view trechoConvertido(std::string_view texto, std::string& buffer);

// What the splitter reads of a UTF-8 source line, in Windows-1252: at most kLimiteLinha
// characters from its first non-separator. Separators are ASCII and never apostrophes or
// semicolons, so splitting this gives what splitting the whole line gives, and a long line is
// never copied whole. A line of separators only gives an empty text: it does nothing either way.
// The result views the line itself when that part is ASCII, else `buffer`. A comment beyond ASCII
// after a semicolon that no apostrophe precedes is left out: the splitter would drop it anyway.
// Windows-1252 lines are read as they stand. Inline, as both passes ask it of most lines.
inline std::string_view trechoDivisivel(std::string_view linha, std::string& buffer,
                                        CodificacaoLinhas codificacao = CodificacaoLinhas::Utf8) {
    const std::string_view texto = linha.substr(separadoresIniciais(linha));
    const std::string_view janela = texto.substr(0, kLimiteLinha);
    if (codificacao == CodificacaoLinhas::Cp1252 || ehAscii(janela)) return janela;
    return trechoConvertido(texto, buffer);
}

// Whether a text that trechoDivisivel gave holds no token: it is empty or a comment from its
// first character. Such a line does nothing in either pass, which pass it by unsplit.
inline bool semTokens(std::string_view trecho) {
    return trecho.empty() || trecho.front() == ';';
}

// Splits a Windows-1252 line into `e`, whose tokens then view `linha`; what the line lacks is
// left empty. False only for a line of zero characters.
bool separaLinha(std::string_view linha, elemLinha& e);

} // namespace orvandel
