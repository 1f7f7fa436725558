#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class CellarSession;
class Database;

// The cellar's tables. The base schema (CAVE, TYPEVIN, CRUS, ANNEES) is what every cellar file holds;
// the upgrade chain adds the other columns and tables.
namespace Schema {

// The version the cellar records in its last INFO row ("6.00"); nothing when it records none or the query
// failed (reported under label).
std::optional<QString> recordedVersion(CellarSession& session, const QString& label);

// The newest schema this release knows.
inline constexpr double kNewestVersion = 6.00;
// A version as INFO records it, "6.00", "6,00" or " 7 "; nothing when the text is no number.
std::optional<double> parseVersion(const QString& text);
// The newest version the INFO rows record; 0 when there is none.
double recordedVersionNumber(Database& db);
// The version text when a row records a version newer than this release's: such a cellar is never written.
std::optional<QString> newerVersionText(Database& db);

// True when the file has no table at all (a database just created).
bool isBlank(Database& db);
// True when the file holds the base tables of a cellar.
bool isCellar(Database& db);

// The schema's statements throw DbError and run inside their caller's transaction (inTransaction).

// Creates the four base tables with their base columns only.
void createBaseSchema(Database& db);
// Creates one of the tables the upgrades add (INFO, RAYONNAGE, PLATS, DOMAINES, PAYS) with its columns;
// throws DbError for any other name.
void createTable(Database& db, const QString& table);
// The columns the upgrades add to the base tables, in the order they add them.
QStringList addedColumns(const QString& table);
// The tables the upgrades add.
QStringList addedTables();
// Fills CRUS with common crus when it is empty.
void seedCrus(Database& db);
// Fills PAYS with the country list when it is empty.
void seedCountries(Database& db);
// The movement journal (MOUVEMENTS) and the triggers that write it; a cellar without one gets one opening
// movement per lot held. Harmless to run again.
void createJournal(Database& db);
// Indexes that keep large cellars fast; harmless to run again.
void createIndexes(Database& db);

} // namespace Schema
