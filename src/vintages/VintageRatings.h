#pragma once

#include "vintages/VintageTable.h"

#include <QString>
#include <QStringList>
#include <vector>

class CellarSession;

// The vintage ratings kept in ANNEES: per year, a row "Tonnelix" with the year, then nine rows, one per
// region in the order of VintageTable::regions(), each with its rating ("" or "0" to "20"). Read in table
// order (rowid); every save runs in one transaction.
namespace VintageRatings {

struct Year
{
    QString year;
    QStringList ratings; // nine, in the regions' order
};
// Each year once, in table order: a year written twice (by an older release) shows its first group.
std::vector<Year> load(CellarSession& session, const QString& label);

// The region codes as the page titles its columns ("Rhône" for "Rhone").
QStringList columnTitles();
// The combo labels of the regions, "Bordeaux Rouge :" ...
QStringList regionLabels();
// The entries of a region's list: "", "0" ... "20".
QStringList ratingItems();
// "" or a whole number from 0 to 20.
bool isRating(const QString& text);

// Years offered to add: every year from 1915 (or the table's first year, if earlier) up to currentYear that
// has no group yet, in increasing order.
QStringList yearsToAdd(const std::vector<VintageEntry>& table, int currentYear);
// Years offered to modify: each year that has a group, in increasing order.
QStringList yearsToModify(const std::vector<VintageEntry>& table);

// Appends one group per year, in the order given; the chosen year gets the ratings, every other year nine
// empty ratings. False when the write failed (nothing written).
bool addYears(CellarSession& session, const QStringList& years, const QString& chosen, const QStringList& ratings);
// Adds the group of a year that has none, with its ratings, and an empty group for each missing year between
// it and the groups already there, so that the years keep increasing without a gap and none is written twice:
// after the nearest earlier year, or before the first group for a year earlier than every group. Nothing
// already there is changed or removed. False when the year is there already or the write failed (nothing
// written).
bool addYear(CellarSession& session, int year, const QStringList& ratings);
// Writes the nine ratings of a year. False when the year is not there or the write failed (nothing written).
bool modifyYear(CellarSession& session, const QString& year, const QStringList& ratings);

} // namespace VintageRatings
