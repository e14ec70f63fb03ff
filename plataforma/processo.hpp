// What the command-line program asks of the system before it starts working.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace orvandel {

// Settles how failures and text reach the program and the terminal: on POSIX a write past a
// file-size limit fails instead of killing the program, and the default memory resource is
// memoriaDePaginasGrandes; on Windows the console shows UTF-8.
void preparaProcesso();

// The arguments after the program's own name, as UTF-8 text.
std::vector<std::string> argumentosDoPrograma(int argc, char** argv);

// Whether the stream reaches a terminal (on Windows, a console: not the NUL device, which the
// C library's own test takes for one).
bool ehTerminal(std::FILE* fluxo);

} // namespace orvandel
