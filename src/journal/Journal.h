#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class CellarSession;

// The movement journal (MOUVEMENTS) read without widgets: the movements that match a filter, newest first
// and by pages, their totals and their months. The engine's triggers write it (see Schema::createJournal).
namespace Journal {

// The kinds of movement, as stored.
inline const QString kOpening = QStringLiteral("ouverture");
inline const QString kPurchase = QStringLiteral("achat");
inline const QString kEntry = QStringLiteral("entrée");
inline const QString kExit = QStringLiteral("sortie");
inline const QString kDeletion = QStringLiteral("suppression");
inline const QString kImport = QStringLiteral("import");
inline const QString kCorrection = QStringLiteral("correction");
QStringList natures();

struct Movement
{
    qint64 index = 0;
    QString dateTime; // ISO 8601, local time
    qint64 lot = 0;   // CAVE.Index
    QString name;
    QString type;
    int quantity = 0; // + in, - out
    double unitPrice = 0;
    QString nature;
};

struct Filter
{
    QDate from; // null: no lower bound
    QDate to;   // null: no upper bound (inclusive)
    QString type;
    QString nature;
    // The order of the pages: a JournalModel column (0 date ... 5 nature), newest first by default.
    int sortColumn = 0;
    bool ascending = false;
};

// One page of movements, newest first (or in the filter's order).
std::vector<Movement> page(CellarSession& session, const Filter& filter, qint64 offset, int limit);
qint64 count(CellarSession& session, const Filter& filter);

struct Totals
{
    qint64 bought = 0; // bottles that came in (purchases, entries, imports)
    qint64 drunk = 0;  // bottles that went out as exits
    double spent = 0;  // what the bottles that came in cost
};
Totals totals(CellarSession& session, const Filter& filter);

struct Month
{
    QString month; // "yyyy-MM"
    qint64 bought = 0;
    qint64 drunk = 0;
};
// The months of the filter that have movements, oldest first.
std::vector<Month> perMonth(CellarSession& session, const Filter& filter);
// Both of the above from one reading of the movements, as the journal page shows them.
struct Summary
{
    Totals totals;
    std::vector<Month> months;
};
Summary summary(CellarSession& session, const Filter& filter);

// The wine types that have movements, sorted.
QStringList types(CellarSession& session);

// The lots whose movements do not add up to their stock (none, unless the journal was tampered with).
std::vector<qint64> lotsOutOfStep(CellarSession& session);

// Marks the movements written after lastIndex as of this nature (an import, a correction).
void relabelSince(CellarSession& session, qint64 lastIndex, const QString& nature);
qint64 lastIndex(CellarSession& session);

} // namespace Journal
