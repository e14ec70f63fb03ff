// Jelmo's instruction lengths.
#include <gtest/gtest.h>

#include "apoio.hpp"
#include "linha.hpp"
#include "passagens.hpp"

namespace orvandel {
namespace {

struct CasoTamanho {
    Maquina maquina;
    std::string linha;
    int32_t tamanho;
    std::vector<std::string> mensagens;
};

TEST(TamanhoInstrucao, PelasFormasDosOperandos) {
    const std::string contagem = "1 (ERRO) - Instrução com número inválido de operandos";
    const Maquina J = Maquina::Jelmo;
    const std::vector<CasoTamanho> casos = {
        {J, "MOV R1, R2", 2, {}},          {J, "MOV #1, R2", 4, {}},
        {J, "MOV X, Y", 6, {}},            {J, "MOV 2(R1), (R2)+", 4, {}},
        {J, "MOV (2(R1)), -(R2)", 4, {}},  {J, "ADD (R1)+, 4(R2)", 4, {}},
        {J, "mov r1,r2", 2, {}},           {J, "MOV FWD(R1), R2", 4, {}},
        {J, "CLR R1", 2, {}},              {J, "CLR (R1)", 2, {}},
        {J, "CLR X", 4, {}},               {J, "CLR #3", 4, {}},
        {J, "JMP 6(R1)", 4, {}},           {J, "JSR R7, SUB1", 4, {}},
        {J, "JSR R5, (R1)", 2, {}},        {J, "JSR X, SUB1", 6, {}},
        {J, "BR X", 2, {}},                {J, "SOB R1, X", 2, {}},
        {J, "BR", 2, {}},                  {J, "NOP", 1, {}},
        {J, "CCC NZ", 1, {}},              {J, "RTS R7", 1, {}},
        {J, "MOV R1", 5, {contagem}},      {J, "CLR", 4, {contagem}},
        {J, "JSR R1, R2, R3", 4, {contagem}}, {J, "JMP R1, R2", 4, {contagem}},
        {J, "MOV X+Q(R1), R2", 4, {"1 (ERRO) - Número inválido: Q"}},
        {Maquina::Zibel, "LDA X Y", 2, {}}, {Maquina::Kovra, "SHL 1", 1, {}},
        {Maquina::Quirla, "LDR A, #1, X", 2, {}},
    };
    for (const CasoTamanho& caso : casos) {
        Montador m;
        m.maquina = caso.maquina;
        m.tabInstrucoes.carrega(caso.maquina);
        m.tabSimbolos.insereSimbolo("X", 300);
        elemLinha e;
        ASSERT_TRUE(separaLinha(caso.linha, e));
        EXPECT_EQ(tamanhoInstrucao(m, e.operacao, e.operandos, 0), caso.tamanho) << caso.linha;
        EXPECT_EQ(teste::linhasMensagens(m), caso.mensagens) << caso.linha;
    }
}

} // namespace
} // namespace orvandel
