#pragma once

#include <QString>

class Database;

// Builds cellars for the demo, the tests and the benchmarks.
namespace CellarGenerator {

// Creates a cellar file at path with the complete schema (the settings are not touched).
// Throws DbError on failure.
void createCompleteCellar(const QString& path);

// About forty lots over a dozen wine types of several colours and countries, with crus, dishes,
// estates, a few rack positions and vintage ratings from 1990 to last year.
void fillDemo(Database& db);

// lots wine lots spread over realistic types, appellations, colours, countries and vintages, one in ten
// a red Bordeaux; the same seed gives the same cellar.
void fillSynthetic(Database& db, int lots, unsigned seed = 1);
// A complete cellar at path filled with that many synthetic lots; its path.
QString createSyntheticCellar(const QString& path, int lots);

} // namespace CellarGenerator
