#include "db/Colour.h"

namespace ColourCode {

namespace {

const char* const kWords[] = {"Rouge", "Blanc", "Rosé", "Autres"};

} // namespace

QString stored(Colour colour)
{
    return QString::number(static_cast<int>(colour));
}

std::optional<Colour> fromStored(const QString& etat)
{
    // Exactly one digit, as the tree's statements compare it (Etat IN ('0', '1', '2', '3')).
    if (etat.size() != 1 || etat[0] < QLatin1Char('0') || etat[0] > QLatin1Char('3'))
        return std::nullopt;
    return static_cast<Colour>(etat[0].digitValue());
}

Colour fromStoredOrRed(const QString& etat)
{
    return fromStored(etat).value_or(Colour::Red);
}

QString word(Colour colour)
{
    return QString::fromUtf8(kWords[static_cast<int>(colour)]);
}

std::optional<Colour> fromWord(const QString& text)
{
    for (int code = 0; code < 4; ++code) {
        if (text.compare(QString::fromUtf8(kWords[code]), Qt::CaseInsensitive) == 0)
            return static_cast<Colour>(code);
    }
    return std::nullopt;
}

QStringList sortedWords()
{
    return {word(Colour::Other), word(Colour::White), word(Colour::Rose), word(Colour::Red)};
}

} // namespace ColourCode
