#include "reference/Library.h"
#include "db/Write.h"

#include "db/CellarSession.h"

namespace Library {

using ReferenceLists::Write;

QString field(int attribute)
{
    switch (attribute) {
    case Grapes:
        return QStringLiteral("Raisin");
    case Soil:
        return QStringLiteral("Terroir");
    case Character:
        return QStringLiteral("Caracteres");
    case Vintages:
        return QStringLiteral("Millesimesremarquables");
    case Area:
        return QStringLiteral("Superficie");
    case Dishes:
        return QStringLiteral("RelPlats");
    case Keeping:
        return QStringLiteral("Garde");
    case Temperature:
        return QStringLiteral("Temperature");
    default:
        return QString();
    }
}

QString Facts::value(int attribute) const
{
    switch (attribute) {
    case Grapes:
        return raisin;
    case Soil:
        return terroir;
    case Character:
        return caracteres;
    case Vintages:
        return millesimes;
    case Area:
        return superficie;
    case Dishes:
        return relPlats;
    case Keeping:
        return garde;
    case Temperature:
        return temperature;
    default:
        return QString();
    }
}

std::vector<Row> rows(CellarSession& session, const QString& label)
{
    std::vector<Row> list;
    if (!session.OpenQuery(label, QStringLiteral("SELECT Type, Appellation, Garde FROM TYPEVIN ORDER BY rowid;")))
        return list;
    Recordset& rs = session.recordset();
    list.reserve(static_cast<size_t>(rs.recordCount()));
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext())
            list.push_back({rs.value(0).toString(), rs.value(1).toString(), rs.value(2).toString()});
    }
    session.CloseQuery();
    return list;
}

Facts facts(CellarSession& session, const QString& label, const QString& type, const QString& appellation)
{
    Facts f;
    if (!session.OpenQuery(label,
                           QStringLiteral("SELECT Raisin, Terroir, Caracteres, Millesimesremarquables, Superficie, "
                                          "Garde, Temperature, Nic, RelPlats FROM TYPEVIN "
                                          "WHERE Type = ? AND Appellation = ? ORDER BY rowid LIMIT 1;"),
                           {type, appellation}))
        return f;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        rs.moveFirst();
        f.found = true;
        f.raisin = rs.value(0).toString();
        f.terroir = rs.value(1).toString();
        f.caracteres = rs.value(2).toString();
        f.millesimes = rs.value(3).toString();
        f.superficie = rs.value(4).toString();
        f.garde = rs.value(5).toString();
        f.temperature = rs.value(6).toString();
        f.nic = rs.value(7).toString();
        f.relPlats = rs.value(8).toString();
    }
    session.CloseQuery();
    return f;
}

Write setFact(CellarSession& session, const QString& type, const QString& appellation, int attribute,
              const QString& value)
{
    const QString name = field(attribute);
    if (name.isEmpty())
        return Write::Failed;
    // The field name comes from the table above, never from the user.
    bool found = true;
    const WriteResult written = inTransaction(session.database(), "Library::setFact", [&](Database& db) {
        const int changed = db.execute(QStringLiteral("UPDATE TYPEVIN SET [%1] = ? WHERE [Index] = (SELECT [Index] "
                                                      "FROM TYPEVIN WHERE Type = ? AND Appellation = ? "
                                                      "ORDER BY rowid LIMIT 1)")
                                           .arg(name),
                                       {value, type, appellation});
        found = changed != 0;
        return found;
    });
    if (written.done())
        return Write::Done;
    return found ? Write::Failed : Write::NotFound;
}

TemperatureRange splitTemperature(const QString& text)
{
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return {QString(), text};
    return {text.left(dash), text.mid(dash + 1)};
}

} // namespace Library
