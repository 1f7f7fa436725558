#include "pages/WineEntry.h"

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
    try {
        Transaction tx(session.database());
        if (!session.OpenTable(label, QStringLiteral("CAVE")))
            return 0;
        Recordset& rs = session.recordset();
        rs.addNew();
        rs.setField(QStringLiteral("Nom vin"), lot.name);
        rs.setField(QStringLiteral("RelType"), lot.typeIndex);
        rs.setField(QStringLiteral("Proprietaire"), lot.owner);
        rs.setField(QStringLiteral("Images"), lot.image);
        rs.setField(QStringLiteral("Cote"), lot.cote);
        rs.setField(QStringLiteral("Millesime"), lot.millesime);
        rs.setField(QStringLiteral("Cru"), lot.cru);
        rs.setField(QStringLiteral("Contenance"), lot.contenance);
        rs.setField(QStringLiteral("Nbr Achat"), lot.bottles);
        rs.setField(QStringLiteral("Stock"), lot.bottles);
        rs.setField(QStringLiteral("Date Achat"), lot.date);
        rs.setField(QStringLiteral("Prix Achat"), lot.price);
        const qint64 index = rs.integer(QStringLiteral("Index"));
        rs.update();
        session.CloseTable();
        tx.commit();
        return index;
    } catch (const DbError&) {
        session.CloseTable();
        return 0;
    }
}

} // namespace WineEntry
