// Whole programs whose comments carry their expectations, one file per feature per machine:
//   LDA 10      ; => 20 0A          bytes placed at this line's address (pass 2)
//   ;@ 80: 01 02                    bytes at an absolute (hexadecimal) address
//   ;! 3 (ERRO) - Operando ...      the message list, line by line, in order (none: no messages)
//   ;= INICIO 0                     a symbol's value
//   ;abandona 7 'X' não é ...       the run is abandoned at line 7 with this text
// Files are UTF-8. The machine comes from the extension (.zid Zibel, .kod Kovra, .qud Quirla, .jed
// Jelmo).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "apoio.hpp"
#include "fonte.hpp"
#include "nomes.hpp"
#include "orvandel/montagem.hpp"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using teste::bytesEm;

struct Expectativas {
    std::vector<std::pair<size_t, std::string>> bytesLinha; // line index, bytes
    std::vector<std::pair<int32_t, std::string>> bytesEndereco;
    std::vector<std::string> mensagens;
    std::vector<std::pair<std::string, int32_t>> simbolos;
    std::string abandono;
};

std::string aparado(std::string texto) {
    const size_t inicio = texto.find_first_not_of(" \t");
    const size_t fim = texto.find_last_not_of(" \t");
    return inicio == std::string::npos ? "" : texto.substr(inicio, fim - inicio + 1);
}

// A marker written almost right (";=> 20", ";!3 ...", ";abandona7") would silently check nothing:
// a comment that opens like a marker must be one of the forms above, space included.
bool marcadorDesconhecido(std::string_view linha) {
    if (linha.find(";=>") != std::string_view::npos) return true;
    for (std::string_view inicio : {";!", ";@", ";=", ";abandona"})
        if (linha.starts_with(inicio) && !linha.substr(inicio.size()).starts_with(' ')) return true;
    return false;
}

Expectativas leExpectativas(const std::vector<std::string>& linhas) {
    Expectativas e;
    for (size_t i = 0; i < linhas.size(); ++i) {
        const std::string& linha = linhas[i];
        if (marcadorDesconhecido(linha))
            ADD_FAILURE() << "marcador desconhecido na linha " << i + 1 << ": " << linha;
        if (const size_t pos = linha.find("; =>"); pos != std::string::npos)
            e.bytesLinha.emplace_back(i, aparado(linha.substr(pos + 4)));
        if (linha.starts_with(";! ")) e.mensagens.push_back(linha.substr(3));
        if (linha.starts_with(";abandona ")) e.abandono = linha.substr(10);
        if (linha.starts_with(";@ ")) {
            const size_t doisPontos = linha.find(':');
            e.bytesEndereco.emplace_back(std::stoi(linha.substr(3, doisPontos - 3), nullptr, 16),
                                         aparado(linha.substr(doisPontos + 1)));
        }
        if (linha.starts_with(";= ")) {
            const size_t espaco = linha.find(' ', 3);
            e.simbolos.emplace_back(linha.substr(3, espaco - 3),
                                    std::stoi(linha.substr(espaco + 1)));
        }
    }
    return e;
}

// The programs' paths relative to the programs folder, so that test names stay short.
std::vector<std::string> programas() {
    std::vector<std::string> lista;
    for (const auto& entrada : fs::recursive_directory_iterator(ORVANDEL_PROGRAMAS))
        if (entrada.is_regular_file())
            lista.push_back(fs::relative(entrada.path(), ORVANDEL_PROGRAMAS).string());
    std::sort(lista.begin(), lista.end());
    return lista;
}

std::string nomeCaso(const testing::TestParamInfo<std::string>& info) {
    std::string nome = info.param;
    std::replace_if(
        nome.begin(), nome.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return nome;
}

// The same run through the front ends' face, recording origins: nothing else changes, no byte a
// line placed is left without its line, and without messages (which skip bytes) each annotated
// line's bytes point back to it.
void verificaOrigens(const std::string& programa, const std::vector<std::string>& linhas,
                     const Montador& semRegistro, const Expectativas& esperado) {
    Montagem montagem;
    montagem.registraOrigens(true);
    try {
        montagem.monta(maquinaPorExtensao(programa), linhas);
    } catch (const ValorInteiroInvalido&) { // the first run has checked it
    }
    EXPECT_EQ(montagem.memoria(), semRegistro.memoria);
    EXPECT_EQ(montagem.mensagens(), semRegistro.mensagens());
    ASSERT_EQ(montagem.origens().size(), size_t{kTamanhoMemoria});
    for (const auto& [indice, bytes] : esperado.bytesLinha) {
        if (!semRegistro.mensagens().empty() || !esperado.abandono.empty()) break;
        const int32_t endereco = montagem.enderecosLinhas()[indice];
        for (size_t k = 0; k < teste::leBytes(bytes).size(); ++k)
            EXPECT_EQ(montagem.linhaDoByte(endereco + static_cast<int32_t>(k)), indice)
                << "linha " << indice + 1 << ", byte " << k;
    }
    for (int32_t endereco = 0; endereco < kTamanhoMemoria; ++endereco) {
        const int32_t linha = montagem.linhaDoByte(endereco);
        if (montagem.memoria()[static_cast<size_t>(endereco)] != 0) {
            EXPECT_GE(linha, 0) << endereco;
        }
        EXPECT_LT(linha, static_cast<int32_t>(linhas.size())) << endereco;
    }
    montagem.registraOrigens(false);
    montagem.monta(maquinaPorExtensao(programa), {});
    EXPECT_TRUE(montagem.origens().empty() && montagem.enderecosLinhas().empty());
    EXPECT_EQ(montagem.linhaDoByte(0), -1);
}

class Programa : public testing::TestWithParam<std::string> {};

TEST_P(Programa, MontaComoAnotado) {
    // The annotated programs are written in UTF-8, byte-order mark or not.
    const fs::path caminho = fs::path(ORVANDEL_PROGRAMAS) / GetParam();
    ASSERT_TRUE(fs::is_regular_file(caminho)) << "o programa sumiu: " << caminho;
    std::string bytes = teste::leArquivo(caminho);
    if (!bytes.starts_with("\xEF\xBB\xBF")) bytes.insert(0, "\xEF\xBB\xBF");
    const std::vector<std::string> linhas = decodificaFonte(bytes).linhas;
    const Expectativas esperado = leExpectativas(linhas);
    Montador m;
    Rastreio rastreio;
    m.rastreio = &rastreio;
    std::string abandono;
    try {
        m.monta(maquinaPorExtensao(GetParam()), linhas);
    } catch (const ValorInteiroInvalido& e) {
        abandono = std::to_string(e.numLinha() + 1) + " " + e.what();
    }
    EXPECT_EQ(abandono, esperado.abandono);
    EXPECT_EQ(teste::linhasMensagens(m), esperado.mensagens);
    for (const auto& [indice, bytes] : esperado.bytesLinha) {
        ASSERT_LT(indice, rastreio.passagem2.size());
        const int32_t endereco = rastreio.passagem2[indice];
        const auto quantos = static_cast<int>(teste::leBytes(bytes).size());
        EXPECT_EQ(bytesEm(m, endereco, quantos), bytes) << "linha " << indice + 1;
    }
    for (const auto& [endereco, bytes] : esperado.bytesEndereco) {
        const auto quantos = static_cast<int>(teste::leBytes(bytes).size());
        EXPECT_EQ(bytesEm(m, endereco, quantos), bytes) << "endereço " << endereco;
    }
    for (const auto& [nome, valor] : esperado.simbolos)
        EXPECT_EQ(m.tabSimbolos.busca(nome), std::optional<int32_t>(valor)) << nome;
    if (m.contErros() == 0 && abandono.empty()) {
        EXPECT_EQ(rastreio.passagem1, rastreio.passagem2) << "as passagens divergem";
    }
    verificaOrigens(GetParam(), linhas, m, esperado);
}

INSTANTIATE_TEST_SUITE_P(Arquivos, Programa, testing::ValuesIn(programas()), nomeCaso);

} // namespace
} // namespace orvandel
