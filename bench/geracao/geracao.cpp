// The benchmark source generator: one plan of lines drawn from a seeded sequence, rendered by
// each dialect with its own syntax, memory size and choice of operands.
#include "geracao.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace orvandel::geracao {

namespace {

// xorshift32: small, and the same sequence on every platform.
class Sorteio {
  public:
    explicit Sorteio(uint32_t semente) : estado_(semente ? semente : 0x9E3779B9u) {}
    uint32_t proximo() {
        estado_ ^= estado_ << 13;
        estado_ ^= estado_ >> 17;
        estado_ ^= estado_ << 5;
        return estado_;
    }
    // 0 to n - 1.
    int ate(int n) { return static_cast<int>(proximo() % static_cast<uint32_t>(n)); }
    bool chance(int porCento) { return ate(100) < porCento; }
    template <size_t N> std::string um(const std::array<std::string_view, N>& opcoes) {
        return std::string(opcoes[static_cast<size_t>(ate(static_cast<int>(N)))]);
    }

  private:
    uint32_t estado_;
};

enum class Tipo { Comentario, Branco, Numeral, Db, Dw, DabLista, DabTamanho, Daw, Instrucao };

// What one line of the program body is, the same in every dialect.
struct Plano {
    Tipo tipo;
    bool rotulo;
    bool comentario;
    uint32_t detalhe; // seeds the dialect's own choices for the line
};

Tipo sorteiaTipo(int k) {
    if (k < 5) return Tipo::Comentario;
    if (k < 7) return Tipo::Branco;
    if (k < 11) return Tipo::Numeral;
    if (k < 15) return Tipo::Db;
    if (k < 18) return Tipo::Dw;
    if (k < 20) return Tipo::DabLista;
    if (k < 21) return Tipo::DabTamanho;
    if (k < 22) return Tipo::Daw;
    return Tipo::Instrucao;
}

Plano planeja(Sorteio& s) {
    Plano p{sorteiaTipo(s.ate(100)), false, false, 0};
    if (p.tipo != Tipo::Comentario && p.tipo != Tipo::Branco) {
        p.rotulo = s.ate(8) == 0;
        p.comentario = s.ate(100) < 30;
    }
    p.detalhe = s.proximo();
    return p;
}

// Where the rendering stands; `s` draws the current line's own choices.
struct Contexto {
    Dialeto dialeto = Dialeto::Kovra;
    Sorteio s{1};
    int constantes = 0;
    int capacidade = 0;         // labels that fit in the symbol table after the constants
    int rotulos = 0;            // labels defined so far: L0, L1, ...
    bool adiante = false;       // the next label is sure to be defined further down
    int64_t posicao = 0;        // the segment's location counter, never below the assembler's
    int64_t posicaoRotulo = -1; // the latest label's, in this segment; -1 when there is none
};

// A line's statement and the bytes it takes (an upper bound where the assembler decides).
struct Comando {
    std::string texto;
    int64_t tamanho;
};

bool ehOitoBits(Dialeto d) {
    return d == Dialeto::Zibel || d == Dialeto::Kovra || d == Dialeto::Quirla;
}

// The bytes a segment may fill before an ORG starts the next one.
int64_t tamanhoSegmento(Dialeto d) {
    if (ehOitoBits(d)) return 256;
    if (d == Dialeto::Jelmo) return 65536;
    if (d == Dialeto::Dasm6502) return 0xFC00; // from $0200, below the 6502's vectors
    return std::numeric_limits<int64_t>::max();
}

std::string hexa(Dialeto d, int valor) {
    char digitos[16];
    std::snprintf(digitos, sizeof digitos, "%X", static_cast<unsigned>(valor));
    if (d == Dialeto::Dasm6502) return std::string("$") + digitos;
    if (d == Dialeto::GnuX86) return std::string("0x") + digitos;
    return std::string("H") + digitos;
}

std::string decimalOuHexa(Contexto& c, int valor) {
    return c.s.chance(30) ? hexa(c.dialeto, valor) : std::to_string(valor);
}

std::string letra(Contexto& c) {
    return std::string(1, static_cast<char>('A' + c.s.ate(26)));
}

// The comments are Windows-1252 Portuguese, as students write them.
std::string frase(Contexto& c) {
    static constexpr std::array<std::string_view, 10> kFrases = {
        "soma o pr\xF3ximo elemento", "la\xE7o principal",      "guarda o resultado",
        "decrementa o contador",      "ponteiro para a tabela", "verifica se terminou",
        "inicializa as vari\xE1veis", "chama a sub-rotina",     "compara\xE7\xE3o com o limite",
        "ajuste do endere\xE7o",
    };
    return c.s.um(kFrases);
}

std::string marcaComentario(Dialeto d) {
    return d == Dialeto::GnuX86 ? "# " : "; ";
}

std::string constante(Contexto& c) {
    return "K" + std::to_string(c.s.ate(c.constantes));
}

// A symbol the table holds: a constant, an earlier label, or the next label (a forward one).
std::string simbolo(Contexto& c) {
    const int anteriores = std::min(c.rotulos, c.capacidade);
    const bool adiante = c.adiante && c.rotulos < c.capacidade;
    const int k = c.s.ate(100);
    if (k < 40 || (anteriores == 0 && !adiante)) return constante(c);
    if (adiante && (k < 55 || anteriores == 0)) return "L" + std::to_string(c.rotulos);
    return "L" + std::to_string(c.s.ate(anteriores));
}

// The latest label, when the table holds it and it stands at most `alcance` bytes behind.
std::optional<std::string> rotuloProximo(const Contexto& c, int64_t alcance) {
    if (c.posicaoRotulo < 0 || c.rotulos > c.capacidade || c.posicao - c.posicaoRotulo > alcance)
        return std::nullopt;
    return "L" + std::to_string(c.rotulos - 1);
}

// ---- the data lines of the four machines ----

std::string numeral16(Contexto& c) {
    if (c.s.chance(10)) return "-" + std::to_string(1 + c.s.ate(1000));
    return decimalOuHexa(c, c.s.ate(65536));
}

std::string numeral8(Contexto& c) {
    if (c.s.chance(10)) return "-" + std::to_string(1 + c.s.ate(128));
    return decimalOuHexa(c, c.s.ate(256));
}

// A DB operand: a numeral or a character; on the 8-bit machines also a symbol (Jelmo warns
// about 8-bit pointers).
std::string valorByte(Contexto& c) {
    const int k = c.s.ate(3);
    if (k == 0) return "'" + letra(c) + "'";
    if (k == 1 && c.dialeto != Dialeto::Jelmo) return simbolo(c);
    return numeral8(c);
}

std::string cadeia(Contexto& c) {
    static constexpr std::array<std::string_view, 5> kCadeias = {"Oi", "Resultado: ", "FIM",
                                                                 "Erro, valor alto", "ok"};
    return c.s.um(kCadeias);
}

// n items of `item`, separated by ", ".
template <typename F> std::string lista(int n, F&& item) {
    std::string texto = item();
    for (int i = 1; i < n; ++i) texto += ", " + item();
    return texto;
}

Comando dadoMaquina(Tipo tipo, Contexto& c) {
    const int64_t palavra = c.dialeto == Dialeto::Jelmo ? 2 : 1;
    switch (tipo) {
    case Tipo::Numeral:
        return {palavra == 2 ? numeral16(c) : numeral8(c), palavra};
    case Tipo::Db:
        return {"DB " + valorByte(c), 1};
    case Tipo::Dw:
        return {"DW " + (c.s.chance(50) ? simbolo(c) : numeral16(c)), 2};
    case Tipo::DabLista: {
        const std::string texto = cadeia(c);
        const int numeros = 1 + c.s.ate(3);
        return {"DAB '" + texto + "', " + lista(numeros, [&] { return numeral8(c); }),
                static_cast<int64_t>(texto.size()) + numeros};
    }
    case Tipo::DabTamanho: {
        const int n = 1 + c.s.ate(16);
        return {"DAB [" + std::to_string(n) + "]", n};
    }
    default: {
        const int n = 1 + c.s.ate(4);
        if (c.s.chance(50)) return {"DAW [" + std::to_string(n) + "]", 2 * n};
        return {"DAW " + lista(n, [&] { return numeral16(c); }), 2 * n};
    }
    }
}

// ---- Zibel and Kovra: an opcode, optionally an address ----

std::string enderecoAcumulador(Contexto& c) {
    switch (c.s.ate(6)) {
    case 0:
        return decimalOuHexa(c, c.s.ate(256));
    case 1:
        return simbolo(c) + "+" + std::to_string(1 + c.s.ate(3));
    case 2:
        return simbolo(c) + "-" + std::to_string(1 + c.s.ate(3));
    default:
        return simbolo(c);
    }
}

Comando instrucaoAcumulador(Contexto& c) {
    static constexpr std::array<std::string_view, 17> kEnderecoKovra = {
        "LDA", "STA", "ADD", "SUB", "AND", "OR",  "JMP", "JN", "JP",
        "JV",  "JNV", "JZ",  "JNZ", "JC",  "JNC", "JB",  "JNB"};
    static constexpr std::array<std::string_view, 8> kEnderecoZibel = {"LDA", "STA", "ADD", "AND",
                                                                       "OR",  "JMP", "JN",  "JZ"};
    static constexpr std::array<std::string_view, 7> kSoKovra = {"NOP", "NOT", "SHR", "SHL",
                                                                 "ROR", "ROL", "HLT"};
    static constexpr std::array<std::string_view, 3> kSoZibel = {"NOP", "NOT", "HLT"};
    const bool kovra = c.dialeto == Dialeto::Kovra;
    if (c.s.chance(15)) return {kovra ? c.s.um(kSoKovra) : c.s.um(kSoZibel), 1};
    const std::string mnemonico = kovra ? c.s.um(kEnderecoKovra) : c.s.um(kEnderecoZibel);
    return {mnemonico + " " + enderecoAcumulador(c), 2};
}

// ---- Quirla: registers A, B, X and four addressing modes ----

Comando instrucaoQuirla(Contexto& c) {
    static constexpr std::array<std::string_view, 3> kRegistradores = {"A", "B", "X"};
    static constexpr std::array<std::string_view, 5> kDesvios = {"JMP", "JN", "JZ", "JC", "JSR"};
    static constexpr std::array<std::string_view, 6> kComRegistrador = {"LDR", "ADD", "SUB",
                                                                        "AND", "OR",  "STR"};
    static constexpr std::array<std::string_view, 3> kSoRegistrador = {"NOT", "NEG", "SHR"};
    static constexpr std::array<std::string_view, 3> kModos = {"", ",I", ",X"};
    const int k = c.s.ate(100);
    if (k < 6) return {c.s.chance(50) ? "NOP" : "HLT", 1};
    if (k < 16) return {c.s.um(kSoRegistrador) + " " + c.s.um(kRegistradores), 1};
    if (k < 36) return {c.s.um(kDesvios) + " " + simbolo(c) + c.s.um(kModos), 2};
    const std::string mnemonico = c.s.um(kComRegistrador);
    const std::string inicio = mnemonico + " " + c.s.um(kRegistradores) + " ";
    if (mnemonico != "STR" && c.s.chance(30))
        return {inicio + "#" + (c.s.chance(50) ? constante(c) : std::to_string(c.s.ate(256))), 2};
    return {inicio + enderecoAcumulador(c) + c.s.um(kModos), 2};
}

// ---- Jelmo: eight registers, eight addressing modes ----

struct OperandoJelmo {
    std::string texto;
    bool extra; // followed by a word of its own
};

std::string registrador(Contexto& c) {
    return "R" + std::to_string(c.s.ate(6));
}

std::string deslocamento(Contexto& c) {
    switch (c.s.ate(4)) {
    case 0:
        return std::to_string(c.s.ate(64));
    case 1:
        return "-" + std::to_string(1 + c.s.ate(16));
    case 2:
        return constante(c);
    default:
        return constante(c) + "+2";
    }
}

OperandoJelmo formaRegistrador(Contexto& c) {
    const std::string r = registrador(c);
    switch (c.s.ate(8)) {
    case 0:
        return {r, false};
    case 1:
        return {"(" + r + ")+", false};
    case 2:
        return {"-(" + r + ")", false};
    case 3:
        return {deslocamento(c) + "(" + r + ")", true};
    case 4:
        return {"(" + r + ")", false};
    case 5:
        return {"((" + r + ")+)", false};
    case 6:
        return {"(-(" + r + "))", false};
    default:
        return {"(" + deslocamento(c) + "(" + r + "))", true};
    }
}

// A symbol, a symbol less a displacement (labels may lie near the top of memory), a numeral
// address, or a nearby label relative to the program counter.
OperandoJelmo absoluto(Contexto& c) {
    switch (c.s.ate(5)) {
    case 0:
        return {std::to_string(c.s.ate(4096)), true};
    case 1:
        return {simbolo(c) + "-" + std::to_string(2 * (1 + c.s.ate(4))), true};
    case 2:
        if (auto rotulo = rotuloProximo(c, 1000)) return {*rotulo + "(R7)", true};
        return {std::to_string(2 * c.s.ate(32)) + "(R7)", true};
    default:
        return {simbolo(c), true};
    }
}

OperandoJelmo imediato(Contexto& c) {
    switch (c.s.ate(4)) {
    case 0:
        return {"#" + std::to_string(c.s.ate(1000)), true};
    case 1:
        return {"#" + hexa(c.dialeto, c.s.ate(65536)), true};
    case 2:
        return {"#'" + letra(c) + "'", true};
    default:
        return {"#" + constante(c), true};
    }
}

OperandoJelmo geral(Contexto& c, bool fonte) {
    const int k = c.s.ate(10);
    if (k < 6) return formaRegistrador(c);
    if (k < 8 && fonte) return imediato(c);
    return absoluto(c);
}

int64_t palavras(const OperandoJelmo& a) {
    return a.extra ? 2 : 0;
}

// A branch or SOB target: the latest label when it is near, else a numeral displacement.
std::string alvoCurto(Contexto& c) {
    if (auto rotulo = rotuloProximo(c, 100)) return *rotulo;
    return std::to_string(2 * c.s.ate(20));
}

// Lengths: the larger of the row's length and the one the operands give, so that the ORG
// resets hold whichever the assembler counts.
Comando instrucaoJelmo(Contexto& c) {
    static constexpr std::array<std::string_view, 6> kDuplas = {"MOV", "ADD", "SUB",
                                                                "CMP", "AND", "OR"};
    static constexpr std::array<std::string_view, 12> kSimples = {
        "CLR", "NOT", "INC", "DEC", "NEG", "TST", "ROR", "ROL", "ASR", "ASL", "ADC", "SBC"};
    static constexpr std::array<std::string_view, 15> kDesvios = {
        "BR",  "BNE", "BEQ", "BPL", "BMI", "BVC", "BVS", "BCC",
        "BCS", "BGE", "BLT", "BGT", "BLE", "BHI", "BLS"};
    static constexpr std::array<std::string_view, 4> kCodigos = {"CCC NZ", "SCC C", "CCC N, Z",
                                                                 "SCC NZVC"};
    const int k = c.s.ate(100);
    if (k < 35) {
        const std::string mnemonico = c.s.um(kDuplas);
        const OperandoJelmo fonte = geral(c, true), destino = geral(c, false);
        return {mnemonico + " " + fonte.texto + ", " + destino.texto,
                std::max<int64_t>(5, 2 + palavras(fonte) + palavras(destino))};
    }
    if (k < 55) {
        const std::string mnemonico = c.s.um(kSimples);
        return {mnemonico + " " + geral(c, false).texto, 4};
    }
    if (k < 70) return {c.s.um(kDesvios) + " " + alvoCurto(c), 2};
    if (k < 75) return {"SOB " + registrador(c) + ", " + alvoCurto(c), 2};
    if (k < 83) {
        const OperandoJelmo alvo = c.s.chance(50) ? absoluto(c) : formaRegistrador(c);
        return {"JMP " + (alvo.texto.starts_with('R') ? "(" + alvo.texto + ")" : alvo.texto), 4};
    }
    if (k < 90) return {c.s.chance(80) ? "JSR R7, " + simbolo(c) : "JSR R5, (R1)", 4};
    if (k < 94) return {c.s.um(kCodigos), 1};
    if (k < 97) return {"RTS R7", 1};
    return {c.s.chance(50) ? "NOP" : "HLT", 1};
}

// ---- the 6502 for dasm (every size counted as its largest form) ----

std::string operando6502(Contexto& c, bool imediatoPermitido) {
    switch (c.s.ate(6)) {
    case 0:
        if (imediatoPermitido) return "#" + decimalOuHexa(c, c.s.ate(256));
        [[fallthrough]];
    case 1:
        return constante(c);
    case 2:
        return simbolo(c) + ",x";
    case 3:
        return "(" + constante(c) + "),y";
    default:
        return simbolo(c);
    }
}

Comando instrucao6502(Contexto& c) {
    static constexpr std::array<std::string_view, 8> kDuplas = {"lda", "sta", "adc", "sbc",
                                                                "cmp", "and", "ora", "eor"};
    static constexpr std::array<std::string_view, 6> kSimples = {"inc", "dec", "asl",
                                                                 "lsr", "rol", "ror"};
    static constexpr std::array<std::string_view, 8> kImplicitas = {"inx", "iny", "dex", "dey",
                                                                    "tax", "tay", "txa", "tya"};
    static constexpr std::array<std::string_view, 8> kDesvios = {"bne", "beq", "bpl", "bmi",
                                                                 "bcc", "bcs", "bvc", "bvs"};
    static constexpr std::array<std::string_view, 5> kFlags = {"clc", "sec", "cli", "sei", "clv"};
    const int k = c.s.ate(100);
    if (k < 35) {
        const std::string mnemonico = c.s.um(kDuplas);
        return {mnemonico + " " + operando6502(c, mnemonico != "sta"), 3};
    }
    if (k < 55) {
        if (c.s.chance(40)) return {c.s.um(kImplicitas), 1};
        return {c.s.um(kSimples) + " " + (c.s.chance(50) ? constante(c) : simbolo(c)), 3};
    }
    if (k < 75) {
        const auto rotulo = rotuloProximo(c, 100);
        return {c.s.um(kDesvios) + " " + (rotulo ? *rotulo : ".+2"), 2};
    }
    if (k < 83) return {"jmp " + (c.s.chance(80) ? simbolo(c) : "(" + constante(c) + ")"), 3};
    if (k < 90) return {"jsr " + simbolo(c), 3};
    if (k < 94) return {c.s.um(kFlags), 1};
    if (k < 97) return {"rts", 1};
    return {c.s.chance(50) ? "nop" : "brk", 1};
}

Comando dado6502(Tipo tipo, Contexto& c) {
    switch (tipo) {
    case Tipo::Numeral:
        return {".byte " + decimalOuHexa(c, c.s.ate(256)), 1};
    case Tipo::Db:
        return {".byte " + (c.s.chance(30) ? constante(c) : std::to_string(c.s.ate(256))), 1};
    case Tipo::Dw:
        return {".word " + (c.s.chance(50) ? simbolo(c) : std::to_string(c.s.ate(65536))), 2};
    case Tipo::DabLista: {
        const std::string texto = cadeia(c);
        const int numeros = 1 + c.s.ate(3);
        return {"dc.b \"" + texto + "\", " +
                    lista(numeros, [&] { return std::to_string(c.s.ate(256)); }),
                static_cast<int64_t>(texto.size()) + numeros};
    }
    case Tipo::DabTamanho: {
        const int n = 1 + c.s.ate(16);
        return {"ds.b " + std::to_string(n), n};
    }
    default: {
        const int n = 1 + c.s.ate(4);
        return {".word " + lista(n, [&] { return std::to_string(c.s.ate(65536)); }), 2 * n};
    }
    }
}

// ---- x86-64 for the GNU assembler (sizes do not matter: there is no ORG) ----

std::string operandoX86(Contexto& c, bool memoria) {
    static constexpr std::array<std::string_view, 6> kRegistradores = {"%eax", "%ebx", "%ecx",
                                                                       "%edx", "%esi", "%edi"};
    if (!memoria) return c.s.um(kRegistradores);
    switch (c.s.ate(4)) {
    case 0:
        return constante(c);
    case 1:
        return std::to_string(4 * c.s.ate(16)) + "(%rbx)";
    case 2:
        return "(%rsi)";
    default:
        return simbolo(c) + "(%rip)";
    }
}

std::string alvoX86(Contexto& c) {
    if (auto rotulo = rotuloProximo(c, std::numeric_limits<int64_t>::max())) return *rotulo;
    return ".+2";
}

Comando instrucaoX86(Contexto& c) {
    static constexpr std::array<std::string_view, 6> kDuplas = {"movl", "addl", "subl",
                                                                "cmpl", "andl", "orl"};
    static constexpr std::array<std::string_view, 4> kSimples = {"incl", "decl", "negl", "notl"};
    static constexpr std::array<std::string_view, 8> kDesvios = {"jne", "je",  "jg", "jl",
                                                                 "jge", "jle", "ja", "jb"};
    static constexpr std::array<std::string_view, 4> kFlags = {"clc", "stc", "cld", "std"};
    const int k = c.s.ate(100);
    if (k < 35) {
        const std::string mnemonico = c.s.um(kDuplas);
        const int forma = c.s.ate(3); // register, immediate or memory source
        if (forma == 1)
            return {mnemonico + " $" +
                        (c.s.chance(50) ? constante(c) : std::to_string(c.s.ate(1000))) + ", " +
                        operandoX86(c, c.s.chance(40)),
                    0};
        const bool fonteNaMemoria = forma == 2;
        return {mnemonico + " " + operandoX86(c, fonteNaMemoria) + ", " +
                    operandoX86(c, !fonteNaMemoria && c.s.chance(40)),
                0};
    }
    if (k < 55) return {c.s.um(kSimples) + " " + operandoX86(c, c.s.chance(50)), 0};
    if (k < 75) return {c.s.um(kDesvios) + " " + alvoX86(c), 0};
    if (k < 83) return {"jmp " + alvoX86(c), 0};
    if (k < 90) return {"call " + alvoX86(c), 0};
    if (k < 94) return {c.s.um(kFlags), 0};
    if (k < 97) return {"ret", 0};
    return {c.s.chance(50) ? "nop" : "hlt", 0};
}

Comando dadoX86(Tipo tipo, Contexto& c) {
    switch (tipo) {
    case Tipo::Numeral:
        return {".byte " + decimalOuHexa(c, c.s.ate(256)), 0};
    case Tipo::Db:
        return {".byte " + (c.s.chance(30) ? constante(c) : std::to_string(c.s.ate(256))), 0};
    case Tipo::Dw:
        return {".word " + (c.s.chance(50) ? simbolo(c) : std::to_string(c.s.ate(65536))), 0};
    case Tipo::DabLista: {
        const std::string texto = cadeia(c);
        const int numeros = 1 + c.s.ate(3);
        return {".ascii \"" + texto + "\"; .byte " +
                    lista(numeros, [&] { return std::to_string(c.s.ate(256)); }),
                0};
    }
    case Tipo::DabTamanho:
        return {".skip " + std::to_string(1 + c.s.ate(16)), 0};
    default:
        return {".word " + lista(1 + c.s.ate(4), [&] { return std::to_string(c.s.ate(65536)); }),
                0};
    }
}

// ---- the lines ----

std::string emMinusculas(std::string texto) {
    for (char& ch : texto)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
    return texto;
}

Comando comando(Tipo tipo, Contexto& c) {
    switch (c.dialeto) {
    case Dialeto::Dasm6502:
        return tipo == Tipo::Instrucao ? instrucao6502(c) : dado6502(tipo, c);
    case Dialeto::GnuX86:
        return tipo == Tipo::Instrucao ? instrucaoX86(c) : dadoX86(tipo, c);
    default:
        break;
    }
    if (tipo != Tipo::Instrucao) return dadoMaquina(tipo, c);
    Comando cmd = c.dialeto == Dialeto::Jelmo    ? instrucaoJelmo(c)
                  : c.dialeto == Dialeto::Quirla ? instrucaoQuirla(c)
                                                 : instrucaoAcumulador(c);
    if (c.s.chance(10)) cmd.texto = emMinusculas(cmd.texto); // mnemonics and names fold case
    return cmd;
}

std::string origem(Dialeto d) {
    if (d == Dialeto::Dasm6502) return "org $0200";
    if (d == Dialeto::GnuX86) return ".p2align 4";
    return "ORG 0";
}

std::string rotulo(Dialeto d, int numero) {
    const std::string nome = "L" + std::to_string(numero);
    return d == Dialeto::Dasm6502 ? nome : nome + ":";
}

// One body line. A statement that would outgrow the segment gives way to an ORG, which starts
// the next segment at the bottom of memory.
void escreveLinha(std::string& texto, const Plano& p, Contexto& c) {
    if (p.tipo == Tipo::Branco) {
        texto += '\n';
        return;
    }
    if (p.tipo == Tipo::Comentario) {
        texto += marcaComentario(c.dialeto) + frase(c) + '\n';
        return;
    }
    Comando cmd = comando(p.tipo, c);
    const bool reinicia = c.posicao + cmd.tamanho > tamanhoSegmento(c.dialeto);
    if (reinicia) {
        cmd = {origem(c.dialeto), 0};
        c.posicao = 0;
        c.posicaoRotulo = -1;
    } else if (p.rotulo) {
        texto += rotulo(c.dialeto, c.rotulos++);
        c.posicaoRotulo = c.posicao;
    }
    texto += '\t' + cmd.texto;
    if (p.comentario) texto += "\t" + marcaComentario(c.dialeto) + frase(c);
    texto += '\n';
    c.posicao += cmd.tamanho;
}

std::string cabecalho(Dialeto d) {
    if (d == Dialeto::Dasm6502) return "\tprocessor 6502";
    if (d == Dialeto::GnuX86) return "\t.text";
    return "; Programa gerado para medir a velocidade do montador";
}

// EQU constants: decimals, hexadecimals, a constant plus a numeral, characters. Values stay
// small enough for a byte everywhere but on Jelmo.
std::string definicaoConstante(Contexto& c, int i, uint32_t sorteio) {
    const int maximo = c.dialeto == Dialeto::Jelmo ? 4000 : 200;
    const int base = static_cast<int>(sorteio % static_cast<uint32_t>(maximo));
    std::string valor;
    switch (i % 4) {
    case 0:
        valor = std::to_string(base);
        break;
    case 1:
        valor = hexa(c.dialeto, base);
        break;
    case 2:
        valor = "K" + std::to_string(i - 2) + "+" + std::to_string(1 + base % 9);
        break;
    default:
        valor = std::string("'") + static_cast<char>('A' + base % 26) +
                (c.dialeto == Dialeto::Dasm6502 ? "" : "'");
    }
    const std::string nome = "K" + std::to_string(i);
    if (c.dialeto == Dialeto::Dasm6502) return nome + "\tequ " + valor;
    if (c.dialeto == Dialeto::GnuX86) return "\t.equ " + nome + ", " + valor;
    return nome + ": EQU " + valor;
}

} // namespace

std::optional<Dialeto> dialetoPorNome(std::string_view nome) {
    if (nome == "zibel") return Dialeto::Zibel;
    if (nome == "kovra") return Dialeto::Kovra;
    if (nome == "quirla") return Dialeto::Quirla;
    if (nome == "jelmo") return Dialeto::Jelmo;
    if (nome == "dasm") return Dialeto::Dasm6502;
    if (nome == "gas") return Dialeto::GnuX86;
    return std::nullopt;
}

std::string_view extensao(Dialeto dialeto) {
    switch (dialeto) {
    case Dialeto::Zibel:
        return "zid";
    case Dialeto::Kovra:
        return "kod";
    case Dialeto::Quirla:
        return "qud";
    case Dialeto::Jelmo:
        return "jed";
    case Dialeto::Dasm6502:
        return "asm";
    case Dialeto::GnuX86:
        return "s";
    }
    return "";
}

std::string geraFonte(Dialeto dialeto, int linhas, uint32_t semente) {
    if (linhas < kMinimoLinhas) throw std::invalid_argument("too few lines for a source");
    Sorteio plano(semente);
    Contexto c;
    c.dialeto = dialeto;
    c.constantes = std::clamp(linhas / 20, 4, 300);
    c.capacidade = 1000 - c.constantes;
    std::string texto;
    texto.reserve(static_cast<size_t>(linhas) * 32);
    texto += cabecalho(dialeto) + '\n';
    for (int i = 0; i < c.constantes; ++i)
        texto += definicaoConstante(c, i, plano.proximo()) + '\n';
    texto += '\t' + origem(dialeto) + '\n';
    const int corpo = linhas - 2 - c.constantes;
    for (int i = 0; i < corpo; ++i) {
        const Plano p = planeja(plano);
        c.s = Sorteio(p.detalhe);
        c.adiante = corpo - i > 200;
        escreveLinha(texto, p, c);
    }
    return texto;
}

void geraLote(const std::filesystem::path& diretorio, int quantidade, int linhas) {
    constexpr std::array<Dialeto, 4> kMaquinas = {Dialeto::Zibel, Dialeto::Kovra, Dialeto::Quirla,
                                                  Dialeto::Jelmo};
    for (int i = 0; i < quantidade; ++i) {
        const Dialeto d = kMaquinas[static_cast<size_t>(i % 4)];
        char nome[32];
        std::snprintf(nome, sizeof nome, "fonte%04d.%s", i, std::string(extensao(d)).c_str());
        std::ofstream arquivo(diretorio / nome, std::ios::binary);
        arquivo << geraFonte(d, linhas, static_cast<uint32_t>(i + 1));
        if (!arquivo) throw std::runtime_error("cannot write " + (diretorio / nome).string());
    }
}

} // namespace orvandel::geracao
