// Times the formula evaluator: nanoseconds per compilation and per evaluation of typical formulas.
#include "Formula.h"

#include <chrono>
#include <cstdio>

namespace {

volatile double g_sink = 0;

template <typename F> double nanosecondsPer(int runs, F f)
{
    double best = 1e99;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < runs; ++i)
            f(i);
        const auto stop = std::chrono::steady_clock::now();
        const double ns = std::chrono::duration<double, std::nano>(stop - start).count() / runs;
        best = ns < best ? ns : best;
    }
    return best;
}

} // namespace

int main()
{
    const char* formulas[] = {"2*(3+4)/5", "(x^2/sin(2*pi()/3))-x/2", "1.1+x*2.2-x/3.3"};
    std::printf("%-28s %14s %16s\n", "formula", "compile ns", "evaluate ns");
    for (const char* text : formulas) {
        const double compile = nanosecondsPer(100000, [&](int) {
            formula::CompiledFormula f;
            int length = 0;
            int position = 0;
            formula::CompileFormula(text, "x", f, length, position);
            g_sink = g_sink + length;
        });
        formula::CompiledFormula f;
        int length = 0;
        int position = 0;
        formula::CompileFormula(text, "x", f, length, position);
        const double evaluate =
            nanosecondsPer(2000000, [&](int i) { g_sink = g_sink + formula::EvaluateFormulaAt(f, i * 1e-6); });
        std::printf("%-28s %14.1f %16.1f\n", text, compile, evaluate);
    }
    return 0;
}
