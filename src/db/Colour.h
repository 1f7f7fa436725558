#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The colour of a wine, as its wine type gives it. The cellar stores it as text in TYPEVIN.Etat, its code
// "0" to "3"; everywhere else in the program it is this type.
enum class Colour
{
    Red = 0,
    White = 1,
    Rose = 2,
    Other = 3
};

namespace ColourCode {

// The code the cellar stores: "0" to "3".
QString stored(Colour colour);
// The colour a stored code stands for: exactly "0" to "3"; nothing for any other text.
std::optional<Colour> fromStored(const QString& etat);
// As fromStored, a missing or foreign code read as red: the colour of a lot whose type says none.
Colour fromStoredOrRed(const QString& etat);

// Its word in the dialogs and files: "Rouge", "Blanc", "Rosé", "Autres".
QString word(Colour colour);
// The colour a word names, without regard to case; nothing for any other word.
std::optional<Colour> fromWord(const QString& word);
// The words in the order a sorted list shows them.
QStringList sortedWords();

} // namespace ColourCode
