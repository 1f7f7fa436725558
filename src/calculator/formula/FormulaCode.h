#pragma once

// The byte code shared by the compiler and the stack machine of the formula evaluator: the functions, the
// internal opcodes, the error texts and the state of the last operation. Not part of the interface.

#include "Formula.h"

#include <cmath>

namespace formula::detail {

struct Function
{
    const char* name;
    double (*call)(const double* args);
    int parameters;
    bool foldable;
};

inline const Function kFunctions[] = {
    {"exp", [](const double* a) { return std::exp(a[0]); }, 1, true},
    {"ln", [](const double* a) { return std::log(a[0]); }, 1, true},
    {"sin", [](const double* a) { return std::sin(a[0]); }, 1, true},
    {"cos", [](const double* a) { return std::cos(a[0]); }, 1, true},
    {"tan", [](const double* a) { return std::tan(a[0]); }, 1, true},
    {"asin", [](const double* a) { return std::asin(a[0]); }, 1, true},
    {"acos", [](const double* a) { return std::acos(a[0]); }, 1, true},
    {"atan", [](const double* a) { return std::atan(a[0]); }, 1, true},
    {"abs", [](const double* a) { return std::fabs(a[0]); }, 1, true},
    {"rac", [](const double* a) { return std::sqrt(a[0]); }, 1, true},
    {"pi", [](const double*) { return 3.141592653589793; }, 0, true},
};
inline constexpr int kFunctionCount = static_cast<int>(sizeof kFunctions / sizeof kFunctions[0]);
// Parentheses and function calls may nest this deep.
inline constexpr int kMaxNesting = 256;
// Internal opcodes, written by the compiler's peephole pass and never read from outside: fewer, larger
// steps for the shapes typed most often. All stay below '^', like the opcodes of the byte code.
inline constexpr unsigned char kSquare = 'Q';    // top = top * top
inline constexpr unsigned char kCube = 'K';      // top = top * top * top
inline constexpr unsigned char kVarConst = '0';  // '0'..'3' letter index: push variable (+ - * /) constant
inline constexpr unsigned char kConstVar = '4';  // '4'..'7' index letter: push constant (+ - * /) variable
inline constexpr unsigned char kTopConst = '8';  // '8'..';' index: top = top (+ - * /) constant
inline constexpr unsigned char kTopVar = '<';    // '<'..'?' letter: top = top (+ - * /) variable
inline constexpr unsigned char kVarSquare = 'R'; // letter: push variable * variable
inline constexpr unsigned char kVarCube = 'S';   // letter: push variable * variable * variable

// 0 to 3 for + - * /, -1 for any other byte.
constexpr int arithmetic(unsigned char op)
{
    return op == '+' ? 0 : op == '-' ? 1 : op == '*' ? 2 : op == '/' ? 3 : -1;
}

inline const char* g_error = nullptr;
inline bool g_dividedByZero = false;
inline double g_variables[128] = {}; // indexed by the letter itself: only 'a' to 'z' are used

inline constexpr const char* kNoMemory = "no memory";
inline constexpr const char* kUnknownParameter = "parametre inconnu";
inline constexpr const char* kMissingOperand = "operande ?";
inline constexpr const char* kParentheses = "Vérifiez parentheses";
inline constexpr const char* kTooManyConstants = "Trop de constantes";
inline constexpr const char* kUnknownFunction = "fonction inconnue";
inline constexpr const char* kFunctionSyntax = "syntaxe de fonction foireuse";
inline constexpr const char* kTooManyParameters = "trop de parametres";
inline constexpr const char* kSyntax = "erreur de syntaxe";
inline constexpr const char* kCodeFull = "Aie Aie Aie...";
inline constexpr const char* kEmptyCode = "code fonction vide";
inline constexpr const char* kBadOpcode = "Aie : opérateur invalide";
inline constexpr const char* kBadFunction = "Aie: trop de parametres\n";
inline constexpr const char* kStackLeft = "Aie : Buffer dégagé";
inline constexpr const char* kTooComplex = "formule trop complexe";

inline bool isLower(char c)
{
    return c >= 'a' && c <= 'z';
}

// Letters and digits of the formula language are ASCII, whatever the user's locale says of other bytes.
inline bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

inline double apply(int op, double left, double right)
{
    switch (op) {
    case 0:
        return left + right;
    case 1:
        return left - right;
    case 2:
        return left * right;
    default:
        if (right == 0.0)
            g_dividedByZero = true;
        return left / right;
    }
}

// Runs code on a stack; shared by evaluation and by the compiler's folding. Returns the bottom value.
double run(const unsigned char* code, const double* constants);

} // namespace formula::detail
