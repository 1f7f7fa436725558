#include "vintages/VintageRatings.h"
#include "db/Write.h"

#include "db/CellarEvents.h"
#include "db/CellarSession.h"

#include <QSet>
#include <map>
#include <set>

namespace VintageRatings {

namespace {

const QString kGroup = QStringLiteral("Tonnelix");

// After a commit: the vintage table is read again, then whoever shows the ratings is told.
void vintagesWritten(CellarSession& session)
{
    VintageTable::load(session);
    CellarEvents::instance().notifyVintagesChanged();
}

} // namespace

std::vector<Year> load(CellarSession& session, const QString& label)
{
    std::vector<Year> years;
    QSet<QString> seen;
    if (!session.OpenQuery(label, QStringLiteral("SELECT Type, Cote FROM ANNEES ORDER BY rowid;")))
        return years;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        rs.moveFirst();
        while (!rs.isEOF()) {
            if (rs.value(0).toString() == kGroup) {
                Year year{rs.value(1).toString(), {}};
                // The next nine rows, whatever their Type.
                for (int r = 0; r < 9; ++r) {
                    rs.moveNext();
                    if (rs.isEOF())
                        break;
                    year.ratings << rs.value(1).toString();
                }
                while (year.ratings.size() < 9)
                    year.ratings << QString();
                if (!seen.contains(year.year)) {
                    seen.insert(year.year);
                    years.push_back(std::move(year));
                }
            }
            if (!rs.isEOF())
                rs.moveNext();
        }
    }
    session.CloseQuery();
    return years;
}

QStringList columnTitles()
{
    QStringList titles = VintageTable::regions();
    titles.replace(titles.indexOf(QStringLiteral("Rhone")), QStringLiteral("Rhône"));
    return titles;
}

QStringList regionLabels()
{
    return {QStringLiteral("Bordeaux Rouge :"),  QStringLiteral("Bordeaux Blanc liquoreux :"),
            QStringLiteral("Bourgogne Rouge :"), QStringLiteral("Bordeaux Blanc :"),
            QStringLiteral("Bourgogne Blanc :"), QStringLiteral("Champagne :"),
            QStringLiteral("Loire :"),           QStringLiteral("Rhône :"),
            QStringLiteral("Alsace :")};
}

QStringList ratingItems()
{
    QStringList items{QString()};
    for (int r = 0; r <= 20; ++r)
        items << QString::number(r);
    return items;
}

bool isRating(const QString& text)
{
    return ratingItems().contains(text);
}

namespace {

// The years that have a group, from the vintage table (nine entries a group).
std::set<int> groupYears(const std::vector<VintageEntry>& table)
{
    std::set<int> years;
    for (size_t i = 0; i < table.size() && !table[i].year.isEmpty(); i += 9) {
        bool ok = false;
        const int year = table[i].year.toInt(&ok);
        if (ok)
            years.insert(year);
    }
    return years;
}

} // namespace

QStringList yearsToAdd(const std::vector<VintageEntry>& table, int currentYear)
{
    const std::set<int> rated = groupYears(table);
    const int first = rated.empty() ? 1915 : std::min(1915, *rated.begin());
    QStringList years;
    for (int y = first; y <= currentYear; ++y) {
        if (!rated.count(y))
            years << QString::number(y);
    }
    return years;
}

QStringList yearsToModify(const std::vector<VintageEntry>& table)
{
    QStringList years;
    for (const int year : groupYears(table))
        years << QString::number(year);
    return years;
}

bool addYears(CellarSession& session, const QStringList& years, const QString& chosen, const QStringList& ratings)
{
    return inTransaction(
               session.database(), "VintageRatings::addYears",
               [&](Database& db) {
                   const QStringList& regions = VintageTable::regions();
                   for (const QString& year : years) {
                       db.execute(QStringLiteral("INSERT INTO ANNEES (Type, Cote) VALUES (?, ?)"), {kGroup, year});
                       for (int r = 0; r < regions.size(); ++r)
                           db.execute(QStringLiteral("INSERT INTO ANNEES (Type, Cote) VALUES (?, ?)"),
                                      {regions[r], year == chosen ? ratings.value(r) : QString()});
                   }
                   return true;
               })
        .done();
}

bool addYear(CellarSession& session, int year, const QStringList& ratings)
{
    struct Row
    {
        QVariant type;
        QVariant rating;
    };
    const bool written =
        inTransaction(session.database(), "VintageRatings::addYear", [&](Database& db) {
            std::vector<Row> rows;
            // Where each year's group begins, in table order (its first group when written twice).
            std::map<int, size_t> groupAt;
            {
                Recordset rs = db.openQuery(QStringLiteral("SELECT Type, Cote FROM ANNEES ORDER BY rowid"));
                rows.reserve(static_cast<size_t>(rs.recordCount()));
                if (rs.recordCount() > 0) {
                    for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
                        if (rs.value(0).toString() == kGroup) {
                            bool ok = false;
                            const int y = rs.value(1).toString().toInt(&ok);
                            if (ok && !groupAt.count(y))
                                groupAt[y] = rows.size();
                        }
                        rows.push_back({rs.value(0), rs.value(1)});
                    }
                }
            }
            if (groupAt.count(year))
                return false;
            // The years written and the row they go before.
            int from = year;
            size_t at = rows.size();
            const auto after = groupAt.upper_bound(year);
            if (after != groupAt.begin()) {
                const auto before = std::prev(after);
                from = before->first + 1; // the missing years after the nearest earlier one
                at = before->second + 1;
                while (at < rows.size() && rows[at].type.toString() != kGroup)
                    ++at;
            } else if (!groupAt.empty()) {
                at = 0; // earlier than every group: before the first one, up to the year before it
            }
            const int to = (after != groupAt.end() && after == groupAt.begin()) ? after->first - 1 : year;
            std::vector<Row> added;
            const QStringList& regions = VintageTable::regions();
            for (int y = from; y <= to; ++y) {
                added.push_back({kGroup, QString::number(y)});
                for (int r = 0; r < regions.size(); ++r)
                    added.push_back({regions[r], y == year ? ratings.value(r) : QString()});
            }
            const QString insert = QStringLiteral("INSERT INTO ANNEES (Type, Cote) VALUES (?, ?)");
            if (at < rows.size()) {
                // Readers take the groups in table order: the rows after the new ones are written again behind them.
                db.execute(QStringLiteral("DELETE FROM ANNEES"));
                rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
                added = std::move(rows);
            }
            for (const Row& row : added)
                db.execute(insert, {row.type, row.rating});
            return true;
        }).done();
    if (!written)
        return false;
    vintagesWritten(session);
    return true;
}

bool modifyYear(CellarSession& session, const QString& year, const QStringList& ratings)
{
    const bool written =
        inTransaction(session.database(), "VintageRatings::modifyYear", [&](Database& db) {
            const QVariant first =
                db.scalar(QStringLiteral("SELECT rowid FROM ANNEES WHERE Type = ? AND Cote = ? ORDER BY rowid LIMIT 1"),
                          {kGroup, year});
            if (!first.isValid())
                return false;
            // The nine rows that follow the year's row, in table order.
            Recordset rs = db.openQuery(
                QStringLiteral("SELECT rowid FROM ANNEES WHERE rowid > ? ORDER BY rowid LIMIT 9"), {first});
            if (rs.recordCount() < 9)
                return false;
            int r = 0;
            for (rs.moveFirst(); !rs.isEOF(); rs.moveNext(), ++r)
                db.execute(QStringLiteral("UPDATE ANNEES SET Cote = ? WHERE rowid = ?"),
                           {ratings.value(r), rs.value(0)});
            return true;
        }).done();
    if (!written)
        return false;
    vintagesWritten(session);
    return true;
}

} // namespace VintageRatings
