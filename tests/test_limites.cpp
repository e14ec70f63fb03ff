// Hostile sources at the edges: huge lines and files, a full symbol table, the extreme array
// sizes and numerals, and texts made of nothing but separators, apostrophes or NUL bytes.
#include <gtest/gtest.h>

#include <algorithm>

#include "alocacao.hpp"
#include "apoio.hpp"
#include "fonte.hpp"

namespace orvandel {
namespace {

using Linhas = std::vector<std::string>;

constexpr size_t kDezMegas = 10u << 20;
const std::string kSemCodigo = ". Não será gerado código para esta linha ";

std::string naoIdentificada(int linha, const std::string& operacao) {
    return std::to_string(linha) + " (ERRO) - Operação não identificada: " + operacao + kSemCodigo;
}

// The outcome of one run, an abandoned one included.
struct Resultado {
    std::unique_ptr<Montador> m = std::make_unique<Montador>();
    std::string abandono;
};

Resultado executa(Maquina maquina, const Linhas& linhas) {
    Resultado r;
    try {
        r.m->monta(maquina, linhas);
    } catch (const ValorInteiroInvalido& e) {
        r.abandono = e.what();
    }
    return r;
}

struct CasoLinhaLonga {
    std::string nome;
    std::string linha;
    Linhas mensagens;
    std::string bytes; // at address 0
};

TEST(Limites, LinhaDeDezMegasSoOsPrimeirosMilCaracteres) {
    const std::string separadores(kDezMegas / 2, ' ');
    const std::vector<CasoLinhaLonga> casos = {
        {"separadores antes", separadores + "\t,:HLT", {}, "F0"},
        {"sem separadores",
         std::string(kDezMegas, 'A'),
         {naoIdentificada(1, std::string(1000, 'A'))},
         "00"},
        {"operando no milésimo caractere",
         separadores + "NOP" + std::string(996, ' ') + std::string(kDezMegas, 'X'),
         {"1 (ERRO) - Número ou tipo de operando inválido!!!"},
         "00"},
        {"operando logo depois",
         separadores + "NOP" + std::string(997, ' ') + std::string(kDezMegas, 'X'),
         {},
         "00"},
        {"comentário longo", "HLT ;" + std::string(kDezMegas, ';'), {}, "F0"},
    };
    for (const CasoLinhaLonga& caso : casos) {
        Montador m;
        const Linhas linhas{caso.linha};
        teste::MedidorAlocacao medidor;
        m.monta(Maquina::Zibel, linhas);
        EXPECT_LT(medidor.total(), 1u << 16) << caso.nome; // never a copy of the line
        EXPECT_EQ(teste::linhasMensagens(m), caso.mensagens) << caso.nome;
        EXPECT_EQ(teste::bytesEm(m, 0, 1), caso.bytes) << caso.nome;
    }
}

TEST(Limites, UmMilhaoDeLinhas) {
    std::string texto;
    for (int i = 0; i < 999998; ++i) texto += "ORG 5\r\n";
    texto += "HLT\r\nFOO";
    TextoFonte fonte;
    {
        teste::MedidorAlocacao medidor;
        fonte = decodificaFonte(texto);
        // The lines themselves and the list that holds them; nothing per line of the whole text.
        EXPECT_LT(medidor.total(),
                  2 * texto.size() + fonte.linhas.size() * 2 * sizeof(std::string));
    }
    ASSERT_EQ(fonte.linhas.size(), 1000000u);
    Montador m;
    Rastreio rastreio;
    m.rastreio = &rastreio;
    m.monta(Maquina::Kovra, fonte.linhas);
    EXPECT_EQ(teste::linhasMensagens(m), Linhas{naoIdentificada(1000000, "FOO")});
    EXPECT_EQ(teste::bytesEm(m, 4, 3), "00 F0 00");
    ASSERT_EQ(rastreio.passagem2.size(), 1000000u);
    EXPECT_EQ(rastreio.passagem2.back(), 6);
}

TEST(Limites, MilSimbolosCabemOMilesimoPrimeiroNao) {
    struct Caso {
        int simbolos;
        Linhas mensagens;
        std::string bytes;
    };
    const std::vector<Caso> casos = {
        {1000, {}, "20 E8"},
        {1001, {"1002 (ERRO) - Operando indefinido: S1001"}, "20 00"},
    };
    for (const Caso& caso : casos) {
        Linhas linhas;
        for (int i = 1; i <= caso.simbolos; ++i)
            linhas.push_back("S" + std::to_string(i) + ": EQU " + std::to_string(i));
        linhas.push_back("LDA S" + std::to_string(caso.simbolos));
        const auto m = teste::monta(Maquina::Zibel, linhas);
        EXPECT_EQ(teste::linhasMensagens(*m), caso.mensagens) << caso.simbolos;
        EXPECT_EQ(teste::bytesEm(*m, 0, 2), caso.bytes) << caso.simbolos;
        ASSERT_EQ(m->tabSimbolos.entradas().size(), 1000u);
        EXPECT_EQ(m->tabSimbolos.entradas().back().nome, "S1000");
        EXPECT_EQ(m->tabSimbolos.busca("S1001"), std::nullopt);
    }
}

struct CasoArray {
    Maquina maquina;
    Linhas linhas; // the last one is "FIM:", which takes the counter after the array
    int32_t fim;
    Linhas mensagens;
};

std::string foraDoEspaco(const std::string& diretiva, int linha, const std::string& endereco) {
    return std::to_string(linha) + " (ERRO) - " + diretiva +
           ": Não é possível reservar array fora do espaço de memória (endereço " + endereco + ")";
}

TEST(Limites, TamanhosExtremosDeDabEDaw) {
    const auto duas = [](const std::string& mensagem) { return Linhas{mensagem, mensagem}; };
    const std::vector<CasoArray> casos = {
        {Maquina::Zibel, {"DAB [256]", "FIM:"}, 256, {}},
        {Maquina::Zibel, {"DAB [257]", "FIM:"}, 0, duas(foraDoEspaco("DAB", 1, "256"))},
        {Maquina::Kovra, {"DAW [128]", "FIM:"}, 256, {}},
        {Maquina::Kovra, {"DAW [129]", "FIM:"}, 0, duas(foraDoEspaco("DAW", 1, "257"))},
        {Maquina::Jelmo, {"DAB [65536]", "FIM:"}, 65536, {}},
        {Maquina::Jelmo, {"DAB [65537]", "FIM:"}, 0, duas(foraDoEspaco("DAB", 1, "65536"))},
        {Maquina::Jelmo, {"DAW [32769]", "FIM:"}, 0, duas(foraDoEspaco("DAW", 1, "65537"))},
        {Maquina::Zibel,
         {"DAB [2147483647]", "FIM:"},
         0,
         duas(foraDoEspaco("DAB", 1, "2147483646"))},
        {Maquina::Zibel,
         {"DAB [+2147483647]", "FIM:"},
         0,
         duas(foraDoEspaco("DAB", 1, "2147483646"))},
        {Maquina::Zibel,
         {"DAW [2147483647]", "FIM:"},
         0,
         duas(foraDoEspaco("DAW", 1, "4294967293"))},
        {Maquina::Quirla, {"ORG 10", "DAB [-2]", "FIM:"}, 8, {}},
        {Maquina::Quirla,
         {"DAB [-2147483648]", "FIM:"},
         0,
         duas(foraDoEspaco("DAB", 1, "-2147483649"))},
        {Maquina::Jelmo,
         {"ORG 10", "DAW [-1073741824]", "FIM:"},
         0,
         duas(foraDoEspaco("DAW", 2, "-2147483639"))},
        // 2n is measured exactly: it never wraps around into an array that seems to fit.
        {Maquina::Jelmo,
         {"ORG 10", "DAW [-2147483648]", "FIM:"},
         0,
         duas(foraDoEspaco("DAW", 2, "-4294967287"))},
        {Maquina::Jelmo,
         {"ORG 10", "DAW [2147483647]", "FIM:"},
         0,
         duas(foraDoEspaco("DAW", 2, "4294967303"))},
    };
    for (const CasoArray& caso : casos) {
        const auto m = teste::monta(caso.maquina, caso.linhas);
        const std::string& array = caso.linhas[caso.linhas.size() - 2];
        EXPECT_EQ(m->tabSimbolos.busca("FIM"), std::optional<int32_t>(caso.fim)) << array;
        EXPECT_EQ(teste::linhasMensagens(*m), caso.mensagens) << array;
    }
}

TEST(Limites, TamanhoEnormeZeraAteOFimDaImagemENadaAlem) {
    for (const char* array : {"DAB [2147483647]", "DAW [2147483647]", "DAW [1073741824]"}) {
        const auto m = teste::monta(
            Maquina::Jelmo, {"ORG 9", "DB 7", "ORG 65532", "DW -1", "DW -1", "ORG 10", array});
        EXPECT_EQ(teste::bytesEm(*m, 8, 3), "00 07 00") << array;
        EXPECT_EQ(teste::bytesEm(*m, 65532, 4), "00 00 00 00") << array;
    }
}

struct CasoNumeral {
    std::string numeral;
    int32_t valor;
};

TEST(Limites, NumeraisNosLimitesDe32Bits) {
    const std::vector<CasoNumeral> casos = {
        {"2147483647", 2147483647},
        {"+2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"#-2147483648", INT32_MIN},
        {"00000000002147483647", 2147483647},
        {"H7FFFFFFF", 2147483647},
        {"H80000000", INT32_MIN},
        {"hffffffff", -1},
        {"H000000000080000000", INT32_MIN},
    };
    for (const CasoNumeral& caso : casos) {
        const auto m = teste::monta(Maquina::Zibel, {"X: EQU " + caso.numeral});
        EXPECT_EQ(m->tabSimbolos.busca("X"), std::optional<int32_t>(caso.valor)) << caso.numeral;
        EXPECT_EQ(m->contErros(), 0) << caso.numeral;
    }
    // Displacements wrap around as two's complement.
    const auto m = teste::monta(Maquina::Zibel, {"MAX: EQU 2147483647", "MIN: EQU MAX+1",
                                                 "DE_VOLTA: EQU MIN-1", "LDA MAX+H80000001"});
    EXPECT_EQ(m->tabSimbolos.busca("MIN"), std::optional<int32_t>(INT32_MIN));
    EXPECT_EQ(m->tabSimbolos.busca("DE_VOLTA"), std::optional<int32_t>(2147483647));
    EXPECT_EQ(teste::bytesEm(*m, 0, 2), "20 00");
    EXPECT_EQ(m->contErros(), 0);
}

struct CasoAbandono {
    std::string linha;
    std::string texto;
    Linhas mensagens;
    std::optional<int32_t> y; // the label of the last line, when pass 1 got that far
};

TEST(Limites, UmAlemDoLimiteAbandonaAMontagem) {
    const auto valorInvalido = [](const std::string& t) {
        return "'" + t + "' não é um valor inteiro válido";
    };
    const Linhas soFoo = {naoIdentificada(1, "FOO")};
    const Linhas fooEBar = {naoIdentificada(1, "FOO"), naoIdentificada(3, "BAR")};
    const std::vector<CasoAbandono> casos = {
        // Converted in pass 1: nothing after the line is looked at.
        {"X: EQU 2147483648", valorInvalido("2147483648"), soFoo, std::nullopt},
        {"X: EQU -2147483649", valorInvalido("-2147483649"), soFoo, std::nullopt},
        {"X: EQU #h100000000", valorInvalido("H100000000"), soFoo, std::nullopt},
        {"DAB [2147483648]", valorInvalido("2147483648"), soFoo, std::nullopt},
        {"DAW [-2147483649]", valorInvalido("-2147483649"), soFoo, std::nullopt},
        // Converted in pass 2: pass 1 has run to the end, pass 2 stops at the line.
        {"DW 99999999999999999999999999", valorInvalido("99999999999999999999999999"), fooEBar, 2},
        {"4294967296", valorInvalido("4294967296"), fooEBar, 1},
        {"LDA H100000000", valorInvalido("H100000000"), fooEBar, 2},
    };
    for (const CasoAbandono& caso : casos) {
        const Resultado r = executa(Maquina::Kovra, {"FOO", caso.linha, "BAR", "Y: HLT"});
        EXPECT_EQ(r.abandono, caso.texto) << caso.linha;
        EXPECT_EQ(teste::linhasMensagens(*r.m), caso.mensagens) << caso.linha;
        EXPECT_EQ(r.m->tabSimbolos.busca("X"), std::nullopt) << caso.linha;
        EXPECT_EQ(r.m->tabSimbolos.busca("Y"), caso.y) << caso.linha;
        EXPECT_EQ(std::count(r.m->memoria.begin(), r.m->memoria.end(), 0xF0), 0)
            << caso.linha; // no HLT
    }
}

TEST(Limites, SoSeparadores) {
    Linhas linhas = {std::string(kDezMegas, ' ')};
    for (int i = 0; i < 10000; ++i)
        linhas.insert(linhas.end(), {"", " ", "\t\t", ",,,", ":::", " \t,: \t,:"});
    const auto m = teste::monta(Maquina::Jelmo, linhas);
    EXPECT_TRUE(m->mensagens().empty());
    EXPECT_TRUE(m->tabSimbolos.entradas().empty());
    EXPECT_EQ(m->memoria, Memoria{});
}

TEST(Limites, SoApostrofos) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"'", "'"},
        {"''", "''"},
        {"'''", "'''"},
        {"''''", "'''"},
        {"'''''", "'''"},
        {"';'", "';'"},
        {"'';'", "''"},
        {std::string(2000, '\''), "'''"},
        {std::string(kDezMegas, '\''), "'''"},
    };
    for (const auto& [linha, operacao] : casos) {
        const auto m = teste::monta(Maquina::Quirla, {linha});
        EXPECT_EQ(teste::linhasMensagens(*m), Linhas{naoIdentificada(1, operacao)})
            << linha.substr(0, 10);
    }
}

TEST(Limites, ArquivoDeBytesNulos) {
    const std::string nulo(1, '\0');
    const std::vector<std::pair<std::string, Linhas>> casos = {
        {std::string(1u << 20, '\0'), {naoIdentificada(1, std::string(1000, '\0'))}},
        {nulo + "\r\n" + nulo + "\n" + nulo,
         {naoIdentificada(1, nulo), naoIdentificada(2, nulo), naoIdentificada(3, nulo)}},
    };
    for (const auto& [bytes, mensagens] : casos) {
        const auto m = teste::monta(Maquina::Zibel, decodificaFonte(bytes).linhas);
        EXPECT_EQ(teste::linhasMensagens(*m), mensagens) << bytes.size();
    }
}

} // namespace
} // namespace orvandel
