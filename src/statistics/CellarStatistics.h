#pragma once

#include "db/Colour.h"

#include <QString>
#include <vector>

class CellarSession;

// The figures of the statistics page and the wines ready to drink, computed by SQL aggregates.
namespace CellarStatistics {

// The colour groups: "Rouge" (Etat "0"), "Blanc" ("1"), "Rosés et Autres" ("2" and "3").
enum Group
{
    Red,
    White,
    Others,
    GroupCount
};

struct GroupFigures
{
    qint64 bought = 0;
    qint64 remaining = 0;
    double invested = 0;
};

struct Figures
{
    GroupFigures groups[GroupCount];
    qint64 totalStock = 0; // every lot read, whatever its colour
    qint64 lots = 0;       // the number of lots read
};

// What the figures cover: every vintage or one, every cru or one.
struct Period
{
    int year = 0; // 0: every vintage
    QString cru;  // empty: every cru
};

Figures compute(CellarSession& session, const QString& label, const Period& period);

// The average price of a bottle of a group, "Soit 11,67 par bouteille" in the user's locale; empty when no
// bottle was bought.
QString averageLine(const GroupFigures& figures);

// Money spent per purchase year (from "Date Achat", dd/mm/yyyy), for the chart; years in order.
struct YearSpending
{
    int year = 0;
    double spent = 0;
};
std::vector<YearSpending> spendingPerYear(CellarSession& session, const QString& label, const Period& period);

// A wine whose keeping time is over in the given year: vintage + keeping time not later than it. A wine
// without keeping time (99, or none) is never listed.
struct ReadyWine
{
    qint64 index = 0;
    Colour colour = Colour::Red;
    QString name;
    QString type;
    QString appellation;
    int vintage = 0;
    qint64 stock = 0;
    int keeping = 0;
};
std::vector<ReadyWine> readyToDrink(CellarSession& session, const QString& label, int currentYear);

} // namespace CellarStatistics
