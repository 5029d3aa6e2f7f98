#pragma once
// This thread's CPU time, so that other work on the machine weighs less on
// a figure than wall-clock time would let it.
#include <time.h>

namespace benchsupport {

inline double ThreadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

}  // namespace benchsupport
