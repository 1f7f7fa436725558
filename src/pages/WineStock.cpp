#include "pages/WineStock.h"

#include "db/CellarSession.h"

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

template <typename Change> Counts writeLot(CellarSession& session, const QString& label, qint64 index, Change change)
{
    Counts counts;
    Database& db = session.database();
    try {
        Transaction tx(db);
        counts.failure = openLot(session, label, index);
        if (counts.failure != Failure::None)
            return counts;
        Recordset& rs = session.recordset();
        counts.stock = rs.integer(QStringLiteral("Stock"));
        counts.bought = static_cast<qint64>(rs.real(QStringLiteral("Nbr Achat")));
        counts.price = rs.real(QStringLiteral("Prix Achat"));
        rs.edit();
        change(rs, counts);
        rs.update();
        session.CloseQuery();
        tx.commit();
    } catch (const DbError&) {
        session.CloseQuery();
        counts.failure = Failure::WriteFailed;
    }
    return counts;
}

} // namespace

std::optional<qint64> currentStock(CellarSession& session, const QString& label, qint64 index)
{
    if (openLot(session, label, index) != Failure::None)
        return std::nullopt;
    const qint64 stock = session.recordset().integer(QStringLiteral("Stock"));
    session.CloseQuery();
    return stock;
}

Counts exitBottles(CellarSession& session, const QString& label, qint64 index, qint64 n)
{
    return writeLot(session, label, index, [n](Recordset& rs, Counts& counts) {
        counts.stock -= n;
        rs.setField(QStringLiteral("Stock"), counts.stock);
    });
}

Counts enterBottles(CellarSession& session, const QString& label, qint64 index, qint64 n, double price)
{
    return writeLot(session, label, index, [n, price](Recordset& rs, Counts& counts) {
        const double bought = rs.real(QStringLiteral("Nbr Achat"));
        counts.stock += n;
        counts.bought = static_cast<qint64>(std::trunc(bought + static_cast<double>(n)));
        counts.price += price;
        rs.setField(QStringLiteral("Stock"), counts.stock);
        rs.setField(QStringLiteral("Nbr Achat"), counts.bought);
        rs.setField(QStringLiteral("Prix Achat"), counts.price);
    });
}

Failure deleteWine(CellarSession& session, const QString& label, qint64 index)
{
    Database& db = session.database();
    try {
        Transaction tx(db);
        const Failure found = openLot(session, label, index);
        if (found != Failure::None)
            return found;
        session.recordset().remove();
        session.CloseQuery();
        // Bottles of a deleted wine must not stay in the racks, invisible and blocking their cells.
        db.execute(QStringLiteral("DELETE FROM RAYONNAGE WHERE Relation = ?"), {index});
        tx.commit();
    } catch (const DbError&) {
        session.CloseQuery();
        return Failure::WriteFailed;
    }
    return Failure::None;
}

} // namespace WineStock
