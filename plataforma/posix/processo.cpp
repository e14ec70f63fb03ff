// The process on POSIX systems.
#include <csignal>
#include <unistd.h>

#include "memoria.hpp"
#include "processo.hpp"

namespace orvandel {

// Past a file-size limit a write then fails with EFBIG instead of killing the program, so the
// temporary file is removed, the old file stays, and the failure is reported. A source's large
// buffers, and the heap, take huge pages.
void preparaProcesso() {
    std::signal(SIGXFSZ, SIG_IGN);
    heapEmPaginasGrandes();
    std::pmr::set_default_resource(&memoriaDePaginasGrandes());
}

// The system hands the arguments over as bytes; names are taken as they are.
std::vector<std::string> argumentosDoPrograma(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

bool ehTerminal(std::FILE* fluxo) {
    return ::isatty(::fileno(fluxo)) == 1;
}

} // namespace orvandel
