#pragma once

// The formula evaluator: compiles a typed arithmetic formula (operators + - * / ^, parentheses, numbers,
// lower-case variables, functions exp ln sin cos tan asin acos atan abs rac pi) into byte code for a
// stack machine, folding constant parts, then evaluates it without allocating.
// Self-contained: the standard library only.

#include <string_view>
#include <vector>

namespace formula {

struct CompiledFormula
{
    // Opcodes: 'D' index (push constant), 'V' letter (push variable), 'F' index (call function), 'M' (negate),
    // '+' '-' '*' '/' '^', and a zero byte at the end.
    std::vector<unsigned char> code;
    std::vector<double> constants;     // at most 255
    bool foldedDivisionByZero = false; // a constant part divided by zero when it was folded
};

// Compiles text; only the letters of allowedLetters may be used as variables. On success returns true,
// length is the code's length (without its zero byte) and errorPosition is -1. On failure out is emptied,
// length is 0, errorPosition is where the error was found (or -1) and FormulaError() tells what it is.
bool CompileFormula(std::string_view text, std::string_view allowedLetters, CompiledFormula& out, int& length,
                    int& errorPosition);

// Evaluates compiled code; the error text is cleared first. Mathematical domain and range errors are left
// to the mathematics library (errno), as are divisions by zero (see FormulaDividedByZero()).
double EvaluateFormula(const CompiledFormula& formula);
// Sets the variable x, then evaluates.
double EvaluateFormulaAt(const CompiledFormula& formula, double x);
// Sets a variable 'a'..'z' (process-wide, 0 at start).
void SetFormulaVariable(char letter, double value);

// True when the formula has code; clears the error text.
bool IsFormulaValid(const CompiledFormula& formula);
// The error of the last operation, or nullptr when it succeeded.
const char* FormulaError();
// True when the last compilation or evaluation divided by zero.
bool FormulaDividedByZero();

// The evaluation stack: a formula that would need more is refused when compiled.
inline constexpr int kStackSize = 500;
inline constexpr int kMaxConstants = 255;

} // namespace formula
