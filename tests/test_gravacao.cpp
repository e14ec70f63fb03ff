// Files are never lost: atomic replacement under injected faults (a file-size limit, a directory
// or a missing directory in the way, SIGKILL at random moments), and a source saved without
// edits comes back byte for byte.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "apoio.hpp"
#include "fonte.hpp"
#include "gravacao.hpp"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using Nomes = std::vector<std::string>;
using teste::nomesEm;

// The text of the failure, or "" when the file was written.
std::string falhaAoGravar(const fs::path& destino, std::string_view conteudo) {
    try {
        gravaAtomicamente(destino, conteudo);
        return "";
    } catch (const FalhaArquivo& falha) {
        return falha.what();
    }
}

// How the child that writes under a file-size limit ended.
enum Desfecho { kGravou = 0, kGrandeDemais = 1, kOutraFalha = 2, kSemLimite = 3 };

// Writes in a forked child whose files may not grow past `limite` bytes. SIGXFSZ is ignored
// there, so the write that crosses the limit fails with EFBIG instead of killing the child.
int gravaComLimite(const fs::path& destino, const std::string& conteudo, rlim_t limite) {
    const pid_t filho = ::fork();
    if (filho == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limiteArquivo{limite, limite};
        if (::setrlimit(RLIMIT_FSIZE, &limiteArquivo) != 0) ::_exit(kSemLimite);
        const std::string falha = falhaAoGravar(destino, conteudo);
        if (falha.empty()) ::_exit(kGravou);
        ::_exit(falha.ends_with(": arquivo grande demais") ? kGrandeDemais : kOutraFalha);
    }
    int status = 0;
    ::waitpid(filho, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GravaAtomicamente, LimiteDeTamanhoNoMeioENaUltimaEscrita) {
    struct Caso {
        rlim_t limite;
        int desfecho;
        bool novoNoLugar;
    };
    const std::vector<Caso> casos = {
        {0, kGrandeDemais, false},     // the first write
        {4096, kGrandeDemais, false},  // in the middle
        {65539, kGrandeDemais, false}, // only the last byte is refused
        {65540, kGravou, true},        // exactly fits
    };
    const std::string velho(516, 'v'), novo(65540, 'n');
    for (const Caso& caso : casos) {
        teste::DiretorioTemporario dir;
        teste::escreveArquivo(dir / "j.mem", velho);
        EXPECT_EQ(gravaComLimite(dir / "j.mem", novo, caso.limite), caso.desfecho) << caso.limite;
        EXPECT_TRUE(teste::leArquivo(dir / "j.mem") == (caso.novoNoLugar ? novo : velho))
            << caso.limite;
        EXPECT_EQ(nomesEm(dir.caminho()), Nomes{"j.mem"}) << caso.limite;
    }
}

struct CasoCaminho {
    std::string nome;
    std::function<void(const fs::path&)> prepara;
    std::string destino;
    std::string descricao; // "" when the write succeeds
    Nomes restam;
};

TEST(GravaAtomicamente, CaminhosQueNaoServemFalhamSemDeixarRastro) {
    const std::string nomeNoLimite = std::string(251, 'a') + ".mem"; // 255 bytes, the usual maximum
    const std::vector<CasoCaminho> casos = {
        {"destino é um diretório",
         [](const fs::path& d) { fs::create_directory(d / "pasta.mem"); },
         "pasta.mem",
         "é um diretório",
         {"pasta.mem"}},
        {"diretório inexistente",
         [](const fs::path&) {},
         "falta/a.mem",
         "arquivo ou diretório inexistente",
         {}},
        {"componente que é arquivo",
         [](const fs::path& d) { teste::escreveArquivo(d / "arq", "x"); },
         "arq/a.mem",
         "um componente do caminho não é um diretório",
         {"arq"}},
        {"nome no limite", [](const fs::path&) {}, nomeNoLimite, "", {nomeNoLimite}},
    };
    for (const CasoCaminho& caso : casos) {
        teste::DiretorioTemporario dir;
        caso.prepara(dir.caminho());
        const fs::path destino = dir / caso.destino;
        const std::string esperado =
            caso.descricao.empty()
                ? ""
                : "Não foi possível gravar o arquivo " + destino.string() + ": " + caso.descricao;
        EXPECT_EQ(falhaAoGravar(destino, "novo"), esperado) << caso.nome;
        EXPECT_EQ(nomesEm(dir.caminho()), caso.restam) << caso.nome;
    }
}

TEST(GravaAtomicamente, LigacaoSimbolicaContinuaApontandoParaOArquivo) {
    teste::DiretorioTemporario dir;
    fs::create_directory(dir / "real");
    teste::escreveArquivo(dir / "real" / "p.zid", "velho");
    fs::permissions(dir / "real" / "p.zid", fs::perms(0640));
    fs::create_symlink("real/p.zid", dir / "p.zid");
    gravaAtomicamente(dir / "p.zid", "novo");
    EXPECT_TRUE(fs::is_symlink(dir / "p.zid"));
    EXPECT_EQ(teste::leArquivo(dir / "real" / "p.zid"), "novo");
    EXPECT_EQ(fs::status(dir / "real" / "p.zid").permissions(), fs::perms(0640));
    EXPECT_EQ(nomesEm(dir / "real"), Nomes{"p.zid"});
}

// Removes the temporary files that writers killed mid-way leave beside `alvo`.
void removeRestos(const fs::path& alvo) {
    std::vector<fs::path> restos;
    for (const auto& entrada : fs::directory_iterator(alvo.parent_path()))
        if (entrada.path() != alvo) restos.push_back(entrada.path());
    for (const fs::path& resto : restos) fs::remove(resto);
}

TEST(GravaAtomicamente, MortoPorSigkillDeixaOVelhoOuONovoInteiro) {
    teste::DiretorioTemporario dir;
    const fs::path alvo = dir / "p.mem";
    const std::string a(200000, 'a'), b(300000, 'b');
    const auto inicio = std::chrono::steady_clock::now();
    gravaAtomicamente(alvo, a);
    const auto umaGravacao = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - inicio);
    // The kills fall anywhere in about three whole writes of the child.
    std::mt19937 sorteio(20240611);
    std::uniform_int_distribution<long> espera(0, 3 * umaGravacao.count() + 200);
    int vistosA = 0, vistosB = 0;
    for (int rodada = 0; rodada < 120; ++rodada) {
        const pid_t filho = ::fork();
        if (filho == 0) {
            try {
                for (bool vez = true;; vez = !vez) gravaAtomicamente(alvo, vez ? b : a);
            } catch (...) {
            }
            ::_exit(1);
        }
        ::usleep(static_cast<useconds_t>(espera(sorteio)));
        ::kill(filho, SIGKILL);
        int status = 0;
        ::waitpid(filho, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "o filho parou sozinho na rodada " << rodada;
        const std::string conteudo = teste::leArquivo(alvo);
        ASSERT_TRUE(conteudo == a || conteudo == b)
            << "rodada " << rodada << ": " << conteudo.size() << " bytes";
        ++(conteudo == a ? vistosA : vistosB);
        removeRestos(alvo);
    }
    EXPECT_GT(vistosA, 0);
    EXPECT_GT(vistosB, 0);
}

TEST(ArquivoFonte, LidoEGravadoSemEdicaoVoltaByteAByte) {
    std::string cp1252 = "; Windows-1252 com CR LF\r\n";
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') cp1252 += static_cast<char>(b);
    cp1252 += "\r\n\r\nHLT\r\n";
    const Nomes originais = {
        "",
        cp1252,
        "\xEF\xBB\xBFLDA \xC3\xA9 ; a\xC3\xA7\xC3\xA3o \xE2\x82\xAC\r\n\r\nHLT\r\n",
        // "LDA é", a line with U+1F600 (a surrogate pair), CR LF after each.
        std::string("\xFF\xFE"
                    "L\0D\0A\0 \0\xE9\0\r\0\n\0"
                    "\x3D\xD8\x00\xDE\r\0\n\0",
                    24),
        std::string("\xFE\xFF"
                    "\0L\0D\0A\0 \0\xE9\0\r\0\n"
                    "\xD8\x3D\xDE\x00\0\r\0\n",
                    24),
    };
    for (const std::string& original : originais) {
        teste::DiretorioTemporario dir;
        teste::escreveArquivo(dir / "p.zid", original);
        gravaArquivoFonte(dir / "p.zid", leArquivoFonte(dir / "p.zid"));
        EXPECT_TRUE(teste::leArquivo(dir / "p.zid") == original) << original.substr(0, 4);
        EXPECT_EQ(nomesEm(dir.caminho()), Nomes{"p.zid"});
    }
}

} // namespace
} // namespace orvandel
