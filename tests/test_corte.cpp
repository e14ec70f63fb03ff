// Cutting a text into lines: the count, the cut whole or a few lines at a time, and a run over a
// text that the thread ahead of pass 1 cuts as it goes, against the same text cut beforehand.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "corte.hpp"
#include "geracao.hpp"
#include "montagem.hpp"
#include "orvandel/texto.hpp"

namespace orvandel {
namespace {

// The rule, a byte at a time.
std::vector<std::string_view> linhasByteAByte(std::string_view texto) {
    std::vector<std::string_view> linhas;
    size_t inicio = 0;
    for (size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] != '\n' && texto[i] != '\r') continue;
        linhas.push_back(texto.substr(inicio, i - inicio));
        if (texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') ++i;
        inicio = i + 1;
    }
    if (inicio < texto.size()) linhas.push_back(texto.substr(inicio));
    return linhas;
}

// `texto` in an allocation of its own size, so that a read past it is caught by the sanitizer.
void confereCorte(const std::string& original) {
    const std::unique_ptr<char[]> bytes(new char[original.size()]);
    std::copy(original.begin(), original.end(), bytes.get());
    const std::string_view texto(bytes.get(), original.size());
    const std::vector<std::string_view> esperadas = linhasByteAByte(texto);
    ASSERT_EQ(contaLinhas(texto), esperadas.size()) << testing::PrintToString(original);
    const std::pmr::vector<std::string_view> vistas = vistasDasLinhas(texto);
    ASSERT_TRUE(std::equal(vistas.begin(), vistas.end(), esperadas.begin(), esperadas.end()))
        << testing::PrintToString(original);
    for (const size_t passo : {size_t{1}, size_t{3}}) { // a cut resumed in the middle of a block
        LinhasPorCortar porCortar(texto);
        for (size_t ate = passo; ate < porCortar.total() + passo; ate += passo)
            porCortar.cortaAte(ate);
        const std::span<const std::string_view> cortadas = porCortar.linhas();
        ASSERT_TRUE(
            std::equal(cortadas.begin(), cortadas.end(), esperadas.begin(), esperadas.end()))
            << testing::PrintToString(original) << " de " << passo << " em " << passo;
    }
}

TEST(Corte, IgualAByteAByte) {
    const std::string simbolos = "a\r\n";
    // Every text of up to seven of those bytes...
    for (size_t tamanho = 0; tamanho <= 7; ++tamanho) {
        size_t combinacoes = 1;
        for (size_t k = 0; k < tamanho; ++k) combinacoes *= simbolos.size();
        for (size_t n = 0; n < combinacoes; ++n) {
            std::string texto;
            for (size_t k = 0, resto = n; k < tamanho; ++k, resto /= simbolos.size())
                texto += simbolos[resto % simbolos.size()];
            confereCorte(texto);
        }
    }
    // ... and longer ones, where a CR LF may straddle two blocks.
    uint32_t estado = 12345;
    for (size_t tamanho = 14; tamanho <= 50; ++tamanho)
        for (int vez = 0; vez < 100; ++vez) {
            std::string texto;
            for (size_t k = 0; k < tamanho; ++k) {
                estado = estado * 1103515245u + 12345u;
                texto += simbolos[(estado >> 16) % simbolos.size()];
            }
            confereCorte(texto);
        }
}

// The count per lane would wrap past 255 in texts of line ends alone, longer than 255 blocks.
TEST(Corte, ContaTextosLongos) {
    for (const size_t tamanho : {size_t{255 * 16}, size_t{255 * 16 + 1}, size_t{100003}}) {
        EXPECT_EQ(contaLinhas(std::string(tamanho, '\n')), tamanho);
        EXPECT_EQ(contaLinhas(std::string(tamanho, '\r')), tamanho);
        std::string pares;
        for (size_t k = 0; k < tamanho; ++k) pares += "\r\n";
        EXPECT_EQ(contaLinhas(pares), tamanho);
    }
}

struct Resultado {
    Memoria memoria;
    std::vector<std::string> mensagens;
    std::vector<std::pair<std::string, int32_t>> simbolos;
    bool operator==(const Resultado&) const = default;
};

Resultado resultadoDe(const Montador& m) {
    Resultado r{m.memoria, teste::linhasMensagens(m), {}};
    for (const tipoSimbolo& s : m.tabSimbolos.entradas()) r.simbolos.emplace_back(s.nome, s.valor);
    return r;
}

// The source with each line end LF replaced: by `fins[k % fins.size()]` at line k.
std::string comFins(const std::string& fonte, const std::vector<std::string>& fins) {
    std::string texto;
    size_t linha = 0;
    for (const char c : fonte) {
        if (c == '\n')
            texto += fins[linha++ % fins.size()];
        else
            texto += c;
    }
    return texto;
}

// Sources of several rings' worth of lines (the thread sleeps a ring ahead, and cuts on waking),
// with every kind of line end, and sources too short for a block.
TEST(Corte, MontagemSobreOTextoCortadoAdiante) {
    using geracao::Dialeto;
    const std::vector<std::pair<Dialeto, Maquina>> maquinas = {{Dialeto::Zibel, Maquina::Zibel},
                                                               {Dialeto::Kovra, Maquina::Kovra},
                                                               {Dialeto::Quirla, Maquina::Quirla},
                                                               {Dialeto::Jelmo, Maquina::Jelmo}};
    for (const auto& [dialeto, maquina] : maquinas) {
        const std::string gerada = geracao::geraFonte(dialeto, 70'000, 7);
        for (const std::string& fonte :
             {gerada, comFins(gerada, {"\r\n"}), comFins(gerada, {"\r"}),
              comFins(gerada, {"\n", "\r\n", "\r"}), std::string(), std::string("  HLT")}) {
            Montador adiante;
            adiante.linhasParaSepararAdiante = 0;
            adiante.monta(maquina, fonte, CodificacaoLinhas::Cp1252);
            Montador antes;
            antes.linhasParaSepararAdiante = SIZE_MAX;
            antes.monta(maquina, vistasDasLinhas(fonte), CodificacaoLinhas::Cp1252);
            EXPECT_TRUE(resultadoDe(adiante) == resultadoDe(antes))
                << nomeMaquina(maquina) << ", " << fonte.size() << " bytes";
        }
    }
}

} // namespace
} // namespace orvandel
