// The annotated listing.
#include "listagem_fonte.hpp"

#include <cstdio>
#include <unordered_map>

#include "orvandel/sintaxe.hpp"
#include "orvandel/texto.hpp"

namespace orvandel {

namespace {

constexpr size_t kBytesPorLinha = 8;
constexpr int kLarguraBytes = 3 * kBytesPorLinha - 1;
constexpr int kRecuo = 6; // under the address column: the width of the line numbers and a blank

bool caractereDeNome(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Calls `usa` with every name in an operand, upper-cased, skipping quoted text and numerals.
template <typename Usa> void nomesDoOperando(std::string_view operando, Usa usa) {
    for (size_t i = 0; i < operando.size();) {
        if (operando[i] == '\'') {
            const size_t fecha = operando.find('\'', i + 1);
            i = fecha == std::string_view::npos ? operando.size() : fecha + 1;
            continue;
        }
        size_t fim = i;
        while (fim < operando.size() && caractereDeNome(operando[fim])) ++fim;
        if (fim == i) {
            ++i;
            continue;
        }
        const std::string_view nome = operando.substr(i, fim - i);
        if (!(nome[0] >= '0' && nome[0] <= '9') && !ehNumero(nome)) usa(maiusculas(nome));
        i = fim;
    }
}

std::string formata(const char* formato, auto... valores) {
    char texto[96];
    std::snprintf(texto, sizeof texto, formato, valores...);
    return texto;
}

// A line that placed no byte still shows its address when it labels it: a label alone, or on
// a line whose bytes were refused. EQU and ORG labels do not name the counter.
bool rotulaEndereco(std::string_view linhaUtf8) {
    const PartesLinha partes = partesLinha(linhaUtf8);
    if (partes.rotulo.empty()) return false;
    const std::string operacao = maiusculas(partes.operacao);
    return operacao != "EQU" && operacao != "ORG";
}

class Listagem {
  public:
    Listagem(std::span<const std::string> linhas, const Montagem& montagem)
        : linhas_(linhas), montagem_(montagem), digitos_(ehJelmo(montagem.maquina()) ? 4 : 2),
          bytes_(linhas.size()), mensagens_(linhas.size()) {
        const std::span<const int32_t> origens = montagem.origens();
        const auto enderecos =
            std::min<size_t>(origens.size(), ultimoEndereco(montagem.maquina()) + 1);
        for (size_t endereco = 0; endereco < enderecos; ++endereco)
            if (origens[endereco] >= 0 && static_cast<size_t>(origens[endereco]) < linhas.size())
                bytes_[static_cast<size_t>(origens[endereco])].push_back(
                    static_cast<int32_t>(endereco));
        for (const Mensagem& mensagem : montagem.mensagens())
            if (static_cast<size_t>(mensagem.numLinha) < linhas.size())
                mensagens_[static_cast<size_t>(mensagem.numLinha)].push_back(&mensagem);
    }

    std::string texto(std::string_view titulo) {
        texto_ = "Listagem de " + std::string(titulo) + " (" +
                 std::string(nomeMaquina(montagem_.maquina())) + ")\n\n";
        texto_ += formata("Linha %-4s  %-*s  Fonte\n", "End.", kLarguraBytes, "Bytes");
        for (size_t i = 0; i < linhas_.size(); ++i) linhaFonte(i);
        const auto erros = montagem_.contErros();
        texto_ += formata("\nErros: %d, avisos: %d\n", erros,
                          static_cast<int>(montagem_.mensagens().size()) - erros);
        simbolos();
        return std::move(texto_);
    }

  private:
    // The source line with the first row of its bytes, then the rest of them, then its messages.
    void linhaFonte(size_t i) {
        const std::vector<int32_t>& bytes = bytes_[i];
        const std::span<const int32_t> enderecos = montagem_.enderecosLinhas();
        size_t k = 0;
        std::string linha = formata("%5zu ", i + 1);
        if (!bytes.empty())
            k = fileira(linha, bytes, 0);
        else if (i < enderecos.size() && rotulaEndereco(linhas_[i]))
            linha += formata("%-4s  %*s", endereco(enderecos[i]).c_str(), kLarguraBytes, "");
        else
            linha += formata("%4s  %*s", "", kLarguraBytes, "");
        acrescentaLinha(linha + "  " + linhas_[i]);
        while (k < bytes.size()) {
            linha = std::string(kRecuo, ' ');
            k = fileira(linha, bytes, k);
            acrescentaLinha(linha);
        }
        for (const Mensagem* mensagem : mensagens_[i])
            texto_ += std::string(kRecuo, ' ') +
                      (mensagem->tipo == TipoMensagem::Erro ? "*** erro: " : "*** aviso: ") +
                      mensagem->texto + "\n";
    }

    // Without the blanks that pad the columns of a row with nothing after them.
    void acrescentaLinha(std::string linha) {
        linha.erase(linha.find_last_not_of(' ') + 1);
        texto_ += linha + "\n";
    }

    // One row: the address and up to eight bytes at consecutive addresses, from bytes[k].
    // Returns the index after the last byte shown.
    size_t fileira(std::string& linha, const std::vector<int32_t>& bytes, size_t k) {
        const int32_t inicio = bytes[k];
        std::string hexa;
        for (size_t n = 0;
             k < bytes.size() && n < kBytesPorLinha && bytes[k] == inicio + static_cast<int32_t>(n);
             ++n, ++k) {
            if (!hexa.empty()) hexa += ' ';
            hexa += formata("%02X", montagem_.memoria()[static_cast<size_t>(bytes[k])]);
        }
        linha += formata("%-4s  %-*s", endereco(inicio).c_str(), kLarguraBytes, hexa.c_str());
        return k;
    }

    // Two hexadecimal digits on the 8-bit machines, four on Jelmo.
    std::string endereco(int32_t valor) const {
        return formata("%0*X", digitos_, static_cast<unsigned>(valor));
    }

    void simbolos() {
        const TabelaSimbolos& tabela = montagem_.simbolos();
        if (tabela.entradas().empty()) return;
        int largura = 10;
        for (const tipoSimbolo& s : tabela.entradas())
            largura = std::max(largura, static_cast<int>(cp1252ParaUtf8(s.nome).size()));
        texto_ += formata("\nS\xC3\xADmbolos\n%-*s %11s %9s %6s  Usos\n", largura, "Nome",
                          "Decimal", "Hexa", "Linha");
        const auto usos = usosDosSimbolos(linhas_, tabela);
        for (size_t i = 0; i < tabela.entradas().size(); ++i) {
            const tipoSimbolo& s = tabela.entradas()[i];
            const std::string nome = cp1252ParaUtf8(s.nome);
            texto_ += nome + std::string(static_cast<size_t>(largura) - nome.size(), ' ');
            texto_ += formata(" %11d %9X ", s.valor, static_cast<unsigned>(s.valor));
            texto_ += s.numLinha >= 0 ? formata("%6d", s.numLinha + 1) : formata("%6s", "-");
            std::string lista;
            for (int32_t linha : usos[i])
                lista += (lista.empty() ? "" : ", ") + std::to_string(linha + 1);
            texto_ += lista.empty() ? "\n" : "  " + lista + "\n";
        }
    }

    std::span<const std::string> linhas_;
    const Montagem& montagem_;
    int digitos_;
    std::vector<std::vector<int32_t>> bytes_;             // per line, the addresses it placed
    std::vector<std::vector<const Mensagem*>> mensagens_; // per line, in the list's order
    std::string texto_;
};

} // namespace

std::vector<std::vector<int32_t>> usosDosSimbolos(std::span<const std::string> linhas,
                                                  const TabelaSimbolos& simbolos) {
    std::unordered_map<std::string, size_t> indices;
    for (size_t i = 0; i < simbolos.entradas().size(); ++i)
        indices.emplace(simbolos.entradas()[i].nome, i);
    std::vector<std::vector<int32_t>> usos(simbolos.entradas().size());
    for (size_t i = 0; i < linhas.size(); ++i) {
        const auto numLinha = static_cast<int32_t>(i);
        for (const std::string& operando : partesLinha(linhas[i]).operandos)
            nomesDoOperando(operando, [&](const std::string& nome) {
                const auto achado = indices.find(nome);
                if (achado == indices.end()) return;
                std::vector<int32_t>& lista = usos[achado->second];
                if (lista.empty() || lista.back() != numLinha) lista.push_back(numLinha);
            });
    }
    return usos;
}

std::string textoListagemFonte(std::string_view titulo, std::span<const std::string> linhas,
                               const Montagem& montagem) {
    return Listagem(linhas, montagem).texto(titulo);
}

std::string conteudoListagemFonte(std::string_view titulo, std::span<const std::string> linhas,
                                  const Montagem& montagem) {
    const std::string texto = textoListagemFonte(titulo, linhas, montagem);
    const bool cp1252 = cabeEmCp1252(texto);
    std::string conteudo = cp1252 ? "" : "\xEF\xBB\xBF";
    conteudo.reserve(texto.size() + texto.size() / 16);
    for (char c : cp1252 ? utf8ParaCp1252(texto) : texto) {
        if (c == '\n') conteudo += '\r';
        conteudo += c;
    }
    return conteudo;
}

} // namespace orvandel
