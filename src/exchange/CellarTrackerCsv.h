#pragma once

#include "exchange/Csv.h"
#include "exchange/ImportResult.h"

class CellarSession;

// The CSV exports of CellarTracker ("Inventory": one row per bottle; "Bottles": with each bottle's state,
// quantity, cost and consumption date), recognised by their header and mapped to the cellar's lots.
namespace CellarTrackerCsv {

bool recognises(const QStringList& header);
// The header's columns that the import uses, and those it passes over.
ImportResult describe(const QStringList& header);

// Rows of one wine bought the same day at the same price are one lot; the consumed bottles of the Bottles
// export become exits of their lot, dated when they were drunk. One transaction.
ImportResult import(CellarSession& session, const Csv::Table& table, const QString& path);

// The pieces of the mapping, for the tests.
QString decodeEntities(const QString& text);           // "Feteasc&#259;" -> "Fetească"
QString size(const QString& text);                     // "750ml" -> "0,75 L", "1.5L" -> "1,5 L"
QString date(const QString& text);                     // "3/7/2019" -> "07/03/2019"
int keeping(const QString& beginConsume, int vintage); // years before drinking, 99 when unknown
QString colour(const QString& text);                   // "Red" -> "0" ...
QString countryCode(const QString& englishName);       // "France" -> "FR", empty when unknown
QString wineName(const QString& wine, const QString& producer);

} // namespace CellarTrackerCsv
