// The Portuguese texts of the failure codes that every system's C library shares.
#pragma once

#include <string>

namespace orvandel {

// The text of an errno value known everywhere, or "erro do sistema N".
std::string descricaoErroComum(int codigo);

} // namespace orvandel
