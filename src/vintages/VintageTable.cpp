#include "vintages/VintageTable.h"

#include "db/CellarSession.h"

namespace VintageTable {

const QStringList& regions()
{
    static const QStringList list = {QStringLiteral("BR"),    QStringLiteral("BBL"),   QStringLiteral("BoR"),
                                     QStringLiteral("BB"),    QStringLiteral("BoB"),   QStringLiteral("Champ"),
                                     QStringLiteral("Loire"), QStringLiteral("Rhone"), QStringLiteral("Alsace")};
    return list;
}

namespace {

std::vector<VintageEntry>& table()
{
    static std::vector<VintageEntry> entries;
    return entries;
}

bool& loaded()
{
    static bool done = false;
    return done;
}

} // namespace

std::vector<VintageEntry>& entries()
{
    if (!loaded()) {
        if (CellarSession* session = CellarSession::current())
            load(*session);
    }
    return table();
}

void forget()
{
    table().clear();
    loaded() = false;
}

void load(CellarSession& session)
{
    // Read once, even when it fails: a cellar without its table is not asked again at each use.
    loaded() = true;
    if (!session.OpenQuery(QStringLiteral("CTonnelixView::OnRempliTableAnnees"),
                           QStringLiteral("SELECT * FROM ANNEES ORDER BY rowid;")))
        return;
    std::vector<VintageEntry> rows;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        rows.reserve(static_cast<size_t>(rs.recordCount()));
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
                    rows.push_back({year, region, rs.value(cCote).toString()});
                }
            }
            if (!rs.isEOF())
                rs.moveNext();
        }
    }
    session.CloseQuery();
    table() = std::move(rows);
}

} // namespace VintageTable
