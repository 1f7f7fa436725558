#include "statistics/CellarStatistics.h"

#include "db/CellarSession.h"
#include "platform/LocaleFormat.h"

#include <QStringList>

namespace CellarStatistics {

namespace {

// The WHERE part of a period, and its values.
QString where(const Period& period, QVariantList& values)
{
    QStringList clauses;
    if (period.year != 0) {
        clauses << QStringLiteral("CAVE.Millesime = ?");
        values << period.year;
    }
    if (!period.cru.isEmpty()) {
        clauses << QStringLiteral("CAVE.Cru = ?");
        values << period.cru;
    }
    return clauses.isEmpty() ? QString() : QStringLiteral(" WHERE ") + clauses.join(QStringLiteral(" AND "));
}

const QString kFrom = QStringLiteral(" FROM TYPEVIN INNER JOIN CAVE ON TYPEVIN.[Index] = CAVE.RelType");

} // namespace

Figures compute(CellarSession& session, const QString& label, const Period& period)
{
    Figures figures;
    QVariantList values;
    // The bottles bought add up lot by lot, each count truncated to whole bottles as it is added.
    const QString sql =
        QStringLiteral("SELECT CASE TYPEVIN.Etat WHEN '0' THEN 0 WHEN '1' THEN 1 WHEN '2' THEN 2 WHEN '3' THEN 2 "
                       "ELSE -1 END AS grp, total(CAST(CAVE.[Nbr Achat] AS INTEGER)), total(CAVE.Stock), "
                       "total(CAVE.[Prix Achat]), "
                       "count(*)") +
        kFrom + where(period, values) + QStringLiteral(" GROUP BY grp;");
    if (!session.OpenQuery(label, sql, values))
        return figures;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
            const int group = rs.value(0).toInt();
            const qint64 stock = static_cast<qint64>(rs.value(2).toDouble());
            figures.totalStock += stock;
            figures.lots += rs.value(4).toLongLong();
            if (group < 0)
                continue; // a colour of no group counts only in the total
            GroupFigures& g = figures.groups[group];
            g.bought = static_cast<qint64>(rs.value(1).toDouble());
            g.remaining = stock;
            g.invested = rs.value(3).toDouble();
        }
    }
    session.CloseQuery();
    return figures;
}

QString averageLine(const GroupFigures& figures)
{
    if (figures.bought <= 0)
        return QString();
    return QStringLiteral("Soit ") + LocaleFormat::fixed(figures.invested / static_cast<double>(figures.bought), 2) +
           QStringLiteral(" par bouteille");
}

std::vector<YearSpending> spendingPerYear(CellarSession& session, const QString& label, const Period& period)
{
    std::vector<YearSpending> years;
    QVariantList values;
    QString clause = where(period, values);
    clause += clause.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
    clause += QStringLiteral("length(CAVE.[Date Achat]) = 10");
    const QString sql = QStringLiteral("SELECT CAST(substr(CAVE.[Date Achat], 7, 4) AS INTEGER) AS y, "
                                       "total(CAVE.[Prix Achat])") +
                        kFrom + clause + QStringLiteral(" GROUP BY y HAVING y > 0 ORDER BY y;");
    if (!session.OpenQuery(label, sql, values))
        return years;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext())
            years.push_back({rs.value(0).toInt(), rs.value(1).toDouble()});
    }
    session.CloseQuery();
    return years;
}

std::vector<ReadyWine> readyToDrink(CellarSession& session, const QString& label, int currentYear)
{
    std::vector<ReadyWine> wines;
    if (!session.OpenQuery(label,
                           QStringLiteral("SELECT CAVE.[Index], TYPEVIN.Etat, CAVE.[Nom vin], TYPEVIN.Type, "
                                          "TYPEVIN.Appellation, CAVE.Millesime, CAVE.Stock, CAVE.Cote") +
                               kFrom +
                               QStringLiteral(" WHERE CAVE.Cote IS NOT NULL AND CAVE.Cote <> 99 "
                                              "AND CAVE.Millesime + CAVE.Cote <= ? ORDER BY CAVE.[Index];"),
                           {currentYear}))
        return wines;
    Recordset& rs = session.recordset();
    wines.reserve(static_cast<size_t>(rs.recordCount()));
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
            ReadyWine w;
            w.index = rs.value(0).toLongLong();
            w.colour = ColourCode::fromStoredOrRed(rs.value(1).toString());
            w.name = rs.value(2).toString();
            w.type = rs.value(3).toString();
            w.appellation = rs.value(4).toString();
            w.vintage = rs.value(5).toInt();
            w.stock = rs.value(6).toLongLong();
            w.keeping = rs.value(7).toInt();
            wines.push_back(std::move(w));
        }
    }
    session.CloseQuery();
    return wines;
}

} // namespace CellarStatistics
