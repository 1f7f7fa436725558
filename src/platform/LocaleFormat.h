#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// Numbers as the user reads and types them.
namespace LocaleFormat {

// "%.*f" in the current locale: 16.666 with 2 decimals gives "16,67" in French.
QString fixed(double value, int decimals, const QLocale& locale = QLocale());

// An amount of euros as the user reads it: two decimals, the locale's group separators and " €"
// ("12 345,60 €" in French).
QString euros(double value, const QLocale& locale = QLocale());

// A number stored in the C form ("1.2736", "-3") as the user reads it, with as many decimals: "1,2736" in
// French. Any other text (a message, an empty field) is given back as it is.
QString display(const QString& cText, const QLocale& locale = QLocale());

// Reads a decimal number typed with either "." or "," as the decimal separator, whatever the locale;
// blanks are ignored. Returns nothing when the text is not a number (group separators are refused:
// "1.234,5" is not read as a thousand).
std::optional<double> parseDecimal(const QString& text);

} // namespace LocaleFormat
