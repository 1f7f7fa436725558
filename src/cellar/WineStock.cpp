#include "cellar/WineStock.h"
#include "db/CellarEvents.h"

#include "db/CellarSession.h"
#include "db/Write.h"

#include <cmath>

namespace WineStock {

namespace {

const QString kSelectLot = QStringLiteral("SELECT * FROM CAVE WHERE [Index]  = ?;");

// Opens the lot's row; false (and the session's report) when the query fails, NotFound when no row.
Failure openLot(CellarSession& session, const QString& label, qint64 index)
{
    if (!session.OpenQuery(label, kSelectLot, {index}))
        return Failure::NotFound;
    if (session.recordset().recordCount() == 0) {
        session.CloseQuery();
        return Failure::NotFound;
    }
    session.recordset().moveFirst();
    return Failure::None;
}

} // namespace

QString failureText(Failure failure)
{
    return failure == Failure::WriteFailed ? QStringLiteral("Impossible de modifier l'enregistrement CAVE")
                                           : QStringLiteral("Impossible d'écrire l'enregistrement CAVE");
}

Failure changeLot(CellarSession& session, const QString& label, qint64 index,
                  const std::function<void(Recordset&)>& change)
{
    Failure refusal = Failure::None;
    const WriteResult written = inTransaction(session.database(), "WineStock::changeLot", [&](Database&) {
        refusal = openLot(session, label, index);
        if (refusal != Failure::None)
            return false;
        Recordset& rs = session.recordset();
        try {
            rs.edit();
        } catch (const DbError& error) {
            // A lot the recordset cannot edit is one the user cannot change: told as not found.
            TraceLine("WineStock::changeLot : %s (%d)", qUtf8Printable(error.description()), error.code());
            session.CloseQuery();
            refusal = Failure::NotFound;
            return false;
        }
        change(rs);
        rs.update();
        session.CloseQuery();
        return true;
    });
    if (!written.done()) {
        session.CloseQuery();
        return written.outcome == WriteResult::Outcome::Refused ? refusal : Failure::WriteFailed;
    }
    CellarEvents::instance().notifyLotsChanged();
    return Failure::None;
}

std::optional<qint64> currentStock(CellarSession& session, const QString& label, qint64 index)
{
    if (openLot(session, label, index) != Failure::None)
        return std::nullopt;
    const qint64 stock = session.recordset().integer(QStringLiteral("Stock"));
    session.CloseQuery();
    return stock;
}

std::optional<LotFields> lotFields(CellarSession& session, const QString& label, qint64 index)
{
    std::optional<LotFields> fields;
    session.forEachRow(
        label,
        QStringLiteral("SELECT TYPEVIN.Type, TYPEVIN.Appellation, CAVE.Millesime, CAVE.Cru, CAVE.Proprietaire, "
                       "CAVE.[Nom vin], CAVE.Contenance, CAVE.Cote FROM TYPEVIN INNER JOIN CAVE ON "
                       "TYPEVIN.[Index] = CAVE.RelType WHERE CAVE.[Index]  = ?;"),
        {index}, [&](Recordset& wine) {
            fields = LotFields{wine.text(QStringLiteral("Type")),         wine.text(QStringLiteral("Appellation")),
                               wine.integer(QStringLiteral("Millesime")), wine.text(QStringLiteral("Cru")),
                               wine.text(QStringLiteral("Proprietaire")), wine.text(QStringLiteral("Nom Vin")),
                               wine.text(QStringLiteral("Contenance")),   wine.integer(QStringLiteral("Cote"))};
        }); // the last row, as the dialog always read it
    return fields;
}

std::optional<QString> picture(CellarSession& session, const QString& label, qint64 index)
{
    std::optional<QString> path;
    session.forEachRow(label, QStringLiteral("SELECT * FROM CAVE WHERE [Index]  = ?;"), {index}, [&](Recordset& rs) {
        if (!path)
            path = rs.text(QStringLiteral("Images"));
    });
    return path;
}

namespace {

// The lot's counts as the row holds them.
void readCounts(const Recordset& rs, Counts& counts)
{
    counts.stock = rs.integer(QStringLiteral("Stock"));
    counts.bought = static_cast<qint64>(rs.real(QStringLiteral("Nbr Achat")));
    counts.price = rs.real(QStringLiteral("Prix Achat"));
}

} // namespace

Counts exitBottles(CellarSession& session, const QString& label, qint64 index, qint64 n)
{
    Counts counts;
    counts.failure = changeLot(session, label, index, [&](Recordset& rs) {
        readCounts(rs, counts);
        counts.stock -= n;
        rs.setField(QStringLiteral("Stock"), counts.stock);
    });
    return counts;
}

Counts enterBottles(CellarSession& session, const QString& label, qint64 index, qint64 n, double price)
{
    Counts counts;
    counts.failure = changeLot(session, label, index, [&](Recordset& rs) {
        readCounts(rs, counts);
        counts.stock += n;
        counts.bought = static_cast<qint64>(std::trunc(rs.real(QStringLiteral("Nbr Achat")) + static_cast<double>(n)));
        counts.price += price;
        rs.setField(QStringLiteral("Stock"), counts.stock);
        rs.setField(QStringLiteral("Nbr Achat"), counts.bought);
        rs.setField(QStringLiteral("Prix Achat"), counts.price);
    });
    return counts;
}

Failure deleteWine(CellarSession& session, const QString& label, qint64 index)
{
    Failure refusal = Failure::None;
    const WriteResult written = inTransaction(session.database(), "WineStock::deleteWine", [&](Database& db) {
        refusal = openLot(session, label, index);
        if (refusal != Failure::None)
            return false;
        session.recordset().remove();
        session.CloseQuery();
        // Bottles of a deleted wine must not stay in the racks, invisible and blocking their cells.
        db.execute(QStringLiteral("DELETE FROM RAYONNAGE WHERE Relation = ?"), {index});
        return true;
    });
    if (!written.done()) {
        session.CloseQuery();
        return written.outcome == WriteResult::Outcome::Refused ? refusal : Failure::WriteFailed;
    }
    CellarEvents::instance().notifyLotsChanged();
    return Failure::None;
}

} // namespace WineStock
