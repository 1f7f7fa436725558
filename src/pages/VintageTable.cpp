#include "pages/VintageTable.h"

#include "db/CellarSession.h"

namespace VintageTable {

const QStringList& regions()
{
    static const QStringList list = {QStringLiteral("BR"),    QStringLiteral("BBL"),   QStringLiteral("BoR"),
                                     QStringLiteral("BB"),    QStringLiteral("BoB"),   QStringLiteral("Champ"),
                                     QStringLiteral("Loire"), QStringLiteral("Rhone"), QStringLiteral("Alsace")};
    return list;
}

std::vector<VintageEntry>& entries()
{
    static std::vector<VintageEntry> table;
    return table;
}

void load(CellarSession& session)
{
    if (!session.OpenQuery(QStringLiteral("CTonnelixView::OnRempliTableAnnees"),
                           QStringLiteral("SELECT * FROM ANNEES ORDER BY rowid;")))
        return;
    std::vector<VintageEntry> table;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        table.reserve(static_cast<size_t>(rs.recordCount()));
        const int cType = rs.fieldIndex(QStringLiteral("Type"));
        const int cCote = rs.fieldIndex(QStringLiteral("Cote"));
        rs.moveFirst();
        while (!rs.isEOF()) {
            if (rs.value(cType).toString() == QLatin1String("Tonnelix")) {
                const QString year = rs.value(cCote).toString();
                // A group cut short by the end of the table keeps the ratings it has.
                for (const QString& region : regions()) {
                    rs.moveNext();
                    if (rs.isEOF())
                        break;
                    table.push_back({year, region, rs.value(cCote).toString()});
                }
            }
            if (!rs.isEOF())
                rs.moveNext();
        }
    }
    session.CloseQuery();
    entries() = std::move(table);
}

} // namespace VintageTable
