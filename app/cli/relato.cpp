// Reports of runs and batches.
#include "relato.hpp"

#include <nlohmann/json.hpp>

namespace orvandel {

namespace {

using Json = nlohmann::ordered_json;

std::string_view nomeTipo(TipoMensagem tipo) {
    return tipo == TipoMensagem::Erro ? "erro" : "aviso";
}

// Text from a source or a file name may hold bytes that are not UTF-8: they become U+FFFD.
std::string serializa(const Json& documento) {
    return documento.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json jsonAbandono(int32_t numLinha, const std::string& texto) {
    return {{"linha", numLinha + 1}, {"texto", texto}};
}

Json jsonMensagens(const Montagem& montagem) {
    Json lista = Json::array();
    for (const Mensagem& m : montagem.mensagens())
        lista.push_back(
            {{"linha", m.numLinha + 1}, {"tipo", nomeTipo(m.tipo)}, {"texto", m.texto}});
    return lista;
}

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string campoCsv(std::string_view texto) {
    if (texto.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(texto);
    std::string campo = "\"";
    for (char c : texto) {
        if (c == '"') campo += '"';
        campo += c;
    }
    return campo + '"';
}

std::string falhaDoArquivo(const ArquivoDoLote& a) {
    if (a.linhaFalha < 0) return a.falha;
    return "linha " + std::to_string(a.linhaFalha + 1) + ": " + a.falha;
}

} // namespace

std::string textoMensagens(const Montagem& montagem, FormaMensagens forma,
                           std::string_view arquivo) {
    std::string texto;
    for (const Mensagem& m : montagem.mensagens()) {
        if (forma == FormaMensagens::Gnu) {
            texto.append(arquivo).append(":").append(std::to_string(m.numLinha + 1));
            texto.append(": ").append(nomeTipo(m.tipo)).append(": ").append(m.texto);
        } else {
            texto += m.linhaLista();
        }
        texto += '\n';
    }
    return texto;
}

std::string documentoJson(const RelatoMontagem& r, bool comMemoria) {
    const int32_t erros = r.montagem ? r.montagem->contErros() : 0;
    const int32_t mensagens = r.montagem ? static_cast<int32_t>(r.montagem->mensagens().size()) : 0;
    Json documento = {
        {"arquivo", r.arquivo},
        {"maquina", nomeMaquina(r.maquina)},
        {"status", r.status},
        {"erros", erros},
        {"avisos", mensagens - erros},
        {"mensagens", r.montagem ? jsonMensagens(*r.montagem) : Json::array()},
        {"gravados", r.gravados},
        {"abandono", r.abandono ? jsonAbandono(r.abandono->numLinha, r.abandono->texto) : Json()},
        {"falha", r.falha.empty() ? Json() : Json(r.falha)},
    };
    if (comMemoria && r.montagem) {
        const auto bytes = static_cast<size_t>(enderecosMapa(r.maquina));
        documento["memoria"] =
            std::vector<int>(r.montagem->memoria().begin(), r.montagem->memoria().begin() + bytes);
    }
    return serializa(documento) + "\n";
}

std::string resumoCsv(std::span<const ArquivoDoLote> arquivos) {
    std::string texto = "\xEF\xBB\xBF"
                        "arquivo,maquina,erros,avisos,imagem,falha\r\n";
    for (const ArquivoDoLote& a : arquivos)
        texto += campoCsv(a.nome) + "," + std::string(nomeMaquina(a.maquina)) + "," +
                 std::to_string(a.erros) + "," + std::to_string(a.avisos) + "," +
                 (a.imagemGravada ? "sim" : "não") + "," + campoCsv(falhaDoArquivo(a)) + "\r\n";
    return texto;
}

std::string resumoJson(std::span<const ArquivoDoLote> arquivos) {
    Json lista = Json::array();
    for (const ArquivoDoLote& a : arquivos) {
        const bool abandonado = a.linhaFalha >= 0;
        lista.push_back({
            {"arquivo", a.nome},
            {"maquina", nomeMaquina(a.maquina)},
            {"erros", a.erros},
            {"avisos", a.avisos},
            {"imagem", a.imagemGravada},
            {"abandono", abandonado ? jsonAbandono(a.linhaFalha, a.falha) : Json()},
            {"falha", abandonado || a.falha.empty() ? Json() : Json(a.falha)},
        });
    }
    return serializa(Json{{"arquivos", lista}}) + "\n";
}

} // namespace orvandel
