#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
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

// One measure for scripts/bench, which gathers these lines of several runs into docs/performance.md:
//   @<measure>\t<goal>\t<value>\t<unit>
// The goal is empty when there is none; the programs print their own tables beside.
inline void report(const char* measure, const char* goal, double value, const char* unit)
{
    std::printf("@%s\t%s\t%.3f\t%s\n", measure, goal, value, unit);
    std::fflush(stdout);
}

// The arguments "[--runs N] CELLAR" of the programs that measure a cellar: the cellar's path, or an empty
// text (after the usage on standard error) when they are not that.
inline QString cellarArgument(QStringList args, int& runs, const char* usage)
{
    if (args.size() >= 2 && args[0] == QLatin1String("--runs")) {
        runs = std::max(1, args[1].toInt());
        args = args.mid(2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: %s [--runs N] CELLAR\n", usage);
        return QString();
    }
    return args[0];
}
