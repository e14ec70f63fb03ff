// Generated sources, cached by dialect and size.
#include "fontes_bench.hpp"

#include <map>
#include <utility>

#include "fonte.hpp"

namespace orvandel::bench {

const std::string& textoFonte(geracao::Dialeto dialeto, int linhas) {
    static std::map<std::pair<geracao::Dialeto, int>, std::string> cache;
    auto [entrada, nova] = cache.try_emplace({dialeto, linhas});
    if (nova) entrada->second = geracao::geraFonte(dialeto, linhas);
    return entrada->second;
}

const std::vector<std::string>& linhasFonte(geracao::Dialeto dialeto, int linhas) {
    static std::map<std::pair<geracao::Dialeto, int>, std::vector<std::string>> cache;
    auto [entrada, nova] = cache.try_emplace({dialeto, linhas});
    if (nova) entrada->second = decodificaFonte(textoFonte(dialeto, linhas)).linhas;
    return entrada->second;
}

} // namespace orvandel::bench
