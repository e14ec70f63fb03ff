// The symbol names a label may take; the table itself is the face's.
#pragma once

#include <string_view>

#include "orvandel/simbolos.hpp"

namespace orvandel {

bool simboloBemFormado(std::string_view nome);

} // namespace orvandel
