#include "journal/Journal.h"

#include "db/CellarSession.h"
#include "db/engine/Statement.h"

#include <QStringList>
#include <QVariantList>

namespace Journal {

namespace {

// The WHERE clause of a filter and its bound values.
QString where(const Filter& filter, QVariantList& values)
{
    QStringList terms;
    if (filter.from.isValid()) {
        terms << QStringLiteral("DateHeure >= ?");
        values << filter.from.toString(Qt::ISODate);
    }
    if (filter.to.isValid()) {
        terms << QStringLiteral("DateHeure < ?");
        values << filter.to.addDays(1).toString(Qt::ISODate);
    }
    if (!filter.type.isEmpty()) {
        terms << QStringLiteral("Type = ?");
        values << filter.type;
    }
    if (!filter.nature.isEmpty()) {
        terms << QStringLiteral("Nature = ?");
        values << filter.nature;
    }
    return terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

// The columns are named here, never taken from outside; the movement's number breaks ties.
QString orderBy(const Filter& filter)
{
    static const char* const columns[] = {"IndexMouvement", "NomVin", "Type", "Quantite", "PrixUnitaire", "Nature"};
    const int column = filter.sortColumn >= 0 && filter.sortColumn < 6 ? filter.sortColumn : 0;
    const QString direction = filter.ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    QString order = QString::fromLatin1(columns[column]) + direction;
    if (column != 0)
        order += QStringLiteral(", IndexMouvement") + direction;
    return order;
}

const QString kIn = QStringLiteral("Nature IN ('achat', 'entrée', 'import')");

} // namespace

QStringList natures()
{
    return {kOpening, kPurchase, kEntry, kExit, kDeletion, kImport, kCorrection};
}

std::vector<Movement> page(CellarSession& session, const Filter& filter, qint64 offset, int limit)
{
    std::vector<Movement> movements;
    QVariantList values;
    const QString sql = QStringLiteral("SELECT IndexMouvement, DateHeure, RelCave, NomVin, Type, Quantite, "
                                       "PrixUnitaire, Nature FROM MOUVEMENTS") +
                        where(filter, values) + QStringLiteral(" ORDER BY ") + orderBy(filter) +
                        QStringLiteral(" LIMIT ? OFFSET ?");
    values << limit << offset;
    try {
        Statement rows(session.database(), sql);
        rows.bind(values);
        while (rows.next())
            movements.push_back({rows.integer(0), rows.text(1), rows.integer(2), rows.text(3), rows.text(4),
                                 static_cast<int>(rows.integer(5)), rows.real(6), rows.text(7)});
    } catch (const DbError& error) {
        movements.clear();
        CellarSession::reportFailure(QStringLiteral("Journal::page"), error);
    }
    return movements;
}

qint64 count(CellarSession& session, const Filter& filter)
{
    QVariantList values;
    const QString sql = QStringLiteral("SELECT count(*) FROM MOUVEMENTS") + where(filter, values);
    try {
        return session.database().scalar(sql, values).toLongLong();
    } catch (const DbError& error) {
        CellarSession::reportFailure(QStringLiteral("Journal::count"), error);
        return 0;
    }
}

Totals totals(CellarSession& session, const Filter& filter)
{
    QVariantList values;
    const QString sql =
        QStringLiteral("SELECT coalesce(sum(CASE WHEN %1 AND Quantite > 0 THEN Quantite END), 0), "
                       "coalesce(sum(CASE WHEN Nature = 'sortie' THEN -Quantite END), 0), "
                       "coalesce(sum(CASE WHEN %1 AND Quantite > 0 THEN Quantite * PrixUnitaire END), 0) "
                       "FROM MOUVEMENTS")
            .arg(kIn) +
        where(filter, values);
    Totals totals;
    try {
        Statement row(session.database(), sql);
        row.bind(values);
        if (row.next())
            totals = {row.integer(0), row.integer(1), row.real(2)};
    } catch (const DbError& error) {
        CellarSession::reportFailure(QStringLiteral("Journal::totals"), error);
    }
    return totals;
}

Summary summary(CellarSession& session, const Filter& filter)
{
    QVariantList values;
    const QString sql = QStringLiteral("SELECT substr(DateHeure, 1, 7) AS mois, "
                                       "coalesce(sum(CASE WHEN %1 AND Quantite > 0 THEN Quantite END), 0), "
                                       "coalesce(sum(CASE WHEN Nature = 'sortie' THEN -Quantite END), 0), "
                                       "coalesce(sum(CASE WHEN %1 AND Quantite > 0 THEN Quantite * PrixUnitaire END), "
                                       "0) FROM MOUVEMENTS")
                            .arg(kIn) +
                        where(filter, values) + QStringLiteral(" GROUP BY mois ORDER BY mois");
    Summary summary;
    try {
        Statement rows(session.database(), sql);
        rows.bind(values);
        while (rows.next()) {
            const Month month{rows.text(0), rows.integer(1), rows.integer(2)};
            summary.totals.bought += month.bought;
            summary.totals.drunk += month.drunk;
            summary.totals.spent += rows.real(3);
            summary.months.push_back(month);
        }
    } catch (const DbError& error) {
        summary = Summary{};
        CellarSession::reportFailure(QStringLiteral("Journal::summary"), error);
    }
    return summary;
}

std::vector<Month> perMonth(CellarSession& session, const Filter& filter)
{
    return summary(session, filter).months;
}

QStringList types(CellarSession& session)
{
    QStringList list;
    try {
        Statement rows(session.database(), QStringLiteral("SELECT DISTINCT Type FROM MOUVEMENTS WHERE Type IS NOT "
                                                          "NULL AND Type <> '' ORDER BY Type COLLATE NOCASE"));
        rows.bind({});
        while (rows.next())
            list << rows.text(0);
    } catch (const DbError& error) {
        list.clear();
        CellarSession::reportFailure(QStringLiteral("Journal::types"), error);
    }
    return list;
}

std::vector<qint64> lotsOutOfStep(CellarSession& session)
{
    std::vector<qint64> lots;
    Statement rows(session.database(),
                   QStringLiteral("SELECT c.[Index] FROM CAVE c LEFT JOIN (SELECT RelCave, sum(Quantite) AS total "
                                  "FROM MOUVEMENTS GROUP BY RelCave) m ON m.RelCave = c.[Index] "
                                  "WHERE coalesce(m.total, 0) <> coalesce(c.Stock, 0) "
                                  "UNION SELECT m.RelCave FROM MOUVEMENTS m WHERE m.RelCave NOT IN "
                                  "(SELECT [Index] FROM CAVE) GROUP BY m.RelCave HAVING sum(m.Quantite) <> 0"));
    rows.bind({});
    while (rows.next())
        lots.push_back(rows.integer(0));
    return lots;
}

void relabelSince(CellarSession& session, qint64 last, const QString& nature)
{
    session.database().execute(QStringLiteral("UPDATE MOUVEMENTS SET Nature = ? WHERE IndexMouvement > ?"),
                               {nature, last});
}

qint64 lastIndex(CellarSession& session)
{
    return session.database()
        .scalar(QStringLiteral("SELECT coalesce(max(IndexMouvement), 0) FROM MOUVEMENTS"))
        .toLongLong();
}

} // namespace Journal
