// The interface of the evaluator: evaluation, variables, the last operation's outcome.
#include "Formula.h"

#include "FormulaCode.h"

namespace formula {

using namespace detail;

namespace {

inline double evaluate(const CompiledFormula& formula)
{
    g_error = nullptr;
    g_dividedByZero = formula.foldedDivisionByZero;
    const size_t size = formula.code.size();
    if (size == 3 && formula.code[0] == 'D')
        return formula.constants[formula.code[1]]; // a formula without variables folds to one constant
    if (size == 0) {
        g_error = kEmptyCode;
        return 0.0;
    }
    return run(formula.code.data(), formula.constants.data());
}

} // namespace

double EvaluateFormula(const CompiledFormula& formula)
{
    return evaluate(formula);
}

double EvaluateFormulaAt(const CompiledFormula& formula, double x)
{
    g_variables['x'] = x;
    return evaluate(formula);
}

void SetFormulaVariable(char letter, double value)
{
    if (isLower(letter))
        g_variables[static_cast<unsigned char>(letter)] = value;
}

bool IsFormulaValid(const CompiledFormula& formula)
{
    g_error = nullptr;
    return !formula.code.empty();
}

const char* FormulaError()
{
    return g_error;
}

bool FormulaDividedByZero()
{
    return g_dividedByZero;
}

} // namespace formula
