// The classification of a source line for the editor's colours.
#include "realce.hpp"

#include <string>

#include "orvandel/simbolos.hpp"
#include "orvandel/sintaxe.hpp"
#include "orvandel/texto.hpp"

namespace orvandel {

namespace {

constexpr char16_t kApostrofo = u'\'';

bool ehDePalavra(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           c == u'_';
}

// The ASCII text of a part of the line, or "" when it holds anything else: a mnemonic, a
// register or a numeral is always ASCII.
std::string ascii(std::u16string_view parte) {
    std::string texto;
    for (const char16_t c : parte) {
        if (c >= 128) return {};
        texto += static_cast<char>(c);
    }
    return texto;
}

// The end of a quoted part opened at `inicio`, as the splitter reads it: the first apostrophe
// two or more places later closes it, so ''' is a quoted apostrophe.
size_t fimDaCitacao(std::u16string_view linha, size_t inicio) {
    const size_t fecha =
        inicio + 2 < linha.size() ? linha.find(kApostrofo, inicio + 2) : linha.npos;
    return fecha == linha.npos ? linha.size() : fecha + 1;
}

class Classificador {
  public:
    Classificador(std::u16string_view linha, Maquina maquina) : linha_(linha), maquina_(maquina) {}

    std::vector<Trecho> classifica() {
        size_t i = 0;
        while (i < linha_.size()) {
            const char16_t c = linha_[i];
            if (c == u';') {
                marca(i, linha_.size() - i, Categoria::Comentario);
                break;
            }
            if (ehSeparadorFonte(c)) {
                ++i;
                continue;
            }
            i = token(i);
        }
        return trechos_;
    }

  private:
    // One token from `inicio`: up to a separator, or through a quoted part.
    size_t token(size_t inicio) {
        size_t fim = inicio;
        while (fim < linha_.size() && !ehSeparadorFonte(linha_[fim]) && linha_[fim] != u';') {
            if (linha_[fim] == kApostrofo) {
                fim = fimDaCitacao(linha_, fim);
                break;
            }
            ++fim;
        }
        const bool ehRotulo = fim < linha_.size() && linha_[fim] == u':';
        if (ehRotulo) {
            marca(inicio, fim - inicio + 1, Categoria::Rotulo);
            return fim + 1;
        }
        if (!temOperacao_) {
            temOperacao_ = true;
            operacao(inicio, fim);
        } else {
            operando(inicio, fim);
        }
        return fim;
    }

    void operacao(size_t inicio, size_t fim) {
        const std::string texto = ascii(linha_.substr(inicio, fim - inicio));
        if (ehMnemonico(texto, maquina_)) {
            marca(inicio, fim - inicio, Categoria::Instrucao);
        } else if (ehDiretiva(texto)) {
            marca(inicio, fim - inicio, Categoria::Diretiva);
        } else {
            operando(inicio, fim);
        }
    }

    // A whole numeral or literal (with its "#"), or else the registers and numerals inside a
    // composite operand such as X+2, H10(R1) or -(R2).
    void operando(size_t inicio, size_t fim) {
        const std::u16string_view parte = linha_.substr(inicio, fim - inicio);
        const size_t semCerquilha = parte.starts_with(u'#') ? 1 : 0;
        if (parte.substr(semCerquilha).starts_with(kApostrofo)) {
            marca(inicio, fim - inicio, Categoria::Literal);
            return;
        }
        if (ehNumero(ascii(parte))) {
            marca(inicio, fim - inicio, Categoria::Numero);
            return;
        }
        for (size_t i = inicio; i < fim;) {
            if (!ehDePalavra(linha_[i])) {
                ++i;
                continue;
            }
            size_t j = i;
            while (j < fim && ehDePalavra(linha_[j])) ++j;
            palavra(i, j);
            i = j;
        }
    }

    void palavra(size_t inicio, size_t fim) {
        const std::string texto = ascii(linha_.substr(inicio, fim - inicio));
        if (simboloReservado(texto, maquina_))
            marca(inicio, fim - inicio, Categoria::Registrador);
        else if (ehNumero(texto))
            marca(inicio, fim - inicio, Categoria::Numero);
    }

    static bool ehDiretiva(std::string_view texto) {
        for (const std::string_view diretiva : tabDiretivas)
            if (igualEmMaiusculas(diretiva, texto)) return true;
        return false;
    }

    void marca(size_t inicio, size_t comprimento, Categoria categoria) {
        trechos_.push_back({inicio, comprimento, categoria});
    }

    std::u16string_view linha_;
    Maquina maquina_;
    bool temOperacao_ = false;
    std::vector<Trecho> trechos_;
};

} // namespace

bool ehMnemonico(std::string_view texto, Maquina maquina) {
    return descreveInstrucao(maquina, texto).has_value();
}

std::vector<Trecho> classificaLinha(std::u16string_view linha, Maquina maquina) {
    return Classificador(linha, maquina).classifica();
}

} // namespace orvandel
