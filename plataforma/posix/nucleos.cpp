// Thread placement on POSIX systems: Linux's CPU affinity.
#include <pthread.h>
#include <sched.h>

#include "nucleos.hpp"

namespace orvandel {

void afastaDoNucleoAtual(std::thread& fio) {
#ifdef __linux__
    cpu_set_t nucleos;
    if (::sched_getaffinity(0, sizeof nucleos, &nucleos) != 0) return;
    const int atual = ::sched_getcpu();
    if (atual < 0 || atual >= CPU_SETSIZE || !CPU_ISSET(atual, &nucleos)) return;
    CPU_CLR(atual, &nucleos);
    if (CPU_COUNT(&nucleos) == 0) return;
    ::pthread_setaffinity_np(fio.native_handle(), sizeof nucleos, &nucleos); // a hint: may fail
#else
    (void)fio;
#endif
}

} // namespace orvandel
