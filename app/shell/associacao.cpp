// The association's keys, files and messages, the same on every system.
#include "associacao.hpp"

#include <algorithm>
#include <optional>

#include "alvos.hpp"

namespace orvandel {

namespace {

// The name of the machine whose sources carry `extensao` (lower case).
std::string maquinaDaExtensao(std::string_view extensao) {
    for (const Alvo& alvo : kAlvos)
        if (extensaoMinuscula(alvo.maquina) == extensao)
            return std::string(nomeMaquina(alvo.maquina));
    return {};
}

std::string minusculas(std::string texto) {
    for (char& c : texto)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return texto;
}

std::vector<std::string> linhas(std::string_view texto) {
    std::vector<std::string> resultado;
    while (!texto.empty()) {
        const size_t fim = texto.find('\n');
        resultado.emplace_back(texto.substr(0, fim));
        texto.remove_prefix(fim == std::string_view::npos ? texto.size() : fim + 1);
    }
    return resultado;
}

std::string juntaLinhas(const std::vector<std::string>& partes) {
    std::string texto;
    for (const std::string& linha : partes) texto += linha + "\n";
    return texto;
}

std::string_view apara(std::string_view texto) {
    const size_t inicio = texto.find_first_not_of(" \t\r");
    if (inicio == std::string_view::npos) return {};
    return texto.substr(inicio, texto.find_last_not_of(" \t\r") - inicio + 1);
}

bool ehCabecalho(std::string_view linha) {
    return apara(linha).starts_with('[');
}

// The key of a "key=value" line, blanks around it ignored; empty for any other line.
std::string_view chaveDaLinha(std::string_view linha) {
    const size_t igual = linha.find('=');
    return igual == std::string_view::npos ? std::string_view{} : apara(linha.substr(0, igual));
}

// The lines of the [Default Applications] group after its header: [first, one past the last).
std::optional<std::pair<size_t, size_t>> grupoPadroes(const std::vector<std::string>& partes) {
    size_t cabecalho = 0;
    while (cabecalho < partes.size() && apara(partes[cabecalho]) != "[Default Applications]")
        ++cabecalho;
    if (cabecalho == partes.size()) return std::nullopt;
    size_t fim = cabecalho + 1;
    while (fim < partes.size() && !ehCabecalho(partes[fim])) ++fim;
    return std::pair{cabecalho + 1, fim};
}

// "a.desktop;b.desktop;" as its entries.
std::vector<std::string> entradasDaLista(std::string_view valor) {
    std::vector<std::string> entradas;
    while (!valor.empty()) {
        const size_t fim = std::min(valor.find(';'), valor.size());
        if (fim > 0) entradas.emplace_back(valor.substr(0, fim));
        valor.remove_prefix(std::min(fim + 1, valor.size()));
    }
    return entradas;
}

// A group that association created and removal emptied goes with it, with the blank line that
// set it apart at the end of the file.
void tiraGrupoVazio(std::vector<std::string>& partes, size_t cabecalho) {
    size_t fim = cabecalho + 1;
    while (fim < partes.size() && !ehCabecalho(partes[fim])) {
        if (!apara(partes[fim]).empty()) return;
        ++fim;
    }
    partes.erase(partes.begin() + static_cast<std::ptrdiff_t>(cabecalho),
                 partes.begin() + static_cast<std::ptrdiff_t>(fim));
    if (cabecalho == partes.size() && cabecalho > 0 && apara(partes.back()).empty())
        partes.pop_back();
}

std::string valorDaLista(const std::vector<std::string>& entradas) {
    std::string valor;
    for (const std::string& e : entradas) valor += e + ";";
    return valor;
}

// ".kod" from "kod"; appended rather than `"." + std::string(e)`, which GCC 12 at -O3 wrongly
// flags as an overlapping copy.
std::string comPonto(std::string_view extensao) {
    return std::string(".").append(extensao);
}

} // namespace

std::vector<std::string> extensoesAssociadas() {
    std::vector<std::string> extensoes;
    for (const Alvo& alvo : kAlvos) extensoes.push_back(extensaoMinuscula(alvo.maquina));
    return extensoes;
}

std::vector<RegistroExtensao> planoRegistro(std::string_view programaUtf8) {
    std::vector<RegistroExtensao> plano;
    const std::string comando = std::string("\"").append(programaUtf8).append("\" \"%1\"");
    for (const std::string& e : extensoesAssociadas()) {
        const std::string tipo = e + "_file";
        plano.push_back({e, {{{comPonto(e), tipo}, {tipo + "\\shell\\open\\command", comando}}}});
    }
    return plano;
}

std::vector<RemocaoExtensao> planoRemocaoRegistro() {
    std::vector<RemocaoExtensao> plano;
    for (const std::string& e : extensoesAssociadas())
        plano.push_back({e, comPonto(e), e + "_file"});
    return plano;
}

std::string falhaRegistroAssociacao(std::string_view extensao) {
    return "Execute como Administrador para associar arquivos " + std::string(extensao) + ".";
}

std::string falhaRegistroRemocao(std::string_view extensao) {
    return "Execute como Administrador para desassociar arquivos " + std::string(extensao) + ".";
}

std::string falhaAssociacao(std::string_view extensao, std::string_view motivo) {
    return "Não foi possível associar arquivos " + std::string(extensao) + ": " +
           std::string(motivo);
}

std::string falhaRemocao(std::string_view extensao, std::string_view motivo) {
    return "Não foi possível desassociar arquivos " + std::string(extensao) + ": " +
           std::string(motivo);
}

std::string tipoMime(std::string_view extensao) {
    return "text/x-orvandel-" + minusculas(maquinaDaExtensao(extensao));
}

std::string nomePacoteMime(std::string_view extensao) {
    return "orvandel-" + std::string(extensao) + ".xml";
}

// Globs of shared-mime-info match in any letter case unless told otherwise, so *.kod also
// claims SOMA.KOD, the upper-case names the batch looks for.
std::string pacoteMime(const std::vector<std::string_view>& extensoes) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (std::string_view e : extensoes) {
        xml += "  <mime-type type=\"" + tipoMime(e) + "\">\n";
        xml += "    <comment>Arquivo fonte para " + maquinaDaExtensao(e) + "</comment>\n";
        xml += "    <sub-class-of type=\"text/plain\"/>\n";
        xml += "    <glob pattern=\"*." + std::string(e) + "\"/>\n";
        xml += "  </mime-type>\n";
    }
    return xml + "</mime-info>\n";
}

std::string entradaDesktop(std::string_view exec) {
    std::string tipos;
    for (const std::string& e : extensoesAssociadas()) tipos += tipoMime(e) + ";";
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Orvandel\n"
           "Comment=Montador para Kovra, Quirla, Jelmo e Zibel\n"
           "Icon=orvandel\n"
           "Exec=" +
           std::string(exec) +
           "\n"
           "MimeType=" +
           tipos +
           "\n"
           "Categories=Development;\n";
}

// Inside double quotes a desktop entry escapes ", `, $ and \ with a backslash; the value as a
// whole then escapes every backslash once more, and a literal % is written %%.
std::string comandoExec(std::string_view programaUtf8) {
    std::string exec = "\"";
    for (char c : programaUtf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return {};
        if (c == '"' || c == '`' || c == '$') exec += "\\\\";
        if (c == '\\') exec += "\\\\\\";
        exec += c == '%' ? std::string("%%") : std::string(1, c);
    }
    return exec + "\" %f";
}

std::string comPadrao(std::string_view mimeapps, std::string_view tipo, std::string_view entrada) {
    std::vector<std::string> partes = linhas(mimeapps);
    const std::string nova = std::string(tipo) + "=" + std::string(entrada) + ";";
    const auto grupo = grupoPadroes(partes);
    if (!grupo) {
        if (!partes.empty() && !apara(partes.back()).empty()) partes.emplace_back();
        partes.emplace_back("[Default Applications]");
        partes.push_back(nova);
        return juntaLinhas(partes);
    }
    const auto primeira = partes.begin() + static_cast<std::ptrdiff_t>(grupo->first);
    const auto ultima = partes.begin() + static_cast<std::ptrdiff_t>(grupo->second);
    const auto linha = std::find_if(primeira, ultima,
                                    [&](const std::string& l) { return chaveDaLinha(l) == tipo; });
    if (linha != ultima)
        *linha = nova;
    else
        partes.insert(primeira, nova);
    return juntaLinhas(partes);
}

std::string semPadrao(std::string_view mimeapps, std::string_view tipo, std::string_view entrada) {
    std::vector<std::string> partes = linhas(mimeapps);
    const auto grupo = grupoPadroes(partes);
    for (size_t i = grupo ? grupo->first : 0; grupo && i < grupo->second; ++i) {
        if (chaveDaLinha(partes[i]) != tipo) continue;
        std::vector<std::string> entradas =
            entradasDaLista(apara(std::string_view(partes[i]).substr(partes[i].find('=') + 1)));
        if (std::erase(entradas, std::string(entrada)) == 0) continue;
        if (!entradas.empty()) {
            partes[i] = std::string(tipo) + "=" + valorDaLista(entradas);
            break;
        }
        partes.erase(partes.begin() + static_cast<std::ptrdiff_t>(i));
        tiraGrupoVazio(partes, grupo->first - 1);
        break;
    }
    return juntaLinhas(partes);
}

} // namespace orvandel
