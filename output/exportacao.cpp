// The image's export formats.
#include "exportacao.hpp"

#include <cstdio>

namespace orvandel {

namespace {

constexpr int kPorLinha = 16;

void acrescentaHexa(std::string& destino, unsigned valor, int digitos) {
    char texto[12];
    std::snprintf(texto, sizeof texto, "%0*X", digitos, valor);
    destino += texto;
}

// ":LLAAAA00dd...CC": length, address, type 00, data, and the checksum that makes them sum to 0.
void registroDados(std::string& destino, const Memoria& memoria, int32_t inicio, int32_t quantos) {
    unsigned soma = static_cast<unsigned>(quantos) + (static_cast<unsigned>(inicio) >> 8) +
                    (static_cast<unsigned>(inicio) & 0xFF);
    destino += ':';
    acrescentaHexa(destino, static_cast<unsigned>(quantos), 2);
    acrescentaHexa(destino, static_cast<unsigned>(inicio), 4);
    destino += "00";
    for (int32_t k = 0; k < quantos; ++k) {
        const uint8_t byte = memoria[static_cast<size_t>(inicio + k)];
        soma += byte;
        acrescentaHexa(destino, byte, 2);
    }
    acrescentaHexa(destino, (0x100 - (soma & 0xFF)) & 0xFF, 2);
    destino += "\r\n";
}

std::string_view bytesDaMaquina(Maquina maquina, const Memoria& memoria) {
    return {reinterpret_cast<const char*>(memoria.data()),
            static_cast<size_t>(ultimoEndereco(maquina)) + 1};
}

// One token of a Logisim file: the value, or "count*value" for a run long enough to pay.
std::string valorLogisim(unsigned valor, size_t repeticoes) {
    char texto[24];
    if (repeticoes > 1)
        std::snprintf(texto, sizeof texto, "%zu*%x", repeticoes, valor);
    else
        std::snprintf(texto, sizeof texto, "%x", valor);
    return texto;
}

char caractereVisivel(uint8_t byte) {
    return byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
}

} // namespace

std::string_view extensaoExportacao(FormatoExportacao formato) {
    switch (formato) {
    case FormatoExportacao::IntelHex:
        return "hex";
    case FormatoExportacao::Binario:
        return "bin";
    case FormatoExportacao::Logisim:
        return "logisim";
    case FormatoExportacao::Texto:
        return "txt";
    }
    return "";
}

std::optional<Faixa> faixaUsada(std::span<const int32_t> origens) {
    std::optional<Faixa> faixa;
    for (size_t i = 0; i < origens.size(); ++i) {
        if (origens[i] < 0) continue;
        const auto endereco = static_cast<int32_t>(i);
        if (!faixa) faixa = Faixa{endereco, endereco};
        faixa->ultimo = endereco;
    }
    return faixa;
}

std::string conteudoIntelHex(const Memoria& memoria, std::optional<Faixa> faixa) {
    std::string conteudo;
    for (int32_t inicio = faixa ? faixa->primeiro : 0; faixa && inicio <= faixa->ultimo;
         inicio += kPorLinha)
        registroDados(conteudo, memoria, inicio, std::min(kPorLinha, faixa->ultimo - inicio + 1));
    return conteudo + ":00000001FF\r\n";
}

std::string conteudoBinario(Maquina maquina, const Memoria& memoria) {
    return std::string(bytesDaMaquina(maquina, memoria));
}

std::string conteudoLogisim(Maquina maquina, const Memoria& memoria) {
    std::string_view bytes = bytesDaMaquina(maquina, memoria);
    while (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
    std::string conteudo = "v2.0 raw\n";
    int naLinha = 0;
    for (size_t i = 0; i < bytes.size();) {
        size_t repeticoes = 1;
        while (i + repeticoes < bytes.size() && bytes[i + repeticoes] == bytes[i]) ++repeticoes;
        if (repeticoes < 4) repeticoes = 1;
        conteudo += valorLogisim(static_cast<uint8_t>(bytes[i]), repeticoes);
        conteudo += ++naLinha == kPorLinha || i + repeticoes == bytes.size() ? '\n' : ' ';
        if (naLinha == kPorLinha) naLinha = 0;
        i += repeticoes;
    }
    return conteudo;
}

std::string conteudoDump(Maquina maquina, const Memoria& memoria) {
    const std::string_view bytes = bytesDaMaquina(maquina, memoria);
    const int digitos = ehJelmo(maquina) ? 4 : 2;
    std::string conteudo;
    for (size_t inicio = 0; inicio < bytes.size(); inicio += kPorLinha) {
        acrescentaHexa(conteudo, static_cast<unsigned>(inicio), digitos);
        std::string texto = "  |";
        for (size_t k = 0; k < kPorLinha; ++k) {
            const auto byte = static_cast<uint8_t>(bytes[inicio + k]);
            conteudo += k == 0 || k == kPorLinha / 2 ? "  " : " ";
            acrescentaHexa(conteudo, byte, 2);
            texto += caractereVisivel(byte);
        }
        conteudo += texto + "|\r\n";
    }
    return conteudo;
}

std::string conteudoExportacao(FormatoExportacao formato, Maquina maquina, const Memoria& memoria,
                               std::span<const int32_t> origens) {
    switch (formato) {
    case FormatoExportacao::IntelHex:
        return conteudoIntelHex(memoria, faixaUsada(origens));
    case FormatoExportacao::Binario:
        return conteudoBinario(maquina, memoria);
    case FormatoExportacao::Logisim:
        return conteudoLogisim(maquina, memoria);
    case FormatoExportacao::Texto:
        return conteudoDump(maquina, memoria);
    }
    return "";
}

} // namespace orvandel
