// Fuzz target: a whole assembly run. The first byte picks the machine (its value modulo 4:
// Zibel, Kovra, Quirla, Jelmo; '0' to '3' in the corpus), the rest is the source file's bytes.
// Besides not crashing, a run must repeat exactly (also when it records which line placed each
// byte, and without pass 1's rehearsal of pass 2), keep both passes in step when it has no
// error, leave no placed byte without its line, and give an image file of the machine's size;
// only ValorInteiroInvalido may abandon it. The first run reads the file's own bytes, as the
// command-line tool does, cut into lines by the engine; the others read the decoded lines, as the
// desktop program does.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

#include "exige.hpp"
#include "fonte.hpp"
#include "imagem.hpp"
#include "linha.hpp"
#include "listagem.hpp"
#include "montagem.hpp"
#include "texto.hpp"

using orvandel::fuzz::exige;

namespace orvandel {
namespace {

// What a run leaves behind for its caller.
struct Resultado {
    Memoria memoria;
    std::vector<std::pair<std::string, int32_t>> simbolos;
    std::vector<Mensagem> mensagens;
    int32_t contErros;
    std::string abandono; // the abandoned run's text, or empty

    bool operator==(const Resultado&) const = default;
};

void monta(Montador& m, Maquina maquina, const std::vector<std::string>& linhas) {
    m.monta(maquina, linhas);
}
void monta(Montador& m, Maquina maquina, const LinhasFonte& fonte) {
    m.monta(maquina, fonte.conteudo, fonte.codificacao);
}

// Any other exception leaves the harness, and libFuzzer reports it.
template <typename Fonte> Resultado executa(Montador& m, Maquina maquina, const Fonte& fonte) {
    Resultado r;
    try {
        monta(m, maquina, fonte);
    } catch (const ValorInteiroInvalido& abandono) {
        r.abandono = abandono.what();
    }
    r.memoria = m.memoria;
    for (const tipoSimbolo& s : m.tabSimbolos.entradas()) r.simbolos.emplace_back(s.nome, s.valor);
    r.mensagens = m.mensagens();
    r.contErros = m.contErros();
    return r;
}

void verificaMensagens(const Resultado& r, size_t numLinhas) {
    int32_t erros = 0;
    for (const Mensagem& mensagem : r.mensagens) {
        exige(mensagem.numLinha >= 0 && static_cast<size_t>(mensagem.numLinha) < numLinhas,
              "cada mensagem aponta uma linha da fonte");
        erros += mensagem.tipo == TipoMensagem::Erro ? 1 : 0;
    }
    exige(erros == r.contErros, "contErros conta as mensagens de erro");
}

// Every label (other than an EQU constant) holds the address at which pass 2 placed its line.
void verificaRotulos(const Montador& m, const std::vector<std::string>& linhas,
                     const std::vector<int32_t>& passagem2) {
    elemLinha e;
    for (size_t i = 0; i < linhas.size(); ++i) {
        std::string buffer;
        std::string linha(trechoDivisivel(linhas[i], buffer));
        emMaiusculas(linha);
        separaLinha(linha, e);
        if (e.rotulo.empty() || e.operacao == "EQU") continue;
        if (const auto valor = m.tabSimbolos.busca(e.rotulo))
            exige(*valor == passagem2[i], "um rótulo vale o endereço da sua linha na passagem 2");
    }
}

void verificaPassagens(const Montador& m, const Resultado& r, const Rastreio& rastreio,
                       const std::vector<std::string>& linhas) {
    if (!r.abandono.empty()) return;
    exige(rastreio.passagem1.size() == linhas.size() && rastreio.passagem2.size() == linhas.size(),
          "cada passagem percorre todas as linhas");
    if (r.contErros != 0) return;
    exige(rastreio.passagem1 == rastreio.passagem2, "sem erros, as passagens contam igual");
    verificaRotulos(m, linhas, rastreio.passagem2);
}

// The record of origins (kept only in the first run, whose results the others must repeat):
// every byte that holds something was placed by a line of the source. One pass over all
// 65,536 addresses tallies both conditions, tested once at the end, and the pass is left out
// of the coverage instrumentation: the harness's own loop is no behaviour of the engine worth
// steering by, and with a callback per comparison and a test per address it took about a
// third of the time of a short input.
__attribute__((no_sanitize("coverage"))) void
verificaOrigens(const Montador& m, const std::vector<int32_t>& origens, size_t numLinhas) {
    exige(origens.size() == static_cast<size_t>(kTamanhoMemoria), "uma origem por endereço");
    const int32_t* origem = origens.data();
    const uint8_t* byte = m.memoria.data();
    const auto limite = static_cast<int64_t>(numLinhas);
    bool dentro = true;
    bool comLinha = true;
    for (size_t endereco = 0; endereco < static_cast<size_t>(kTamanhoMemoria); ++endereco) {
        dentro &= origem[endereco] < limite;
        comLinha &= (byte[endereco] == 0) | (origem[endereco] >= 0);
    }
    exige(dentro, "a origem é uma linha da fonte");
    exige(comLinha, "um byte posto tem a sua linha");
}

// The files a run without errors writes: the image, of the machine's size, and the listing,
// two header lines and one line per symbol.
void verificaArquivos(const Montador& m, Maquina maquina) {
    const size_t tamanho = conteudoArquivoMem(maquina, m.memoria).size();
    exige(tamanho == (ehJelmo(maquina) ? 65540u : 516u), "a imagem tem o tamanho da máquina");
    const std::string listagem = conteudoTabSimb(m.tabSimbolos);
    size_t linhas = 0;
    for (size_t fim = listagem.find("\r\n"); fim != std::string::npos;
         fim = listagem.find("\r\n", fim + 2))
        ++linhas;
    exige(linhas == 2 + m.tabSimbolos.entradas().size(), "a listagem tem uma linha por símbolo");
}

} // namespace
} // namespace orvandel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    using namespace orvandel;
    if (tamanho == 0) return 0;
    const Maquina maquina = kMaquinas[dados[0] % 4];
    const Maquina outra = kMaquinas[(dados[0] + 1) % 4];
    const char* const bytes = reinterpret_cast<const char*>(dados) + 1;
    const TextoFonte fonte = decodificaFonte({bytes, tamanho - 1});

    // The two origin records outlive the input, so that their 65,536 entries are neither
    // allocated (and faulted in) nor grown entry by entry for every one. Each starts filled with
    // an origin past any line of the source: a run that stopped resetting its record, wholly or
    // in part, fails verificaOrigens, as it would with a fresh, empty vector; the entries of the
    // previous input never pass for this one's.
    static std::vector<int32_t> origens(kTamanhoMemoria);
    static std::vector<int32_t> origensSemEnsaio(kTamanhoMemoria);
    for (std::vector<int32_t>* registro : {&origens, &origensSemEnsaio})
        std::memset(registro->data(), 0x7F, registro->size() * sizeof(int32_t));

    // Splitting ahead on a second thread only saves time as well: the first run of half the
    // inputs (by their first byte) splits every line ahead, the second run splits none so.
    auto primeiro = std::make_unique<Montador>();
    primeiro->linhasParaSepararAdiante = (dados[0] & 4) ? 0 : SIZE_MAX;
    Rastreio rastreio;
    primeiro->rastreio = &rastreio;
    primeiro->origens = &origens;
    const Resultado resultado =
        executa(*primeiro, maquina, decodificaLinhasFonte(BytesLidos(bytes, bytes + tamanho - 1)));
    primeiro->rastreio = nullptr;
    primeiro->origens = nullptr;
    verificaOrigens(*primeiro, origens, fonte.linhas.size());
    verificaMensagens(resultado, fonte.linhas.size());
    verificaPassagens(*primeiro, resultado, rastreio, fonte.linhas);
    if (resultado.abandono.empty() && resultado.contErros == 0)
        verificaArquivos(*primeiro, maquina);

    // Pass 1's rehearsal of pass 2 only saves time: without it (nor the thread), everything is
    // the same.
    auto segundo = std::make_unique<Montador>();
    segundo->ensaiaPassagem2 = false;
    segundo->linhasParaSepararAdiante = SIZE_MAX;
    segundo->origens = &origensSemEnsaio;
    exige(executa(*segundo, maquina, fonte.linhas) == resultado,
          "um Montador novo, sem o ensaio, repete a montagem");
    exige(origensSemEnsaio == origens, "sem o ensaio, cada byte tem a mesma linha");
    executa(*primeiro, outra, fonte.linhas); // leaves every table filled for another machine
    exige(executa(*primeiro, maquina, fonte.linhas) == resultado,
          "um Montador reusado repete a montagem");
    return 0;
}
