// The calculator's formulas: compiled with the letters a stored formula may use, then evaluated.
#include "Formula.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace formula;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the letters allowed, the rest is the formula as typed.
    static constexpr std::string_view letterSets[] = {"", "x", "abcdefghijklmnopqrstuvwxyz", "xyz"};
    const std::string_view letters = letterSets[data[0] % 4];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    CompiledFormula formula;
    int length = 0;
    int errorPosition = -1;
    if (!CompileFormula(text, letters, formula, length, errorPosition))
        return 0;
    (void)IsFormulaValid(formula);
    SetFormulaVariable('y', 2.5);
    (void)EvaluateFormula(formula);
    (void)EvaluateFormulaAt(formula, -1.0e300);
    (void)EvaluateFormulaAt(formula, 0.0);
    (void)FormulaDividedByZero();
    return 0;
}
