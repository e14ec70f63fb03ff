// Pass 1's rehearsal of pass 2 and its splitting ahead on a second thread only save time: with
// them and without them, every run gives the same image, messages, symbols, origins and
// abandonment, on every machine.
#include <gtest/gtest.h>

#include <filesystem>

#include "apoio.hpp"
#include "fonte.hpp"

namespace orvandel {
namespace {

struct Resultado {
    Memoria memoria;
    std::vector<std::string> mensagens;
    std::vector<std::pair<std::string, int32_t>> simbolos;
    std::vector<int32_t> origens;
    std::string abandono;

    bool operator==(const Resultado&) const = default;
};

enum class Modo { Simples, Ensaiado, Adiantado };

// A run that records no origins places the rehearsed lines in pass 2 by a loop of its own.
Resultado executa(Maquina maquina, const std::vector<std::string>& linhas, Modo modo,
                  bool registraOrigens = true) {
    Montador m;
    Resultado r;
    m.ensaiaPassagem2 = modo != Modo::Simples;
    m.linhasParaSepararAdiante = modo == Modo::Adiantado ? 0 : SIZE_MAX;
    m.origens = registraOrigens ? &r.origens : nullptr;
    try {
        m.monta(maquina, linhas);
    } catch (const ValorInteiroInvalido& e) {
        r.abandono = e.what();
    }
    r.memoria = m.memoria;
    r.mensagens = teste::linhasMensagens(m);
    for (const tipoSimbolo& s : m.tabSimbolos.entradas()) r.simbolos.emplace_back(s.nome, s.valor);
    return r;
}

void confere(const std::string& nome, const std::vector<std::string>& linhas) {
    for (Maquina maquina : kMaquinas) {
        const Resultado simples = executa(maquina, linhas, Modo::Simples);
        EXPECT_TRUE(executa(maquina, linhas, Modo::Ensaiado) == simples)
            << nome << " em " << nomeMaquina(maquina);
        EXPECT_TRUE(executa(maquina, linhas, Modo::Adiantado) == simples)
            << nome << " em " << nomeMaquina(maquina) << ", separado adiante";
        Resultado semOrigens = executa(maquina, linhas, Modo::Ensaiado, false);
        semOrigens.origens = simples.origens;
        EXPECT_TRUE(semOrigens == simples)
            << nome << " em " << nomeMaquina(maquina) << ", sem origens";
    }
}

TEST(Ensaio, ProgramasAnotadosEExemplosMontamIgual) {
    namespace fs = std::filesystem;
    size_t fontes = 0;
    for (const char* pasta : {ORVANDEL_PROGRAMAS, ORVANDEL_EXEMPLOS})
        for (const auto& entrada : fs::recursive_directory_iterator(pasta)) {
            if (!entrada.is_regular_file()) continue;
            confere(entrada.path().string(),
                    decodificaFonte(teste::leArquivo(entrada.path())).linhas);
            ++fontes;
        }
    EXPECT_GT(fontes, 20u);
}

// What a rehearsal in pass 1 cannot know: symbols defined further on (HFF is a name and, until
// it is defined, a hexadecimal numeral), lower case that pass 1 reads upper-cased, a refused
// line after which pass 2 counts otherwise, an abandoned run after pass 2 has reported, the
// writes and reports at the edge of memory, and data lines (a character as written, a run of
// zeros written past the image's checks, a value out of range, a numeral that abandons).
TEST(Ensaio, CasosQueOEnsaioNaoPodeAntecipar) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> casos = {
        {"adiante",
         {"  JMP FIM", "  MOV X(R1), Y", "  BNE FIM", "  LDA FIM", "FIM: HLT", "X: EQU 5",
          "Y: DB 1"}},
        {"nome que é numeral", {"  JMP HFF", "  LDA HFF", "  MOV #HFF, R1", "HFF: HLT"}},
        {"minúsculas", {"a: equ 1ah", "  mov a(r7), #'b'", "  jmp a+1ah(r2)", "  lda a+1ah"}},
        {"recusada", {"I: NOP", "  MOV R1, R2, R3, R4, R5", "  BNE I", "  LDA I", "  SOB R1, I"}},
        {"abandono", {"  MOV R9, R1", "  JMP 99999999999(R1)", "  LDA 99999999999"}},
        {"fim da memória", {"  ORG 65533", "  MOV #1, R1", "  ORG 254", "  LDA 1", "  JMP R1"}},
        {"dados",
         {"X: DB 'a'", "  DW FIM", "  DW X", "  DAB [3]", "  DAB 'Oi', 5", "  DAW 1, 2", "  h1f",
          "  DB 300", "  ORG 1", "  DB X", "  ORG 254", "  DW 1", "FIM: DB 7"}},
        {"dado abandona", {"  DB 1", "  DW FIM", "  4294967296", "FIM: DB 2"}},
    };
    for (const auto& [nome, linhas] : casos) confere(nome, linhas);
}

// A source long enough for the thread that splits ahead to go round its ring (32,768 lines),
// with lines it leaves to the pass (quoted text, many operands, UTF-8) among those it splits.
TEST(Ensaio, FonteLongaSeparadaAdianteMontaIgual) {
    const std::vector<std::string> modelo = {
        "L{}: MOV X(R1), R2",
        "  jmp l{}",
        "  DAB 'a;b', 1, 2, 3, 4, 5",
        "  ; comentário",
        "",
        "  LDA FIM ; adiante",
        "X{}: equ {}",
        "  ação R1",
        "  SOB R1, L{}",
        "  DW 1, 2",
        "  ADD #X{}, (R3)+",
        "\t\t  HLT",
    };
    std::vector<std::string> linhas;
    for (int i = 0; linhas.size() < 50'000; ++i)
        for (std::string linha : modelo) {
            for (size_t p; (p = linha.find("{}")) != std::string::npos;)
                linha.replace(p, 2, std::to_string(i));
            linhas.push_back(linha);
        }
    linhas.push_back("FIM: HLT");
    confere("fonte longa", linhas);
}

} // namespace
} // namespace orvandel
