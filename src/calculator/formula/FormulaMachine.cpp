// The stack machine: runs the byte code of a compiled formula.
#include "FormulaCode.h"

namespace formula::detail {

double run(const unsigned char* code, const double* constants)
{
    double stack[kStackSize];
    double* top = stack; // one past the top value
    const double* variables = g_variables;
    for (const unsigned char* ip = code;; ++ip) {
        switch (*ip) {
        case 0:
            if (top - stack != 1)
                g_error = kStackLeft;
            return top > stack ? stack[0] : 0.0;
        case 'D':
            *top++ = constants[*++ip];
            break;
        case 'V':
            *top++ = variables[*++ip];
            break;
        case 'F': {
            const Function& f = kFunctions[*++ip];
            if (f.parameters > 3) {
                g_error = kBadFunction;
                return 0.0;
            }
            top -= f.parameters;
            *top = f.call(top);
            ++top;
            break;
        }
        case 'M':
            top[-1] = -top[-1];
            break;
        case kSquare:
            top[-1] *= top[-1];
            break;
        case kVarSquare: {
            const double v = variables[*++ip];
            *top++ = v * v;
            break;
        }
        case kVarCube: {
            const double v = variables[*++ip];
            *top++ = v * (v * v);
            break;
        }
        case kCube:
            top[-1] *= top[-1] * top[-1];
            break;
        case '+':
            --top;
            top[-1] += *top;
            break;
        case '-':
            --top;
            top[-1] -= *top;
            break;
        case '*':
            --top;
            top[-1] *= *top;
            break;
        case '/':
            --top;
            if (*top == 0.0)
                g_dividedByZero = true;
            top[-1] /= *top;
            break;
        case '^':
            --top;
            top[-1] = std::pow(top[-1], *top);
            break;
        case kVarConst + 0:
            *top++ = variables[ip[1]] + constants[ip[2]];
            ip += 2;
            break;
        case kVarConst + 1:
            *top++ = variables[ip[1]] - constants[ip[2]];
            ip += 2;
            break;
        case kVarConst + 2:
            *top++ = variables[ip[1]] * constants[ip[2]];
            ip += 2;
            break;
        case kVarConst + 3:
            *top++ = apply(3, variables[ip[1]], constants[ip[2]]);
            ip += 2;
            break;
        case kConstVar + 0:
        case kConstVar + 1:
        case kConstVar + 2:
        case kConstVar + 3:
            *top++ = apply(*ip - kConstVar, constants[ip[1]], variables[ip[2]]);
            ip += 2;
            break;
        case kTopConst + 0:
            top[-1] += constants[*++ip];
            break;
        case kTopConst + 1:
            top[-1] -= constants[*++ip];
            break;
        case kTopConst + 2:
            top[-1] *= constants[*++ip];
            break;
        case kTopConst + 3:
            top[-1] = apply(3, top[-1], constants[*++ip]);
            break;
        case kTopVar + 0:
        case kTopVar + 1:
        case kTopVar + 2:
        case kTopVar + 3:
            top[-1] = apply(*ip - kTopVar, top[-1], variables[ip[1]]);
            ++ip;
            break;
        default:
            g_error = kBadOpcode;
            return 0.0;
        }
    }
}

} // namespace formula::detail
