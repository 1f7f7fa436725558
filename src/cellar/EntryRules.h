#pragma once

#include "vintages/VintageTable.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What the bottle entry page and the modification dialog compute, without widgets.
namespace EntryRules {

// The bottle sizes of the entry page, and of the modification dialog (an empty entry first, no clavelin).
const QStringList& entrySizes();
const QStringList& modificationSizes();
// "", "1" .. "98".
QStringList keepingItems();
// The years from currentYear + 2 down to 1801.
QStringList vintageItems(int currentYear);

// The keeping entry to preselect for a standard keeping text: the first of "1".."98" that begins with the
// text's first word ("5 à 10 ans" -> "5", "15 ans" -> "15"); empty when none does.
QString keepingFor(const QString& garde);
// The first word of a wine type (the estates are listed under it): "Côtes du Rhône" -> "Côtes".
QString firstWord(const QString& type);
// The rating text of a vintage for a wine type, from the vintage table.
QString ratingText(const QString& type, const QString& vintage, const std::vector<VintageEntry>& table);
// The price of one bottle, "%.*f" with 2 decimals in the current locale; empty when it cannot be computed.
QString bottlePrice(const QString& amount, const QString& bottles);

// A purchase date from its three fields: DD/MM/YYYY with day and month padded, or empty when the day is.
QString purchaseDate(const QString& day, const QString& month, const QString& year);
QString twoDigits(const QString& number);

} // namespace EntryRules
