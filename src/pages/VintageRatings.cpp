#include "pages/VintageRatings.h"

#include "db/CellarSession.h"

namespace VintageRatings {

namespace {

const QString kGroup = QStringLiteral("Tonnelix");

} // namespace

std::vector<Year> load(CellarSession& session, const QString& label)
{
    std::vector<Year> years;
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
                years.push_back(std::move(year));
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

QStringList yearsToAdd(const std::vector<VintageEntry>& table, int currentYear)
{
    QStringList years;
    int candidate = 1915;
    for (size_t i = 0; i < table.size() && !table[i].year.isEmpty(); i += 9) {
        if (table[i].year.toInt() != candidate)
            years << QString::number(candidate);
        ++candidate;
    }
    for (int y = candidate; y <= currentYear; ++y)
        years << QString::number(y);
    return years;
}

QStringList yearsToModify(const std::vector<VintageEntry>& table)
{
    QStringList years;
    if (table.empty())
        return years;
    const int first = table.front().year.toInt();
    const int last = table.back().year.toInt();
    for (int y = first; y <= last; ++y)
        years << QString::number(y);
    return years;
}

bool addYears(CellarSession& session, const QStringList& years, const QString& chosen, const QStringList& ratings)
{
    try {
        Database& db = session.database();
        Transaction tx(db);
        const QStringList& regions = VintageTable::regions();
        for (const QString& year : years) {
            db.execute(QStringLiteral("INSERT INTO ANNEES (Type, Cote) VALUES (?, ?)"), {kGroup, year});
            for (int r = 0; r < regions.size(); ++r)
                db.execute(QStringLiteral("INSERT INTO ANNEES (Type, Cote) VALUES (?, ?)"),
                           {regions[r], year == chosen ? ratings.value(r) : QString()});
        }
        tx.commit();
        return true;
    } catch (const DbError&) {
        return false;
    }
}

bool modifyYear(CellarSession& session, const QString& year, const QStringList& ratings)
{
    try {
        Database& db = session.database();
        Transaction tx(db);
        const QVariant first =
            db.scalar(QStringLiteral("SELECT rowid FROM ANNEES WHERE Type = ? AND Cote = ? ORDER BY rowid LIMIT 1"),
                      {kGroup, year});
        if (!first.isValid())
            return false;
        // The nine rows that follow the year's row, in table order.
        Recordset rs =
            db.openQuery(QStringLiteral("SELECT rowid FROM ANNEES WHERE rowid > ? ORDER BY rowid LIMIT 9"), {first});
        if (rs.recordCount() < 9)
            return false;
        int r = 0;
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext(), ++r)
            db.execute(QStringLiteral("UPDATE ANNEES SET Cote = ? WHERE rowid = ?"), {ratings.value(r), rs.value(0)});
        tx.commit();
        return true;
    } catch (const DbError&) {
        return false;
    }
}

} // namespace VintageRatings
