#pragma once

#include <QString>
#include <QStringList>

// Formulas kept in the settings, section "Formules", keys "0" to "999"; an empty value is a free place.
namespace StoredFormulas {

inline constexpr int kPlaces = 1000;

// Writes the formula under the first free key; false when all places are taken.
bool store(const QString& formula);
// Every stored formula, in key order.
QStringList list();
// Empties the first key holding exactly this formula; false when none does.
bool erase(const QString& formula);
// The formula last chosen in the stored-formulas dialog (kept for the whole run).
QString& chosen();

} // namespace StoredFormulas
