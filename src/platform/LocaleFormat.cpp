#include "platform/LocaleFormat.h"

namespace LocaleFormat {

QString fixed(double value, int decimals, const QLocale& locale)
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(value, 'f', decimals);
}

QString euros(double value, const QLocale& locale)
{
    return locale.toString(value, 'f', 2) + QStringLiteral(" €");
}

QString display(const QString& cText, const QLocale& locale)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(cText, &ok);
    if (!ok || cText.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return cText;
    const qsizetype dot = cText.indexOf(QLatin1Char('.'));
    const int decimals = dot < 0 ? 0 : static_cast<int>(cText.size() - dot - 1);
    return fixed(value, decimals, locale);
}

std::optional<double> parseDecimal(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        if (c.isSpace() || c == QChar(0x202F) || c == QChar(0x00A0))
            continue;
        s.append(c == QLatin1Char(',') ? QLatin1Char('.') : c);
    }
    if (s.isEmpty() || s.count(QLatin1Char('.')) > 1)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(s, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace LocaleFormat
