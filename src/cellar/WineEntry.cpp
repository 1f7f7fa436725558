#include "cellar/WineEntry.h"
#include "db/Write.h"

#include "db/CellarEvents.h"
#include "db/CellarSession.h"

namespace WineEntry {

std::optional<QStringList> crus(CellarSession& session, const QString& label)
{
    if (!session.OpenQuery(label, QStringLiteral("SELECT * FROM CRUS;")))
        return std::nullopt;
    QStringList names{QString()};
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext())
            names << rs.text(QStringLiteral("Nom"));
    }
    session.CloseQuery();
    return names;
}

qint64 typeIndex(CellarSession& session, const QString& label, const QString& type, const QString& appellation)
{
    if (!session.OpenQuery(label, QStringLiteral("SELECT [Index] FROM TYPEVIN WHERE Type = ? AND Appellation = ?;"),
                           {type, appellation}))
        return 0;
    qint64 index = 0;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        rs.moveFirst();
        index = rs.integer(QStringLiteral("Index"));
    }
    session.CloseQuery();
    return index;
}

qint64 addLot(CellarSession& session, const QString& label, const NewLot& lot)
{
    (void)label; // one INSERT: no recordset of the session is opened
    Database& db = session.database();
    qint64 index = 0;
    // The journal's trigger writes the lot's first movement in the same statement.
    const WriteResult written = inTransaction(db, "WineEntry::addLot", [&](Database& db) {
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Proprietaire, Images, Cote, Millesime, Cru, "
                                  "Contenance, [Nbr Achat], Stock, [Date Achat], [Prix Achat]) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {lot.name, lot.typeIndex, lot.owner, lot.image, lot.keeping, lot.vintage, lot.cru, lot.contenance,
                    lot.bottles, lot.bottles, lot.date, lot.price});
        index = db.lastInsertId();
        return true;
    });
    if (!written.done())
        return 0; // rolled back: the caller says the lot could not be written
    CellarEvents::instance().notifyLotsChanged();
    return index;
}

} // namespace WineEntry
