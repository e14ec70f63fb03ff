// Decoding and encoding of source files.
#include "fonte.hpp"

#include "gravacao.hpp"
#include "leitura.hpp"
#include "orvandel/texto.hpp"

namespace orvandel {

namespace {

constexpr std::string_view kBomUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kBomUtf16LE = "\xFF\xFE";
constexpr std::string_view kBomUtf16BE = "\xFE\xFF";

std::string utf16ParaUtf8(std::string_view bytes, bool bigEndian) {
    std::string resultado;
    resultado.reserve(bytes.size());
    const auto unidade = [&](size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]),
                   b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t codigo = unidade(i);
        if (codigo >= 0xD800 && codigo <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t baixo = unidade(i + 2);
            if (baixo >= 0xDC00 && baixo <= 0xDFFF) {
                codigo = 0x10000 + ((codigo - 0xD800) << 10) + (baixo - 0xDC00);
                i += 2;
            }
        }
        acrescentaUtf8(resultado, codigo); // a lone surrogate becomes U+FFFD
    }
    if (i < bytes.size()) acrescentaUtf8(resultado, 0xFFFD); // an odd last byte
    return resultado;
}

std::string utf8ParaUtf16(std::string_view texto, bool bigEndian) {
    std::string resultado;
    const auto unidade = [&](char32_t u) {
        const char alto = static_cast<char>(u >> 8), baixo = static_cast<char>(u & 0xFF);
        resultado += bigEndian ? alto : baixo;
        resultado += bigEndian ? baixo : alto;
    };
    for (char32_t codigo : decodificaUtf8(texto)) {
        if (codigo < 0x10000) {
            unidade(codigo);
        } else {
            unidade(0xD800 + ((codigo - 0x10000) >> 10));
            unidade(0xDC00 + ((codigo - 0x10000) & 0x3FF));
        }
    }
    return resultado;
}

std::vector<std::string> separaLinhas(std::string_view texto, bool deCp1252) {
    std::vector<std::string> linhas;
    const std::pmr::vector<std::string_view> vistas = vistasDasLinhas(texto);
    linhas.reserve(vistas.size());
    for (const std::string_view linha : vistas)
        linhas.push_back(deCp1252 ? cp1252ParaUtf8(linha) : std::string(linha));
    return linhas;
}

} // namespace

TextoFonte decodificaFonte(std::string_view bytes) {
    if (bytes.starts_with(kBomUtf8))
        return {separaLinhas(bytes.substr(kBomUtf8.size()), false), Codificacao::Utf8};
    if (bytes.starts_with(kBomUtf16LE))
        return {separaLinhas(utf16ParaUtf8(bytes.substr(2), false), false), Codificacao::Utf16LE};
    if (bytes.starts_with(kBomUtf16BE))
        return {separaLinhas(utf16ParaUtf8(bytes.substr(2), true), false), Codificacao::Utf16BE};
    if (ehUtf8NaoAscii(bytes)) return {separaLinhas(bytes, false), Codificacao::Utf8SemMarca};
    return {separaLinhas(bytes, true), Codificacao::Cp1252};
}

LinhasFonte decodificaLinhasFonte(BytesLidos bytes) {
    const auto comTexto = [](BytesLidos texto, size_t marca, CodificacaoLinhas codificacao) {
        auto buffer = std::make_unique<const BytesLidos>(std::move(texto));
        const std::string_view conteudo = comoTexto(*buffer).substr(marca);
        return LinhasFonte{std::move(buffer), conteudo, codificacao};
    };
    const auto emUtf8 = [](const std::string& utf8) {
        return BytesLidos(utf8.begin(), utf8.end());
    };
    const std::string_view vista = comoTexto(bytes);
    if (vista.starts_with(kBomUtf8))
        return comTexto(std::move(bytes), kBomUtf8.size(), CodificacaoLinhas::Utf8);
    if (vista.starts_with(kBomUtf16LE))
        return comTexto(emUtf8(utf16ParaUtf8(vista.substr(2), false)), 0, CodificacaoLinhas::Utf8);
    if (vista.starts_with(kBomUtf16BE))
        return comTexto(emUtf8(utf16ParaUtf8(vista.substr(2), true)), 0, CodificacaoLinhas::Utf8);
    const CodificacaoLinhas codificacao =
        ehUtf8NaoAscii(vista) ? CodificacaoLinhas::Utf8 : CodificacaoLinhas::Cp1252;
    return comTexto(std::move(bytes), 0, codificacao);
}

std::vector<std::string> LinhasFonte::emUtf8() const {
    const std::pmr::vector<std::string_view> vistas = linhas();
    std::vector<std::string> utf8;
    utf8.reserve(vistas.size());
    for (std::string_view linha : vistas)
        utf8.push_back(codificacao == CodificacaoLinhas::Cp1252 ? cp1252ParaUtf8(linha)
                                                                : std::string(linha));
    return utf8;
}

Codificacao codificacaoAoGravar(const TextoFonte& texto) {
    if (texto.codificacao != Codificacao::Cp1252) return texto.codificacao;
    for (const std::string& linha : texto.linhas)
        if (!cabeEmCp1252(linha)) return Codificacao::Utf8;
    return Codificacao::Cp1252;
}

std::string codificaFonte(const TextoFonte& texto) {
    std::string corpo;
    for (const std::string& linha : texto.linhas) {
        corpo += linha;
        corpo += "\r\n";
    }
    switch (codificacaoAoGravar(texto)) {
    case Codificacao::Utf8SemMarca:
        return corpo;
    case Codificacao::Utf8:
        return std::string(kBomUtf8) + corpo;
    case Codificacao::Utf16LE:
        return std::string(kBomUtf16LE) + utf8ParaUtf16(corpo, false);
    case Codificacao::Utf16BE:
        return std::string(kBomUtf16BE) + utf8ParaUtf16(corpo, true);
    case Codificacao::Cp1252:
        break;
    }
    return utf8ParaCp1252(corpo);
}

TextoFonte leArquivoFonte(const std::filesystem::path& caminho) {
    return decodificaFonte(comoTexto(leArquivoInteiro(caminho)));
}

LinhasFonte leLinhasFonte(const std::filesystem::path& caminho) {
    return decodificaLinhasFonte(leArquivoInteiro(caminho));
}

Codificacao gravaArquivoFonte(const std::filesystem::path& caminho, const TextoFonte& texto) {
    gravaAtomicamente(caminho, codificaFonte(texto));
    return codificacaoAoGravar(texto);
}

} // namespace orvandel
