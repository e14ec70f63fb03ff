// Windows lends large pages only to a process holding the "lock pages in memory" privilege,
// which a student's account does not have: blocks come from operator new, and the heap is left
// as it is.
#include "memoria.hpp"

namespace orvandel {

std::pmr::memory_resource& memoriaDePaginasGrandes() {
    return *std::pmr::new_delete_resource();
}

void heapEmPaginasGrandes() {}

} // namespace orvandel
