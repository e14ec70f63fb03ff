// Memory for the buffers that grow with a source: its text, its line list and the engine's
// records per line.
#pragma once

#include <memory_resource>

namespace orvandel {

// Serves each block of a megabyte or more from whole huge pages where the system lends them for
// the asking, and smaller blocks as operator new does. A source of a million lines fills some
// fifty megabytes in a fraction of a second: in pages of 4 KB that is twelve thousand page
// faults, each a trip into the kernel (and, in a virtual machine, often into the host too); in
// huge pages of 2 MB, a few dozen. preparaProcesso makes it the default memory resource, which
// those buffers draw on. Where huge pages are not to be had, it is operator new throughout.
std::pmr::memory_resource& memoriaDePaginasGrandes();

// Puts the next few megabytes of the C library's heap, where a run's strings and small tables
// live, on huge pages, where the system lends them for the asking (POSIX with the GNU C library).
// A fresh 4 KB page costs a fault, about 10 µs in a virtual machine whose host must back it too;
// a huge page costs about 170 µs for 512 of them. A run's few hundred kilobytes of small blocks
// took a hundred faults.
void heapEmPaginasGrandes();

} // namespace orvandel
