// Where a helper thread runs.
#pragma once

#include <thread>

namespace orvandel {

// Keeps a thread just started off the core its creator is running on, so that it starts at once
// on an idle one. Linux places a new thread, and one it wakes, beside the thread that made or
// woke it, and moves it to an idle core only when that core's time slice ends: measured on a
// two-core virtual machine, the thread then started 0.04 to 4 ms late, while its creator kept
// the core busy; kept off that core, it started in 0.1 ms. Where the system offers no such
// placement, or the process may use one core only, the thread is left where it is.
void afastaDoNucleoAtual(std::thread& fio);

} // namespace orvandel
