#pragma once

#include <QString>

// What the calculator page computes, without widgets: the formula and its value in the lower currency,
// the amount in the upper currency and in US dollars, the memory, the percent and VAT rules.
class CalculatorEngine
{
public:
    enum class Outcome
    {
        Done,
        FormulaError
    };

    QString formula;
    QString result;
    QString upperAmount;
    QString dollarAmount;
    QString upper = QStringLiteral("Euro");
    QString lower = QStringLiteral("France");
    int decimals = 2;
    bool rounding = false;
    double dollarRate = 0;
    double memory = 0;

    // Recomputes the result from the formula and converts it. FormulaError: the mathematics failed
    // ("Erreur dans la formule !" is for the page to show).
    Outcome recompute();
    void convert();
    // Replaces the operand after the last operator by its percentage of what lies before it.
    void applyPercent();
    // "CE": the formula loses its last operator and what follows.
    void clearEntry();
    // "C".
    void clearAll();
    // "&TVA": appends the rate after a trailing operator and applies it; false when there is no operator.
    bool applyVat(const QString& rate);

    // Position of the last '+' (not the first character), '-', '*' or '/'; -1 when none.
    static int lastOperator(const QString& text);
    // The value of the result field (0 when it is no number).
    double resultValue() const;

private:
    QString fixed(double value) const;
};
