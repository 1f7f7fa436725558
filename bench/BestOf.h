#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <sys/resource.h>

// The best of runs timings of f, in milliseconds: the benchmarks' common measure.
template <typename F> double bestOf(int runs, F f)
{
    double best = 1e99;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// The peak memory of the process so far, in megabytes.
inline long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}
