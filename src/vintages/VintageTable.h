#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class CellarSession;

// The in-memory copy of the vintage ratings: nine entries per year, one per region, in the order
// "BR", "BBL", "BoR", "BB", "BoB", "Champ", "Loire", "Rhone", "Alsace".
struct VintageEntry
{
    QString year;
    QString region;
    QString rating;
};

namespace VintageTable {

const QStringList& regions();
// The table the whole process reads: read from the current cellar the first time it is asked for.
std::vector<VintageEntry>& entries();
// Empties it: the next use reads it again.
void forget();
// Rebuilds it from ANNEES (label "CellarView::fillVintageTable"). When the query cannot be
// opened the table stays as it was.
void load(CellarSession& session);

} // namespace VintageTable
