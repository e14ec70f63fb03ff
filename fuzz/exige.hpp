// What the harnesses share: the invariant check (a violation aborts, so that libFuzzer keeps the
// input) and the splitting of fuzz bytes into a command line.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel::fuzz {

inline void exige(bool valido, const char* invariante) {
    if (valido) return;
    std::fprintf(stderr, "invariante violado: %s\n", invariante);
    std::abort();
}

// A command line from fuzz bytes: each argument ends at a NUL byte (the last may go without).
inline std::vector<std::string> divideArgumentos(std::string_view bytes) {
    std::vector<std::string> lista;
    while (!bytes.empty()) {
        const size_t fim = std::min(bytes.find('\0'), bytes.size());
        lista.emplace_back(bytes.substr(0, fim));
        bytes.remove_prefix(std::min(fim + 1, bytes.size()));
    }
    return lista;
}

} // namespace orvandel::fuzz
