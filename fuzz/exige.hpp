// The harnesses' invariant check: a violation aborts, so that libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace orvandel::fuzz {

inline void exige(bool valido, const char* invariante) {
    if (valido) return;
    std::fprintf(stderr, "invariante violado: %s\n", invariante);
    std::abort();
}

} // namespace orvandel::fuzz
