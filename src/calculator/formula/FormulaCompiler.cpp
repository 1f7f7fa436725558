// The compiler: formula text into byte code, constant parts folded, common shapes merged.
#include "FormulaCode.h"

#include <charconv>
#include <cstring>
#include <string>

namespace formula {

using namespace detail;

namespace {

// Compiles by splitting a span at its operator of lowest precedence, rightmost first, which makes every
// binary operator left-associative. A chain of operators of one level (1+2-3+...) is compiled as a loop
// from the left rather than by recursion, and parenthesised groups are stepped over through a table of
// matching parentheses built once, so compiling is linear in the length of the text and the recursion
// only goes as deep as the parentheses and function calls really nest.
class Compiler
{
public:
    Compiler(const std::string& text, CompiledFormula& out, size_t codeBound)
        : m_text(text), m_code(out.code), m_constants(out.constants), m_bound(codeBound), m_match(text.size(), -1)
    {
        std::vector<int> open;
        for (int i = 0; i < static_cast<int>(text.size()); ++i) {
            if (text[i] == '(') {
                open.push_back(i);
            } else if (text[i] == ')' && !open.empty()) {
                m_match[open.back()] = i;
                m_match[i] = open.back();
                open.pop_back();
            }
        }
    }

    bool compileAll() { return compile(0, static_cast<int>(m_text.size()), false); }

    int errorPosition() const { return m_position; }

private:
    enum class Level
    {
        Additive,
        Multiplicative,
        Power
    };

    bool fail(const char* error, int position)
    {
        g_error = error;
        m_position = position;
        return false;
    }

    bool emit(unsigned char byte)
    {
        if (m_code.size() + 1 > m_bound)
            return fail(kCodeFull, -1);
        m_code.push_back(byte);
        return true;
    }

    bool emit(unsigned char byte, unsigned char operand) { return emit(byte) && emit(operand); }

    // After an operation of n operands whose code begins at first, replace it by one constant when every
    // operand is one ('D' and the last constants, in order). folded tells whether it was.
    bool fold(size_t first, int operands, int opcodeLength, bool* folded = nullptr)
    {
        if (folded)
            *folded = false;
        const size_t n = static_cast<size_t>(operands);
        const size_t needed = static_cast<size_t>(opcodeLength) + 2 * n;
        // Every operand takes two bytes at least, so exactly 2n bytes before the opcode are n operands of two.
        if (m_code.size() - first != needed || m_constants.size() < n)
            return true;
        const size_t base = m_constants.size() - n;
        for (size_t k = 0; k < n; ++k) {
            if (m_code[first + 2 * k] != 'D' || m_code[first + 2 * k + 1] != base + k)
                return true; // not all constants: nothing to fold
        }
        if (n == 0 && m_constants.size() >= static_cast<size_t>(kMaxConstants))
            return true;
        unsigned char slice[16];
        std::memcpy(slice, m_code.data() + first, needed);
        slice[needed] = 0;
        const double value = run(slice, m_constants.data());
        if (g_error)
            return fail(g_error, -1);
        m_code.resize(first);
        m_constants.resize(base);
        m_constants.push_back(value);
        if (folded)
            *folded = true;
        return emit('D', static_cast<unsigned char>(base));
    }

    // The peephole pass over a binary operation just emitted and not folded: its left operand's code begins
    // at left, its right operand's at right, the operator is the last byte. Operands of one instruction
    // ('D' or 'V') merge with the operator; x^2 and x^3 become a squaring or a cubing.
    void fuse(size_t left, size_t right)
    {
        const unsigned char op = m_code.back();
        const size_t at = m_code.size() - 1;
        const bool rightSimple = at - right == 2;
        const bool leftSimple = right - left == 2;
        const unsigned char rightCode = m_code[right];
        const unsigned char rightOperand = m_code[right + 1];
        if (op == '^') {
            if (!rightSimple || rightCode != 'D' || rightOperand + 1u != m_constants.size())
                return;
            const double exponent = m_constants[rightOperand];
            if (exponent != 2.0 && exponent != 3.0)
                return;
            m_constants.pop_back();
            if (leftSimple && m_code[left] == 'V') {
                const unsigned char letter = m_code[left + 1];
                m_code.resize(left);
                m_code.push_back(exponent == 2.0 ? kVarSquare : kVarCube);
                m_code.push_back(letter);
                return;
            }
            m_code.resize(right);
            m_code.push_back(exponent == 2.0 ? kSquare : kCube);
            return;
        }
        const int kind = arithmetic(op);
        const unsigned char leftCode = m_code[left];
        const unsigned char leftOperand = m_code[left + 1];
        if (kind < 0)
            return;
        if (!rightSimple && leftSimple && (op == '+' || op == '*') && (leftCode == 'D' || leftCode == 'V')) {
            // c + e and c * e are e + c and e * c to the last bit: the right part runs first, then takes c.
            m_code.erase(m_code.begin() + static_cast<std::ptrdiff_t>(left),
                         m_code.begin() + static_cast<std::ptrdiff_t>(right));
            m_code.back() = static_cast<unsigned char>((leftCode == 'D' ? kTopConst : kTopVar) + kind);
            m_code.push_back(leftOperand);
            return;
        }
        if (!rightSimple || (rightCode != 'D' && rightCode != 'V'))
            return;
        if (leftSimple && rightCode != leftCode && (leftCode == 'D' || leftCode == 'V')) {
            m_code.resize(left);
            m_code.push_back(static_cast<unsigned char>((leftCode == 'V' ? kVarConst : kConstVar) + kind));
            m_code.push_back(leftOperand);
            m_code.push_back(rightOperand);
            return;
        }
        m_code.resize(right);
        m_code.push_back(static_cast<unsigned char>((rightCode == 'D' ? kTopConst : kTopVar) + kind));
        m_code.push_back(rightOperand);
    }

    // Parentheses counted from the left: 0 when balanced; only used where the table cannot tell.
    int skipParentheses(int start, int end) const
    {
        int depth = 0;
        for (int i = start; i < end; ++i) {
            if (m_text[i] == '(')
                ++depth;
            else if (m_text[i] == ')' && --depth < 0)
                return -1;
        }
        return depth;
    }

    bool isSplit(int i, char c, Level level, int start, int firstNonSpace) const
    {
        switch (level) {
        case Level::Additive:
            if (c != '+' && c != '-')
                return false;
            if (i > start && m_text[i - 1] == 'E')
                return false;                         // the sign of an exponent
            return !(c == '-' && i == firstNonSpace); // a leading minus does not split
        case Level::Multiplicative:
            return c == '*' || c == '/';
        case Level::Power:
            return c == '^';
        }
        return false;
    }

    // The first operator of a level outside parentheses at or after from; -1 when none. The span is balanced.
    int nextSplit(int from, int start, int end, Level level, int firstNonSpace) const
    {
        for (int i = from; i < end; ++i) {
            const char c = m_text[i];
            if (c == '(') {
                i = m_match[i];
                continue;
            }
            if (isSplit(i, c, level, start, firstNonSpace))
                return i;
        }
        return -1;
    }

    // Operands joined by operators of one level, from the left: a op b op c is (a op b) op c.
    bool chain(int start, int end, int at, Level level, int firstNonSpace)
    {
        const size_t left = m_code.size();
        if (!compile(start, at, true))
            return false;
        while (at >= 0) {
            const int next = nextSplit(at + 1, start, end, level, firstNonSpace);
            const size_t right = m_code.size();
            bool folded = false;
            if (!compile(at + 1, next < 0 ? end : next, true) || !emit(static_cast<unsigned char>(m_text[at])) ||
                !fold(left, 2, 1, &folded))
                return false;
            if (!folded)
                fuse(left, right);
            at = next;
        }
        return true;
    }

    // balanced: the span's parentheses are known to pair up, else they are counted.
    bool compile(int start, int end, bool balanced)
    {
        int first = start;
        while (first < end && isSpace(m_text[first]))
            ++first;
        if (first >= end)
            return fail(kMissingOperand, start);
        if (!balanced && skipParentheses(start, end) != 0)
            return fail(kParentheses, start);
        for (const Level level : {Level::Additive, Level::Multiplicative}) {
            const int at = nextSplit(start, start, end, level, first);
            if (at >= 0)
                return chain(start, end, at, level, first);
        }
        if (m_text[first] == '-') {
            const size_t operand = m_code.size();
            return compile(first + 1, end, true) && emit('M') && fold(operand, 1, 1);
        }
        const int at = nextSplit(start, start, end, Level::Power, first);
        if (at >= 0)
            return chain(start, end, at, Level::Power, first);
        return operand(first, end);
    }

    bool enter(int position)
    {
        if (++m_nesting > kMaxNesting)
            return fail(kTooComplex, position);
        return true;
    }

    bool operand(int start, int end)
    {
        while (end > start && isSpace(m_text[end - 1]))
            --end;
        const std::string_view s(m_text.data() + start, static_cast<size_t>(end - start));
        if (s.front() == '(' && s.back() == ')') {
            if (!enter(start))
                return false;
            const bool ok = compile(start + 1, end - 1, m_match[start] == end - 1);
            --m_nesting;
            return ok;
        }
        if (s.size() == 1 && isLower(s[0]))
            return emit('V', static_cast<unsigned char>(s[0]));
        if (isNumber(s)) {
            if (m_constants.size() >= static_cast<size_t>(kMaxConstants))
                return fail(kTooManyConstants, start);
            double value = 0;
            const auto read = std::from_chars(s.data(), s.data() + s.size(), value);
            if (read.ec == std::errc::result_out_of_range)
                value =
                    s.find_first_of("123456789") == std::string_view::npos || exponentIsNegative(s) ? 0.0 : HUGE_VAL;
            m_constants.push_back(value);
            return emit('D', static_cast<unsigned char>(m_constants.size() - 1));
        }
        if (isLetter(s[0]) || s[0] == '_')
            return function(start, end);
        return fail(kSyntax, start);
    }

    // 1E-400 underflows to 0 where 1E+400 overflows to infinity, as the C library reads them.
    static bool exponentIsNegative(std::string_view s)
    {
        const size_t e = s.find_first_of("Ee");
        return e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-';
    }

    static bool isNumber(std::string_view s)
    {
        size_t i = 0;
        size_t digits = 0;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
        if (i < s.size() && s[i] == '.') {
            ++i;
            while (i < s.size() && isDigit(s[i])) {
                ++i;
                ++digits;
            }
        }
        if (digits == 0)
            return false;
        if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
            ++i;
            if (i < s.size() && (s[i] == '+' || s[i] == '-'))
                ++i;
            size_t exponent = 0;
            while (i < s.size() && isDigit(s[i])) {
                ++i;
                ++exponent;
            }
            if (exponent == 0)
                return false;
        }
        return i == s.size();
    }

    bool function(int start, int end)
    {
        int nameEnd = start;
        while (nameEnd < end && (isLetter(m_text[nameEnd]) || isDigit(m_text[nameEnd]) || m_text[nameEnd] == '_'))
            ++nameEnd;
        const std::string_view name(m_text.data() + start, static_cast<size_t>(nameEnd - start));
        int index = -1;
        for (int f = 0; f < kFunctionCount; ++f) {
            if (name == kFunctions[f].name)
                index = f;
        }
        if (index < 0)
            return fail(kUnknownFunction, start);
        if (nameEnd >= end || m_text[nameEnd] != '(' || m_text[end - 1] != ')')
            return fail(kFunctionSyntax, start);
        if (!enter(nameEnd))
            return false;
        const bool ok = arguments(index, nameEnd + 1, end - 1, m_match[nameEnd] == end - 1);
        --m_nesting;
        return ok;
    }

    // The arguments between open and close, cut at the commas outside inner parentheses: first counted,
    // then compiled. paired: the parentheses around them match each other.
    bool arguments(int index, int open, int close, bool paired)
    {
        const Function& f = kFunctions[index];
        const size_t first = m_code.size();
        if (f.parameters == 0) {
            for (int i = open; i < close; ++i) {
                if (!isSpace(m_text[i]))
                    return fail(kTooManyParameters, i);
            }
        } else {
            auto nextComma = [&](int from) {
                int depth = 0;
                for (int i = from; i < close; ++i) {
                    const char ch = m_text[i];
                    if (ch == '(' && paired)
                        i = m_match[i];
                    else if (ch == '(')
                        ++depth;
                    else if (ch == ')')
                        --depth;
                    else if (ch == ',' && depth == 0)
                        return i;
                }
                return close;
            };
            int count = 1;
            for (int at = nextComma(open); at < close; at = nextComma(at + 1))
                ++count;
            if (count != f.parameters)
                return fail(kTooManyParameters, open);
            for (int partStart = open; partStart <= close;) {
                const int partEnd = nextComma(partStart);
                if (!compile(partStart, partEnd, paired))
                    return false;
                partStart = partEnd + 1;
            }
        }
        return emit('F', static_cast<unsigned char>(index)) && (!f.foldable || fold(first, f.parameters, 2));
    }

    const std::string& m_text;
    std::vector<unsigned char>& m_code;
    std::vector<double>& m_constants;
    size_t m_bound;
    std::vector<int> m_match; // for each parenthesis, the one it pairs with (-1 when none)
    int m_position = -1;
    int m_nesting = 0;
};

// The code size bound: operators, 9 per number and per function call, 2 per other name or letter, plus 4.
size_t codeBound(const std::string& text)
{
    size_t bound = 4;
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        const char c = text[i];
        if (std::strchr("%*+/^-", c) && c != '\0') {
            if (!((c == '+' || c == '-') && i > 0 && text[i - 1] == 'E'))
                ++bound;
            ++i;
        } else if (isDigit(c) || c == '.') {
            while (i < n && (isDigit(text[i]) || text[i] == '.' || text[i] == 'E' ||
                             ((text[i] == '+' || text[i] == '-') && text[i - 1] == 'E')))
                ++i;
            bound += 9;
        } else if (isLetter(c) || c == '_') {
            while (i < n && (isLetter(text[i]) || isDigit(text[i]) || text[i] == '_'))
                ++i;
            bound += (i < n && text[i] == '(') ? 9 : 2;
        } else {
            ++i;
        }
    }
    return bound;
}

// The deepest the stack goes while running code.
int stackDepth(const std::vector<unsigned char>& code)
{
    int depth = 0;
    int deepest = 0;
    for (size_t i = 0; i < code.size(); ++i) {
        const unsigned char op = code[i];
        if (op == 'D' || op == 'V') {
            ++depth;
            ++i;
        } else if (op == 'F') {
            depth += 1 - kFunctions[code[++i]].parameters;
        } else if (op >= kVarConst && op < kVarConst + 8) { // a variable and a constant, either way round
            ++depth;
            i += 2;
        } else if (op == kVarSquare || op == kVarCube) {
            ++depth;
            ++i;
        } else if (op >= kTopConst && op < kTopVar + 4) {
            ++i;
        } else if (op != 'M' && op != kSquare && op != kCube) {
            --depth;
        }
        if (depth > deepest)
            deepest = depth;
    }
    return deepest;
}

} // namespace

bool CompileFormula(std::string_view text, std::string_view allowedLetters, CompiledFormula& out, int& length,
                    int& errorPosition)
{
    errorPosition = -1;
    length = 0;
    g_error = nullptr;
    g_dividedByZero = false;
    out.code.clear();
    out.constants.clear();
    auto failed = [&](const char* error, int position) {
        g_error = error;
        errorPosition = position;
        out.code = {};
        out.constants = {};
        out.foldedDivisionByZero = false;
        return false;
    };
    std::string copy;
    try {
        copy.assign(text);
    } catch (...) {
        return failed(kNoMemory, -1);
    }
    const int n = static_cast<int>(copy.size());
    for (int i = 0; i < n; ++i) {
        if (!isLower(copy[i]))
            continue;
        const bool alone = (i == 0 || !isLetter(copy[i - 1])) && (i + 1 >= n || !isLetter(copy[i + 1]));
        if (alone && allowedLetters.find(copy[i]) == std::string_view::npos)
            return failed(kUnknownParameter, i);
    }
    const size_t bound = codeBound(copy);
    try {
        out.code.reserve(bound + 1);
        out.constants.reserve(kMaxConstants);
    } catch (...) {
        return failed("memory pleine", -1);
    }
    Compiler compiler(copy, out, bound);
    if (!compiler.compileAll())
        return failed(g_error, compiler.errorPosition());
    if (stackDepth(out.code) > kStackSize)
        return failed(kTooComplex, -1);
    length = static_cast<int>(out.code.size());
    out.code.push_back(0);
    out.foldedDivisionByZero = g_dividedByZero;
    g_error = nullptr;
    return true;
}

} // namespace formula
