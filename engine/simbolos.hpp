// The symbol names a label may take; the table itself is the face's.
#pragma once

#include <string_view>

#include "orvandel/simbolos.hpp"

namespace orvandel {

inline bool ehLetraOuSublinhado(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// A letter or an underscore, then letters, digits and underscores.
bool simboloBemFormado(std::string_view nome);

} // namespace orvandel
