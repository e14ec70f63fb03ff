// Jelmo's instruction lengths, both passes agreeing on random well-formed programs, and a real
// program through orvandel-cli.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "apoio.hpp"
#include "cli.hpp"
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
        {J, "MOV X, Y", 6, {}},
        {J, "MOV (2(R1)), -(R2)", 4, {}},
        {J, "CLR (R1)", 2, {}},
        {J, "JSR R5, (R1)", 2, {}},
        {J, "BR", 2, {}},
        {J, "CCC NZ", 1, {}},
        {J, "MOV R1", 5, {contagem}},
        {J, "JMP R1, R2", 4, {contagem}},
        {J, "MOV X+Q(R1), R2", 4, {"1 (ERRO) - Número inválido: Q"}},
        {J, "mov x, (r1)+", 4, {}},
        {J, "clr x+q(r1)", 4, {"1 (ERRO) - Número inválido: Q"}},
        {J, "jsr r5, -(r1)", 2, {}},
        {J, "MOVE X, Y", 0, {}},
        {J, "MOV (R1), ((R2)+)", 2, {}},
        {J, "MOV (-(R1)), R1", 2, {}},
        {J, "CLR (X+Q(R1))", 4, {"1 (ERRO) - Número inválido: Q"}},
        {J, "CLR (R1)+)", 4, {}},
        {J, "CLR #1(R1)", 4, {}},
        {Maquina::Zibel, "LDA X Y", 2, {}},
        {Maquina::Kovra, "SHL 1", 1, {}},
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

// Random well-formed lines of every instruction class and addressing form, each with the length
// that the forms it chose must take. Labels L1 to Ln name the lines and are used anywhere.
class GeradorJelmo {
  public:
    struct Linha {
        std::string texto;
        int32_t tamanho;
    };

    GeradorJelmo(uint32_t semente, int linhas) : aleatorio_(semente), linhas_(linhas) {}

    Linha linha() {
        Linha l = instrucao();
        if (sorteia(0, 3) == 0)
            for (char& c : l.texto)
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return l;
    }

    int sorteia(int de, int ate) { return std::uniform_int_distribution<int>(de, ate)(aleatorio_); }

  private:
    struct Operando {
        std::string texto;
        bool extra; // followed by a palavraExtra
    };

    std::mt19937 aleatorio_;
    int linhas_;

    template <size_t N> std::string umDe(const char* const (&opcoes)[N]) {
        return opcoes[sorteia(0, static_cast<int>(N) - 1)];
    }
    std::string registrador() { return "R" + std::to_string(sorteia(0, 7)); }
    std::string rotulo() { return "L" + std::to_string(sorteia(1, linhas_)); }

    // A numeral, a symbol reference, or (not as a displacement) a character literal.
    std::string valor(bool deslocamento) {
        char hexadecimal[8];
        std::snprintf(hexadecimal, sizeof hexadecimal, "H%X", sorteia(0, 0xFFFF));
        const std::string simbolo = rotulo();
        const int soma = sorteia(-9, 9);
        const char letra = static_cast<char>('A' + sorteia(0, 25));
        switch (sorteia(0, deslocamento ? 3 : 4)) {
        case 0:
            return std::to_string(sorteia(-32768, 65535));
        case 1:
            return hexadecimal;
        case 2:
            return simbolo;
        case 3:
            return simbolo + (soma < 0 ? "-" : "+") + std::to_string(std::abs(soma));
        default:
            return std::string("'") + letra + "'";
        }
    }

    Operando operando(bool registradorNu) {
        const std::string r = registrador();
        switch (sorteia(registradorNu ? 0 : 1, 11)) {
        case 0:
            return {r, false};
        case 1:
            return {"(" + r + ")+", false};
        case 2:
            return {"-(" + r + ")", false};
        case 3:
            return {valor(true) + "(" + r + ")", true};
        case 4:
            return {"(" + r + ")", false};
        case 5:
            return {"((" + r + ")+)", false};
        case 6:
            return {"(-(" + r + "))", false};
        case 7:
            return {"(" + valor(true) + "(" + r + "))", true};
        case 8:
            return {"#" + valor(false), true};
        case 9:
            return {valor(false), true};
        case 10:
            return {rotulo() + "(R7)", true};
        default:
            return {"(" + rotulo() + "(R7))", true};
        }
    }

    Linha comOperandos(const std::string& mnemonico, const std::vector<Operando>& operandos) {
        Linha l{mnemonico, 2};
        for (size_t i = 0; i < operandos.size(); ++i) {
            l.texto += (i ? ", " : " ") + operandos[i].texto;
            l.tamanho += operandos[i].extra ? 2 : 0;
        }
        return l;
    }

    Linha instrucao() {
        static const char* const kDois[] = {"MOV", "ADD", "SUB", "CMP", "AND", "OR"};
        static const char* const kUm[] = {"CLR", "NOT", "INC", "DEC", "NEG", "TST",
                                          "ROR", "ROL", "ASR", "ASL", "ADC", "SBC"};
        static const char* const kDesvios[] = {"BR",  "BNE", "BEQ", "BPL", "BMI",
                                               "BVC", "BVS", "BCC", "BCS", "BGE",
                                               "BLT", "BGT", "BLE", "BHI", "BLS"};
        static const char* const kUmByte[] = {"NOP", "HLT",      "RTI",      "RTS R3",
                                              "CCC", "SCC NZVC", "CCC N, C", "SCC V, Z"};
        const std::string dois = umDe(kDois), um = umDe(kUm), desvio = umDe(kDesvios);
        const std::string r = registrador(), alvo = rotulo();
        const std::string numeral = std::to_string(sorteia(-128, 127));
        const std::string& destino = sorteia(0, 1) ? alvo : numeral;
        switch (sorteia(0, 8)) {
        case 0:
            return comOperandos(dois, {operando(true), operando(true)});
        case 1:
            return comOperandos(um, {operando(true)});
        case 2:
            return comOperandos("JMP", {operando(false)});
        case 3:
            return comOperandos("JSR", {{r, false}, operando(false)});
        case 4:
            return {desvio + " " + destino, 2};
        case 5:
            return {"SOB " + r + ", " + alvo, 2};
        case 6:
            return {umDe(kUmByte), 1};
        default:
            return {numeral, 2};
        }
    }
};

// At most 20 lines of at most 6 bytes keep every branch and SOB target within reach.
TEST(PassagensJelmo, ConcordamEmProgramasGerados) {
    for (uint32_t semente = 1; semente <= 300; ++semente) {
        const int linhas = 1 + static_cast<int>(semente % 20);
        GeradorJelmo gerador(semente, linhas);
        std::vector<std::string> fonte = {"ORG " + std::to_string(gerador.sorteia(0, 65000))};
        std::vector<int32_t> tamanhos;
        for (int i = 1; i <= linhas; ++i) {
            const GeradorJelmo::Linha l = gerador.linha();
            fonte.push_back("L" + std::to_string(i) + ": " + l.texto);
            tamanhos.push_back(l.tamanho);
        }
        fonte.push_back("FIM: HLT");
        Montador m;
        Rastreio rastreio;
        m.rastreio = &rastreio;
        m.monta(Maquina::Jelmo, fonte);
        std::string programa;
        for (const std::string& linha : fonte) programa += linha + "\n";
        ASSERT_EQ(teste::linhasMensagens(m), std::vector<std::string>{}) << programa;
        ASSERT_EQ(rastreio.passagem1, rastreio.passagem2) << programa;
        for (int i = 1; i <= linhas; ++i) {
            const int32_t endereco = rastreio.passagem2[i];
            EXPECT_EQ(m.tabSimbolos.busca("L" + std::to_string(i)), endereco) << programa;
            EXPECT_EQ(rastreio.passagem2[i + 1] - endereco, tamanhos[i - 1]) << fonte[i];
        }
    }
}

// Pass 2 takes pass 1's length only where working it out reports nothing: a displacement "S+n"
// whose n is no numeral reports in pass 1 once S is defined, in pass 2, and again when an R7
// displacement needs the length; a defined S alone, or a fitting n, reports nowhere.
TEST(TamanhoInstrucao, MensagensDoComprimentoRepetidasEmCadaPassagem) {
    const std::vector<std::string> fonte = {
        "X: EQU 5", "  CLR X+Q(R7)",  "  CLR Y+Q(R1)", "  MOV X(R7), Y+1(R7)",
        "Y: EQU 3", "  CLR Y+H1(R2)",
    };
    const std::vector<std::string> esperado = {
        "2 (ERRO) - Número inválido: Q", "2 (ERRO) - Número inválido: Q",
        "2 (ERRO) - Número inválido: Q", "2 (ERRO) - Número inválido: Q",
        "3 (ERRO) - Número inválido: Q", "3 (ERRO) - Número inválido: Q",
    };
    EXPECT_EQ(teste::linhasMensagens(*teste::monta(Maquina::Jelmo, fonte)), esperado);
}

TEST(JelmoCli, ExemploGravaImagemCompletaEMapaDe65536Linhas) {
    teste::DiretorioTemporario dir;
    std::filesystem::copy_file(std::filesystem::path(ORVANDEL_EXEMPLOS) / "multiplica.jed",
                               dir / "multiplica.jed");
    const teste::Execucao r = teste::executaCli(dir.caminho(), "--mapa hex multiplica.jed");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.erros, "");
    EXPECT_TRUE(r.saida.starts_with(" Código gerado sem erros \n0 0\n"));
    EXPECT_EQ(std::count(r.saida.begin(), r.saida.end(), '\n'), 1 + 65536);
    EXPECT_NE(r.saida.find("\n100 9B\n101 C1\n102 1\n103 18\n104 97\n105 C2\n106 0\n107 12\n"),
              std::string::npos);
    EXPECT_TRUE(r.saida.ends_with("\nFFFF 0\n"));
    const std::string imagem = teste::leArquivo(dir / "multiplica.mem");
    ASSERT_EQ(imagem.size(), 65540u);
    EXPECT_EQ(imagem.substr(0, 4), "\x03J16");
    EXPECT_EQ(imagem.substr(4 + 0x110, 8), std::string("\xF0\x80\x00\xA0\x40\x52\x04\x75", 8));
}

} // namespace
} // namespace orvandel
