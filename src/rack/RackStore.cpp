#include "rack/RackStore.h"

#include "db/Write.h"

#include "db/CellarEvents.h"
#include "db/CellarSession.h"
#include "db/engine/Statement.h"

namespace RackStore {

int findRack(CellarSession& session, qint64 wine)
{
    int rack = 1;
    if (!session.OpenQuery(QStringLiteral("CDRayonnage::OnRechercheCasier"),
                           QStringLiteral("SELECT * FROM RAYONNAGE WHERE RAYONNAGE.Relation = ? ORDER BY rowid;"),
                           {wine}))
        return rack;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        rs.moveFirst();
        rack = static_cast<int>(rs.integer(QStringLiteral("Casier")));
    }
    session.CloseQuery();
    return rack;
}

bool loadRack(CellarSession& session, const QString& label, int rack, qint64 markWine, RackGrid& grid,
              CellOwners& owners, bool* wineFound)
{
    const QString sql = QStringLiteral(
        "SELECT RAYONNAGE.rowid AS PositionRow, CAVE.[Index], CAVE.RelType, RAYONNAGE.Casier, "
        "RAYONNAGE.[Coordonnees X], RAYONNAGE.Relation, RAYONNAGE.[Coordonnees Y], TYPEVIN.Etat "
        "FROM RAYONNAGE INNER JOIN CAVE ON RAYONNAGE.Relation = CAVE.[Index] "
        "INNER JOIN TYPEVIN ON TYPEVIN.[Index] = CAVE.RelType WHERE RAYONNAGE.Casier = ? ORDER BY RAYONNAGE.rowid;");
    if (!session.OpenQuery(label, sql, {rack}))
        return false;
    bool found = false;
    for (auto& column : owners)
        column.fill(CellOwner());
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        const int cX = rs.fieldIndex(QStringLiteral("Coordonnees X"));
        const int cY = rs.fieldIndex(QStringLiteral("Coordonnees Y"));
        const int cRelation = rs.fieldIndex(QStringLiteral("Relation"));
        const int cEtat = rs.fieldIndex(QStringLiteral("Etat"));
        const int cRow = rs.fieldIndex(QStringLiteral("PositionRow"));
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
            const int x = rs.value(cX).toInt();
            const int y = rs.value(cY).toInt();
            if (x < 1 || x > RackGrid::kMax || y < 1 || y > RackGrid::kMax)
                continue;
            const qint64 wine = rs.value(cRelation).toLongLong();
            int state = RackGrid::stateForColour(ColourCode::fromStoredOrRed(rs.value(cEtat).toString()));
            if (markWine != 0 && wine == markWine) {
                state = RackGrid::Marked;
                found = true;
            }
            grid.setState(x, y, state);
            owners[x][y] = {rs.value(cRow).toLongLong(), wine};
        }
    }
    session.CloseQuery();
    if (wineFound)
        *wineFound = found;
    return true;
}

QString describeCell(CellarSession& session, const QString& label, int rack, int column, int row)
{
    const QString sql = QStringLiteral(
        "SELECT CAVE.[Index], CAVE.[Nom vin], CAVE.Cru, CAVE.Millesime, CAVE.RelType, RAYONNAGE.Casier, "
        "RAYONNAGE.[Coordonnees X], RAYONNAGE.[Coordonnees Y], TYPEVIN.Type, TYPEVIN.Appellation, TYPEVIN.Etat "
        "FROM RAYONNAGE INNER JOIN CAVE ON RAYONNAGE.Relation = CAVE.[Index] "
        "INNER JOIN TYPEVIN ON TYPEVIN.[Index] = CAVE.RelType WHERE RAYONNAGE.Casier = ? AND RAYONNAGE.[Coordonnees X] "
        "= ? "
        "AND RAYONNAGE.[Coordonnees Y] = ? ORDER BY RAYONNAGE.rowid DESC;");
    if (!session.OpenQuery(label, sql, {rack, column, row}))
        return QStringLiteral("Inconnu");
    QString text;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        rs.moveFirst();
        text = rs.text(QStringLiteral("Nom vin")) + QStringLiteral(" - ") + rs.text(QStringLiteral("Type")) +
               QStringLiteral(" - ") + rs.text(QStringLiteral("Appellation")) + QStringLiteral(" - ") +
               QString::number(rs.integer(QStringLiteral("Millesime")));
    }
    session.CloseQuery();
    return text;
}

bool wineExists(CellarSession& session, qint64 wine)
{
    if (wine == 0)
        return false;
    try {
        return session.database()
                   .scalar(QStringLiteral("SELECT count(*) FROM CAVE WHERE [Index] = ?"), {wine})
                   .toInt() > 0;
    } catch (const DbError& error) {
        traceFailure("RackStore::wineExists", error);
        return false;
    }
}

Outcome apply(CellarSession& session, const QString& label, int rack, const std::vector<Change>& changes)
{
    // What a failure would have been doing: a position taken away, or one added.
    Outcome failing = Outcome::AddFailed;
    const QByteArray traceLabel = label.toUtf8();
    const WriteResult result = inTransaction(session.database(), traceLabel.constData(), [&](Database& db) {
        // One row inserted per bottle placed: the table is not read to add to it.
        Statement remove(db, QStringLiteral("DELETE FROM RAYONNAGE WHERE rowid = ?"));
        Statement add(db, QStringLiteral("INSERT INTO RAYONNAGE ([Coordonnees X], [Coordonnees Y], Casier, Relation) "
                                         "VALUES (?, ?, ?, ?)"));
        for (const Change& change : changes) {
            // The very row shown in the cell goes, not merely the first that names the cell.
            if (change.removeRowid != 0) {
                failing = Outcome::RemoveFailed;
                if (remove.execute({change.removeRowid}) != 1)
                    return false; // the row is gone already: nothing of the change is written
            }
            if (change.addWine == 0)
                continue;
            failing = Outcome::AddFailed;
            add.execute({change.column, change.row, rack, change.addWine});
        }
        return true;
    });
    if (!result.done())
        return failing;
    CellarEvents::instance().notifyLotsChanged();
    return Outcome::Written;
}

std::vector<PlaceableWine> placeableWines(CellarSession& session, const QString& label)
{
    std::vector<PlaceableWine> wines;
    session.forEachRow(label,
                       QStringLiteral("SELECT TYPEVIN.Etat, CAVE.Millesime, TYPEVIN.Appellation, CAVE.[Index] AS "
                                      "CAVE_Index, CAVE.[Nom vin] FROM TYPEVIN INNER JOIN CAVE ON TYPEVIN.[Index] = "
                                      "CAVE.RelType ORDER BY CAVE.[Index];"),
                       {}, [&](Recordset& rs) {
                           wines.push_back({ColourCode::fromStoredOrRed(rs.value(0).toString()), rs.value(4).toString(),
                                            rs.value(2).toString(), rs.value(1).toInt(), rs.value(3).toLongLong()});
                       });
    return wines;
}

std::optional<qint64> stockOf(CellarSession& session, const QString& label, qint64 wine)
{
    std::optional<qint64> stock;
    const bool read = session.forEachRow(label, QStringLiteral("SELECT Stock FROM CAVE WHERE CAVE.[Index] = ? ;"),
                                         {wine}, [&](Recordset& rs) {
                                             if (!stock)
                                                 stock = rs.integer(QStringLiteral("Stock"));
                                         });
    return read ? stock : std::nullopt;
}

Placed placedBottles(CellarSession& session, const QString& label, qint64 wine, int rack)
{
    Placed placed;
    if (!session.OpenQuery(label, QStringLiteral("SELECT * FROM RAYONNAGE WHERE RAYONNAGE.Relation = ? ;"), {wine}))
        return placed;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
            ++placed.total;
            const int x = static_cast<int>(rs.integer(QStringLiteral("Coordonnees X")));
            const int y = static_cast<int>(rs.integer(QStringLiteral("Coordonnees Y")));
            if (rs.integer(QStringLiteral("Casier")) == rack && x >= 1 && x <= RackGrid::kMax && y >= 1 &&
                y <= RackGrid::kMax)
                placed.inRack.push_back({x, y});
        }
    }
    session.CloseQuery();
    return placed;
}

} // namespace RackStore
