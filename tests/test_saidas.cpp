// The image file and the symbol listing, byte for byte, and their atomic replacement.
#include <gtest/gtest.h>

#include <functional>

#include "apoio.hpp"
#include "cli.hpp"
#include "gravacao.hpp"
#include "imagem.hpp"
#include "listagem.hpp"
#include "saidas.hpp"

namespace orvandel {
namespace {

TEST(ArquivoMem, OitoBitsCelulasDeDoisBytes) {
    Memoria memoria{};
    memoria[0] = 0x20, memoria[1] = 0x80, memoria[255] = 0x7F, memoria[256] = 0x55;
    const std::string conteudo = conteudoArquivoMem(Maquina::Kovra, memoria);
    ASSERT_EQ(conteudo.size(), 516u);
    EXPECT_EQ(conteudo.substr(0, 8), std::string("\x03KVR\x20\x00\x80\x00", 8));
    EXPECT_EQ(conteudo.substr(514), std::string("\x7F\x00", 2));
    EXPECT_EQ(conteudoArquivoMem(Maquina::Zibel, Memoria{}).substr(0, 4), "\x03ZBL");
    EXPECT_EQ(conteudoArquivoMem(Maquina::Quirla, Memoria{}).substr(0, 4), "\x03QRL");
}

TEST(ArquivoMem, JelmoImagemInteira) {
    Memoria memoria{};
    memoria[0] = 0x12, memoria[1] = 0x34, memoria[65535] = 0xAB;
    const std::string conteudo = conteudoArquivoMem(Maquina::Jelmo, memoria);
    ASSERT_EQ(conteudo.size(), 65540u);
    EXPECT_EQ(conteudo.substr(0, 6), "\x03J16\x12\x34");
    EXPECT_EQ(static_cast<uint8_t>(conteudo.back()), 0xAB);
}

TEST(Listagem, ColunasFixasEmWindows1252) {
    TabelaSimbolos t;
    t.insereSimbolo("INICIO", 0);
    t.insereSimbolo("LOOP", 10);
    t.insereSimbolo("CONTADOR", 128);
    t.insereSimbolo("MENOS", -1);
    t.insereSimbolo("NOME_LONGO_X", 65535);
    EXPECT_EQ(conteudoTabSimb(t), "S\xEDmbolo     Valor Decimal   Valor Hexadecimal\r\n"
                                  "-------     -------------   -----------------\r\n"
                                  "INICIO                  0                   0\r\n"
                                  "LOOP                   10                   A\r\n"
                                  "CONTADOR              128                  80\r\n"
                                  "MENOS                  -1            FFFFFFFF\r\n"
                                  "NOME_LONGO_X          65535                FFFF\r\n");
    EXPECT_EQ(conteudoTabSimb(TabelaSimbolos{}),
              "S\xEDmbolo     Valor Decimal   Valor Hexadecimal\r\n"
              "-------     -------------   -----------------\r\n");
}

TEST(GravaAtomicamente, SubstituiInteiroOuNada) {
    teste::DiretorioTemporario dir;
    const auto alvo = dir / "a.mem";
    gravaAtomicamente(alvo, "velho");
    gravaAtomicamente(alvo, "novo");
    EXPECT_EQ(teste::leArquivo(alvo), "novo");
    EXPECT_THROW(gravaAtomicamente(dir / "falta" / "a.mem", "x"), FalhaArquivo);
    std::filesystem::create_directory(dir / "pasta.mem");
    EXPECT_THROW(gravaAtomicamente(dir / "pasta.mem", "x"), FalhaArquivo);
    // Nothing but the two targets is left behind: no temporary files.
    int arquivos = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.caminho()))
        ++arquivos;
    EXPECT_EQ(arquivos, 2);
}

// Files written together: each as if written alone, in order. The one that fails is left as it
// was, with the ones before it written and the ones after it not attempted.
TEST(GravaAtomicamente, GrupoParaNoArquivoQueFalha) {
    teste::DiretorioTemporario dir;
    std::filesystem::create_directory(dir / "pasta.map");
    for (const auto& nome : {"a.mem", "a.map", "b.mem"}) gravaAtomicamente(dir / nome, "velho");
    const Gravacao juntos[] = {{dir / "a.mem", "novo"}, {dir / "a.map", "novo"}};
    gravaAtomicamente(juntos);
    const Gravacao comFalha[] = {
        {dir / "b.mem", "novo"}, {dir / "pasta.map", "x"}, {dir / "a.mem", "outro"}};
    try {
        gravaAtomicamente(comFalha);
        ADD_FAILURE() << "a pasta no lugar do arquivo deveria falhar";
    } catch (const FalhaArquivo& falha) {
        EXPECT_NE(std::string(falha.what()).find("pasta.map"), std::string::npos) << falha.what();
    }
    for (const auto& [nome, conteudo] :
         {std::pair{"a.mem", "novo"}, std::pair{"a.map", "novo"}, std::pair{"b.mem", "novo"}})
        EXPECT_EQ(teste::leArquivo(dir / nome), conteudo) << nome;
    EXPECT_TRUE(std::filesystem::is_directory(dir / "pasta.map"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.caminho()),
                            std::filesystem::directory_iterator()),
              4); // no temporary file left behind
}

// The replacement keeps the permissions of the file it replaces.
TEST(GravaAtomicamente, MantemAsPermissoesDoArquivoSubstituido) {
    teste::DiretorioTemporario dir;
    const auto alvo = dir / "a.map";
    gravaAtomicamente(alvo, "velho");
    std::filesystem::permissions(alvo, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write);
    gravaAtomicamente(alvo, "novo");
    EXPECT_EQ(teste::leArquivo(alvo), "novo");
    EXPECT_EQ(std::filesystem::status(alvo).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const auto arquivos = std::distance(std::filesystem::directory_iterator(dir.caminho()),
                                        std::filesystem::directory_iterator());
    EXPECT_EQ(arquivos, 1);
}

TEST(Saidas, NuncaSobreOProprioFonte) {
    teste::DiretorioTemporario dir;
    Montagem m;
    const std::vector<std::string> fonte = {"HLT"};
    m.monta(Maquina::Zibel, fonte);
    for (const char* nome : {"prog.mem", "prog.map"}) {
        teste::escreveArquivo(dir / nome, "HLT\r\n");
        EXPECT_THROW(gravaImagemEListagem(dir / nome, nomesSaida(dir / nome).imagem, m),
                     FalhaArquivo)
            << nome;
        EXPECT_EQ(teste::leArquivo(dir / nome), "HLT\r\n");
    }
}

namespace fs = std::filesystem;
using Nomes = std::vector<std::string>;

struct CasoSobreFonte {
    std::string nome;
    std::function<void(const fs::path&)> prepara; // the source, holding "HLT\r\n", and its links
    std::string fonte;
    std::string colide; // the output refused, named in the failure
    Nomes restam;       // the directory afterwards: nothing was written
};

void fonteHlt(const fs::path& caminho) {
    teste::escreveArquivo(caminho, "HLT\r\n");
}

const std::vector<CasoSobreFonte> kCasosSobreFonte = {
    {"fonte chamada .mem",
     [](const fs::path& d) { fonteHlt(d / "prog.mem"); },
     "prog.mem",
     "prog.mem",
     {"prog.mem"}},
    {"fonte chamada .map",
     [](const fs::path& d) { fonteHlt(d / "prog.map"); },
     "prog.map",
     "prog.map",
     {"prog.map"}},
    {"imagem é ligação física com a fonte",
     [](const fs::path& d) {
         fonteHlt(d / "prog.zid");
         fs::create_hard_link(d / "prog.zid", d / "prog.mem");
     },
     "prog.zid",
     "prog.mem",
     {"prog.mem", "prog.zid"}},
    {"imagem é ligação simbólica para a fonte",
     [](const fs::path& d) {
         fonteHlt(d / "prog.zid");
         fs::create_symlink("prog.zid", d / "prog.mem");
     },
     "prog.zid",
     "prog.mem",
     {"prog.mem", "prog.zid"}},
    {"listagem é ligação simbólica para a fonte",
     [](const fs::path& d) {
         fonteHlt(d / "prog.zid");
         fs::create_symlink("prog.zid", d / "prog.map");
     },
     "prog.zid",
     "prog.map",
     {"prog.map", "prog.zid"}},
    {"fonte é ligação simbólica para a imagem",
     [](const fs::path& d) {
         fonteHlt(d / "prog.mem");
         fs::create_symlink("prog.mem", d / "prog.zid");
     },
     "prog.zid",
     "prog.mem",
     {"prog.mem", "prog.zid"}},
};

TEST(Saidas, NuncaSobreAFonteNemPorLigacao) {
    const std::vector<std::string> fonte = {"HLT"};
    Montagem m;
    m.monta(Maquina::Zibel, fonte);
    for (const CasoSobreFonte& caso : kCasosSobreFonte) {
        teste::DiretorioTemporario dir;
        caso.prepara(dir.caminho());
        try {
            gravaImagemEListagem(dir / caso.fonte, nomesSaida(dir / caso.fonte).imagem, m);
            ADD_FAILURE() << caso.nome << ": gravou";
        } catch (const FalhaArquivo& falha) {
            EXPECT_EQ(std::string(falha.what()),
                      "O arquivo " + (dir / caso.colide).string() +
                          " é o próprio arquivo fonte e não será sobrescrito: nada foi gravado")
                << caso.nome;
        }
        EXPECT_EQ(teste::leArquivo(dir / caso.fonte), "HLT\r\n") << caso.nome;
        EXPECT_EQ(teste::nomesEm(dir.caminho()), caso.restam) << caso.nome;
    }
}

TEST(Saidas, LoteTambemRecusaImagemLigadaAFonte) {
    const std::vector<std::string> fonte = {"HLT"};
    Montagem m;
    m.monta(Maquina::Kovra, fonte);
    for (const CasoSobreFonte& caso : kCasosSobreFonte) {
        if (!caso.colide.ends_with(".mem")) continue; // the batch writes no listing
        teste::DiretorioTemporario dir;
        caso.prepara(dir.caminho());
        EXPECT_THROW(gravaImagem(dir / caso.fonte, dir / "prog.mem", m), FalhaArquivo) << caso.nome;
        EXPECT_EQ(teste::leArquivo(dir / caso.fonte), "HLT\r\n") << caso.nome;
    }
}

TEST(Saidas, CliRecusaComStatus2ENadaGrava) {
    for (const CasoSobreFonte& caso : kCasosSobreFonte) {
        teste::DiretorioTemporario dir;
        caso.prepara(dir.caminho());
        const auto r = teste::executaCli(dir.caminho(), "-m Zibel " + caso.fonte);
        EXPECT_EQ(r.status, 2) << caso.nome;
        EXPECT_EQ(r.saida, "") << caso.nome;
        EXPECT_EQ(r.erros,
                  "orvandel-cli: O arquivo " + caso.colide +
                      " é o próprio arquivo fonte e não será sobrescrito: nada foi gravado\n")
            << caso.nome;
        EXPECT_EQ(teste::leArquivo(dir / caso.fonte), "HLT\r\n") << caso.nome;
        EXPECT_EQ(teste::nomesEm(dir.caminho()), caso.restam) << caso.nome;
    }
}

} // namespace
} // namespace orvandel
