// The one context of an instruction or directive line: the run it belongs to, its operands and
// the line its reports name. Each encoder and the directives extend it with what they add.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvandel {

struct Montador;

struct ContextoLinha {
    Montador& m;
    std::span<const std::string_view> operandos;
    int32_t numLinha;

    void erro(std::string texto) const;
    void aviso(std::string texto) const;
};

} // namespace orvandel
