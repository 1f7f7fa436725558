#include "search/SearchQuery.h"

#include "db/CellarSession.h"

#include <QStringList>

namespace SearchQuery {

bool Criteria::isEmpty() const
{
    return type.isEmpty() && appellation.isEmpty() && cru.isEmpty() && size.isEmpty() && fromYear == 0 && toYear == 0;
}

WineListQuery forCriteria(const Criteria& criteria)
{
    WineListQuery q;
    QStringList clauses;
    auto add = [&](bool used, const char* clause, const QVariant& value) {
        if (!used)
            return;
        clauses << QString::fromLatin1(clause);
        q.values << value;
    };
    add(!criteria.type.isEmpty(), "TYPEVIN.Type = ?", criteria.type);
    add(!criteria.appellation.isEmpty(), "TYPEVIN.Appellation = ?", criteria.appellation);
    add(!criteria.cru.isEmpty(), "CAVE.Cru = ?", criteria.cru);
    add(!criteria.size.isEmpty(), "CAVE.Contenance = ?", criteria.size);
    add(criteria.fromYear != 0, "CAVE.Millesime >= ?", criteria.fromYear);
    add(criteria.toYear != 0, "CAVE.Millesime <= ?", criteria.toYear);
    q.sql = WineListQuery::selectClause() +
            (clauses.isEmpty() ? QString() : QStringLiteral("WHERE ") + clauses.join(QStringLiteral(" AND "))) +
            QStringLiteral(" ORDER BY CAVE.[Index];");
    q.valid = true;
    return q;
}

WineListQuery forDish(qint64 dishIndex)
{
    WineListQuery q;
    q.sql =
        WineListQuery::selectClause() + QStringLiteral("WHERE instr(TYPEVIN.RelPlats, ?) > 0 ORDER BY CAVE.[Index];");
    q.values = {QLatin1Char('*') + QString::number(dishIndex) + QLatin1Char(',')};
    q.valid = true;
    return q;
}

std::vector<WineRow> byCriteria(CellarSession& session, const Criteria& criteria)
{
    return forCriteria(criteria).load(session, QStringLiteral("CDRecherche::OnBrecherche"));
}

std::vector<WineRow> byDish(CellarSession& session, qint64 dishIndex)
{
    return forDish(dishIndex).load(session, QStringLiteral("CDRecherche::OnBrecherche sur Plat"));
}

} // namespace SearchQuery
