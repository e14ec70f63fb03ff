// Thread placement on Windows: left to the system's scheduler.
#include "nucleos.hpp"

namespace orvandel {

void afastaDoNucleoAtual(std::thread&) {}

} // namespace orvandel
