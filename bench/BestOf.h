#pragma once

#include <QElapsedTimer>
#include <algorithm>

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
