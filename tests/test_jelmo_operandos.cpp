// Jelmo's operand syntax: the register-form recognisers and the encoding of one general operand.
#include <gtest/gtest.h>

#include "apoio.hpp"
#include "jelmo_operandos.hpp"
#include "linha.hpp"
#include "texto.hpp"

namespace orvandel {
namespace {

// A Jelmo engine with X = 300 and T = 200 defined, as pass 2 sees it.
std::unique_ptr<Montador> montadorJelmo() {
    auto m = std::make_unique<Montador>();
    m->maquina = Maquina::Jelmo;
    m->tabInstrucoes.carrega(Maquina::Jelmo);
    m->tabSimbolos.insereSimbolo("X", 300);
    m->tabSimbolos.insereSimbolo("T", 200);
    return m;
}

struct CasoForma {
    std::string operando;
    std::string registrador; // empty: not a register form
    std::string deslocamento;
    int32_t valor;
    int modo;
};

TEST(OperandosJelmo, DecompoeAsFormasDeRegistrador) {
    const auto m = montadorJelmo();
    const std::vector<CasoForma> casos = {
        {"r3", "R3", "", 0, 0},
        {"(R1)+", "R1", "", 0, 1},
        {"-(R6)", "R6", "", 0, 2},
        {"(R2)", "R2", "", 0, 4},
        {"((R2)+)", "R2", "", 0, 5},
        {"(-(r2))", "R2", "", 0, 6},
        {"10(R3)", "R3", "10", 10, 3},
        {"(10(R3))", "R3", "10", 10, 7},
        {"-2(R1)", "R1", "-2", -2, 3},
        {"x+2(r1)", "R1", "X+2", 302, 3},
        {"(h1F(R0))", "R0", "H1F", 31, 7},
        {"(R7)+", "R7", "", 0, 1},
        {"Y(R1)", "", "", 0, 0},
        {"(R8)", "", "", 0, 0},
        {"((R1))", "", "", 0, 0},
        {"(X)", "", "", 0, 0},
        {"#10", "", "", 0, 0},
        {"X", "", "", 0, 0},
        {"'A'", "", "", 0, 0},
        {"#1(R1)", "", "", 0, 0},
        {"'A'(R1)", "", "", 0, 0},
        {"()", "", "", 0, 0},
        {"(R1)+)", "", "", 0, 0},
        {"", "", "", 0, 0},
        {"(r1)+", "R1", "", 0, 1},
        {"-(r6)", "R6", "", 0, 2},
        {"(r2)", "R2", "", 0, 4},
        {"((r2)+)", "R2", "", 0, 5},
        {"k(r7)", "", "", 0, 0},
        {"(x(r7))", "R7", "X", 300, 7},
    };
    for (const CasoForma& caso : casos) {
        const std::optional<FormaRegistrador> forma = decompoeOperando(*m, caso.operando, 0);
        ASSERT_EQ(forma.has_value(), !caso.registrador.empty()) << caso.operando;
        if (!forma) continue;
        EXPECT_EQ("R" + std::to_string(forma->registrador), caso.registrador) << caso.operando;
        EXPECT_EQ(maiusculas(forma->deslocamento), caso.deslocamento) << caso.operando;
        EXPECT_EQ(forma->valor, caso.valor) << caso.operando;
        EXPECT_EQ(forma->modo, caso.modo) << caso.operando;
    }
    EXPECT_TRUE(m->mensagens().empty());
}

struct CasoCodificacao {
    std::string linha; // at address 100; the operand under test is the first
    int modo, registrador;
    bool extra;
    std::string palavra; // the two bytes at 102 afterwards
    std::vector<std::string> mensagens;
};

TEST(OperandosJelmo, CodificaOperando) {
    // The other forms are checked byte for byte by the annotated programs; these are the results
    // that leave no trace in the image.
    const std::vector<CasoCodificacao> casos = {
        {"CLR (R7)+", 1, 7, false, "00 00", {}},
        {"MOV (T(R7)), X", 7, 7, true, "00 60", {}},
        {"CLR (r8)", 5, 7, true, "FF FF", {"1 (ERRO) - Operando mal formado: (r8)"}},
        {"CLR -32769",
         5,
         7,
         true,
         "00 00",
         {"1 (WARNING) - Valor -32769 (decimal) não é representável em 16 bits"}},
    };
    for (const CasoCodificacao& caso : casos) {
        const auto m = montadorJelmo();
        elemLinha e;
        ASSERT_TRUE(separaLinha(caso.linha, e));
        const tipoInstrucao* instrucao = m->tabInstrucoes.busca(maiusculas(e.operacao));
        ASSERT_TRUE(instrucao) << caso.linha;
        const LinhaJelmo linha{{*m, e.operandos, 0}, *instrucao->linha, 100};
        const bool fonte = e.operandos.size() == 2;
        const OperandoCodificado r = codificaOperando(linha, e.operandos[0], fonte, 102);
        EXPECT_EQ(r.modo, caso.modo) << caso.linha;
        EXPECT_EQ(r.registrador, caso.registrador) << caso.linha;
        EXPECT_EQ(r.temPalavraExtra, caso.extra) << caso.linha;
        EXPECT_EQ(teste::bytesEm(*m, 102, 2), caso.palavra) << caso.linha;
        EXPECT_EQ(teste::linhasMensagens(*m), caso.mensagens) << caso.linha;
    }
}

} // namespace
} // namespace orvandel
