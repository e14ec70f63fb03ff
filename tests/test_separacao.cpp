// The records that the thread ahead of pass 1 makes: the same tokens and instruction row that
// splitting the line in the pass gives, with the Jelmo length that pass 1 keeps silently, or the
// line left to the pass where a record cannot hold it.
#include <gtest/gtest.h>

#include "linha.hpp"
#include "separacao.hpp"

namespace orvandel {
namespace {

using Estado = LinhaSeparada::Estado;

struct CasoSeparada {
    std::string linha;
    CodificacaoLinhas codificacao;
    Estado estado;
    int tamanhoJelmo = 0; // in a Jelmo run; none in a Kovra one
};

TEST(SeparaAdiante, DaOQueAPassagemDaria) {
    const std::string longe(70'000, ' ');
    const std::vector<CasoSeparada> casos = {
        {"", CodificacaoLinhas::Cp1252, Estado::SemTokens},
        {" \t ; só comentário", CodificacaoLinhas::Cp1252, Estado::SemTokens},
        {"LOOP: add X(R1), -(R2) ; soma", CodificacaoLinhas::Cp1252, Estado::Separada, 4},
        {"  dab 'a;b', 1, 2", CodificacaoLinhas::Cp1252, Estado::Separada},
        {"FIM:", CodificacaoLinhas::Cp1252, Estado::Separada},
        {"  NOPE 1, 2, 3, 4", CodificacaoLinhas::Cp1252, Estado::Separada},
        {"  DAB 1, 2, 3, 4, 5", CodificacaoLinhas::Cp1252, Estado::PelaPassagem},
        {"  a\xE7\xE3o R1", CodificacaoLinhas::Cp1252, Estado::Separada},
        {"  ação R1", CodificacaoLinhas::Utf8, Estado::PelaPassagem},
        {"  MOV R1, R2 ; comentário", CodificacaoLinhas::Utf8, Estado::Separada, 2},
        {longe + "JMP X", CodificacaoLinhas::Cp1252, Estado::PelaPassagem},
        {"  JMP X" + longe + "Y", CodificacaoLinhas::Cp1252, Estado::Separada, 4},
        {"  clr ((r1)+)", CodificacaoLinhas::Cp1252, Estado::Separada, 2},
        {"  MOV #5, (X-3(R7))", CodificacaoLinhas::Cp1252, Estado::Separada, 6},
        // A displacement that may report, or a wrong operand count: the pass works it out.
        {"  MOV 9999999999(R1), R2", CodificacaoLinhas::Cp1252, Estado::Separada},
        {"  MOV X+9999999999(R1), R2", CodificacaoLinhas::Cp1252, Estado::Separada},
        {"  CLR R1, R2", CodificacaoLinhas::Cp1252, Estado::Separada},
        {"  HLT", CodificacaoLinhas::Cp1252, Estado::Separada}, // its row's length is enough
    };
    for (Maquina maquina : {Maquina::Jelmo, Maquina::Kovra}) {
        TabelaInstrucoes instrucoes;
        instrucoes.carrega(maquina);
        for (const CasoSeparada& caso : casos) {
            SCOPED_TRACE(caso.linha.substr(0, 40));
            elemLinha ahead, naPassagem;
            std::string buffer, outro;
            LinhaSeparada s;
            separaAdiante(caso.linha, caso.codificacao, instrucoes, ahead, buffer, s);
            EXPECT_EQ(s.estado, caso.estado);
            if (s.estado != Estado::Separada) continue;
            const std::string_view texto = trechoDivisivel(caso.linha, outro, caso.codificacao);
            ASSERT_TRUE(separaLinha(texto, naPassagem));
            EXPECT_EQ(s.texto.em(caso.linha), texto);
            elemLinha doRegistro{"velho", "VELHO", {"a", "b", "c", "d", "e", "f"}};
            s.preenche(doRegistro, caso.linha);
            EXPECT_EQ(doRegistro.rotulo, naPassagem.rotulo);
            EXPECT_EQ(doRegistro.operacao, naPassagem.operacao);
            EXPECT_EQ(doRegistro.operandos, naPassagem.operandos);
            const tipoInstrucao* linhaDaTabela =
                s.instrucao < 0 ? nullptr : &instrucoes.entradas()[size_t(s.instrucao)];
            EXPECT_EQ(linhaDaTabela, naPassagem.operacao.empty()
                                         ? nullptr
                                         : instrucoes.buscaEmQualquerCaixa(naPassagem.operacao));
            EXPECT_EQ(s.tamanhoJelmo, ehJelmo(maquina) ? caso.tamanhoJelmo : 0);
        }
    }
}

} // namespace
} // namespace orvandel
