#include "calculator/CalculatorEngine.h"

#include "Formula.h"
#include "calculator/Currencies.h"

#include <cerrno>

namespace {

const QString kDivisionByZero = QStringLiteral("Division par 0 impossible");

// The value of a piece of formula, if it compiles.
bool valueOf(const QString& text, double& value)
{
    formula::CompiledFormula f;
    int length = 0;
    int position = 0;
    if (!formula::CompileFormula(text.toStdString(), "x", f, length, position))
        return false;
    value = formula::EvaluateFormulaAt(f, 0.0);
    return true;
}

double rateOf(const QString& currency, double dollarRate)
{
    if (currency == Currencies::kDollar)
        return dollarRate;
    return Currencies::rateText(currency).toDouble();
}

} // namespace

QString CalculatorEngine::fixed(double value) const
{
    return QString::number(value, 'f', decimals);
}

double CalculatorEngine::resultValue() const
{
    bool ok = false;
    const double v = result.toDouble(&ok);
    return ok ? v : 0.0;
}

int CalculatorEngine::lastOperator(const QString& text)
{
    for (int i = text.size() - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        if ((c == QLatin1Char('+') && i > 0) || c == QLatin1Char('-') || c == QLatin1Char('*') || c == QLatin1Char('/'))
            return i;
    }
    return -1;
}

CalculatorEngine::Outcome CalculatorEngine::recompute()
{
    if (formula.contains(QLatin1Char('%'))) {
        formula.remove(QLatin1Char('%'));
        applyPercent();
        return Outcome::Done;
    }
    formula.replace(QLatin1Char(','), QLatin1Char('.'));
    if (formula.endsWith(QLatin1String("/0")) || formula.endsWith(QLatin1String("/0."))) {
        result = kDivisionByZero;
        return Outcome::Done;
    }
    if (formula.isEmpty()) {
        result.clear();
        upperAmount.clear();
        dollarAmount.clear();
        return Outcome::Done;
    }
    errno = 0; // folding already computes the constant parts
    formula::CompiledFormula compiled;
    int length = 0;
    int position = 0;
    if (!formula::CompileFormula(formula.toStdString(), "x", compiled, length, position))
        return Outcome::Done; // the previous result stays
    const double value = formula::EvaluateFormulaAt(compiled, 0.0);
    if (formula::FormulaDividedByZero()) {
        // A divisor that comes to 0, as 10/(5-5), is refused like a literal one.
        result = kDivisionByZero;
        upperAmount.clear();
        dollarAmount.clear();
        return Outcome::Done;
    }
    if (errno == EDOM || errno == ERANGE)
        return Outcome::FormulaError;
    result = fixed(value);
    convert();
    return Outcome::Done;
}

void CalculatorEngine::convert()
{
    bool ok = false;
    const double v = result.toDouble(&ok);
    if (!ok)
        return;
    const double r1 = rateOf(upper, dollarRate);
    const double r2 = rateOf(lower, dollarRate);
    double up = 0;
    if (upper == Currencies::kEuro)
        up = v / r2;
    else if (lower == Currencies::kEuro)
        up = v * r1;
    else
        up = v * r1 / r2;
    const double euros = lower == Currencies::kEuro ? v : v / r2;
    const double dollars = euros * dollarRate;
    upperAmount = QString::number(up, 'f', 6);
    dollarAmount = QString::number(dollars, 'f', 6);
    if (rounding) {
        upperAmount = fixed(upperAmount.toDouble());
        dollarAmount = fixed(dollarAmount.toDouble());
    }
}

void CalculatorEngine::applyPercent()
{
    const double t = resultValue();
    const int at = lastOperator(formula);
    if (at < 0) {
        formula = fixed(0.0);
        recompute();
        return;
    }
    const QString a = formula.left(at);
    const QChar op = formula.at(at);
    const QString b = formula.mid(at + 1);
    double p = 0;
    if (!valueOf(b, p))
        return;
    double base = 0;
    if (a.contains(QLatin1Char('('))) {
        // A left part in parentheses: its own value is the base.
        if (!valueOf(a, base))
            return;
    } else if (op == QLatin1Char('+')) {
        base = t - p;
    } else if (op == QLatin1Char('-')) {
        base = t + p;
    } else if (op == QLatin1Char('*')) {
        base = t / p;
    } else {
        base = t * p;
    }
    formula = a + op + fixed(base * p / 100.0);
    recompute();
}

void CalculatorEngine::clearEntry()
{
    const int at = lastOperator(formula);
    formula = at < 0 ? QString() : formula.left(at);
    recompute();
    if (formula.isEmpty()) {
        upperAmount.clear();
        dollarAmount.clear();
    }
}

void CalculatorEngine::clearAll()
{
    formula.clear();
    upperAmount.clear();
    dollarAmount.clear();
    recompute();
}

bool CalculatorEngine::applyVat(const QString& rate)
{
    if (formula.isEmpty())
        return false;
    const QChar last = formula.back();
    if (last != QLatin1Char('+') && last != QLatin1Char('-') && last != QLatin1Char('*') && last != QLatin1Char('/') &&
        last != QLatin1Char('%'))
        return false;
    formula += rate;
    recompute();
    applyPercent();
    return true;
}
