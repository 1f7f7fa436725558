#include "reference/Dishes.h"
#include "db/Write.h"
#include "reference/ReferenceEvents.h"

#include "db/CellarSession.h"

#include <QHash>
#include <QStringList>

namespace Dishes {

using ReferenceLists::Write;

std::vector<qint64> decode(const QString& relPlats)
{
    std::vector<qint64> indexes;
    for (const QStringView entry : QStringView(relPlats).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 index = entry.mid(1).trimmed().toLongLong(&ok);
        if (ok)
            indexes.push_back(index);
    }
    return indexes;
}

QString encode(const std::vector<qint64>& indexes)
{
    QString text;
    for (const qint64 index : indexes)
        text += QLatin1Char('*') + QString::number(index) + QLatin1Char(',');
    return text;
}

std::vector<Dish> all(CellarSession& session, const QString& label)
{
    std::vector<Dish> dishes;
    if (!session.OpenQuery(label, QStringLiteral("SELECT IndexPlats, Plat FROM PLATS "
                                                 "ORDER BY Plat COLLATE NOCASE, IndexPlats;")))
        return dishes;
    Recordset& rs = session.recordset();
    dishes.reserve(static_cast<size_t>(rs.recordCount()));
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext())
            dishes.push_back({rs.value(0).toLongLong(), rs.value(1).toString()});
    }
    session.CloseQuery();
    return dishes;
}

std::vector<Dish> of(CellarSession& session, const QString& label, const QString& relPlats)
{
    std::vector<Dish> dishes;
    const std::vector<qint64> indexes = decode(relPlats);
    if (indexes.empty())
        return dishes;
    // One query for all the entries: their indexes go as one bound JSON array.
    QStringList numbers;
    for (const qint64 index : indexes)
        numbers << QString::number(index);
    if (!session.OpenQuery(label,
                           QStringLiteral("SELECT IndexPlats, Plat FROM PLATS "
                                          "WHERE IndexPlats IN (SELECT value FROM json_each(?));"),
                           {QLatin1Char('[') + numbers.join(QLatin1Char(',')) + QLatin1Char(']')}))
        return dishes;
    QHash<qint64, QString> found;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext())
            found.insert(rs.value(0).toLongLong(), rs.value(1).toString());
    }
    session.CloseQuery();
    for (const qint64 index : indexes) {
        const auto name = found.constFind(index);
        if (name != found.constEnd())
            dishes.push_back({index, *name});
    }
    return dishes;
}

QString names(CellarSession& session, const QString& label, const QString& relPlats, const QString& separator)
{
    QString text;
    for (const Dish& dish : of(session, label, relPlats))
        text += dish.name + separator;
    return text;
}

qint64 add(CellarSession& session, const QString& name)
{
    qint64 index = 0;
    const WriteResult written = inTransaction(session.database(), "Dishes::add", [&](Database& db) {
        db.execute(QStringLiteral("INSERT INTO PLATS (Plat) VALUES (?)"), {name});
        index = db.lastInsertId();
        return true;
    });
    if (!written.done())
        return 0;
    ReferenceEvents::instance().notifyDishesChanged();
    return index;
}

Write rename(CellarSession& session, qint64 index, const QString& name)
{
    bool found = true;
    const WriteResult written = inTransaction(session.database(), "Dishes::rename", [&](Database& db) {
        found = db.execute(QStringLiteral("UPDATE PLATS SET Plat = ? WHERE IndexPlats = ?"), {name, index}) != 0;
        return found;
    });
    if (written.done()) {
        ReferenceEvents::instance().notifyDishesChanged();
        return Write::Done;
    }
    return found ? Write::Failed : Write::NotFound;
}

namespace {

// The entry of a dish as it stands in RelPlats: the "*" and the "," tell 1 from 11.
QString entryOf(qint64 index)
{
    return QLatin1Char('*') + QString::number(index) + QLatin1Char(',');
}

} // namespace

std::optional<int> suggestedBy(CellarSession& session, qint64 index)
{
    try {
        return session.database()
            .scalar(QStringLiteral("SELECT count(*) FROM TYPEVIN WHERE instr(RelPlats, ?) > 0"), {entryOf(index)})
            .toInt();
    } catch (const DbError& error) {
        traceFailure("Dishes::suggestedBy", error);
        return std::nullopt; // the caller refuses the deletion
    }
}

Write remove(CellarSession& session, qint64 index)
{
    const WriteResult result = inTransaction(session.database(), "Dishes::remove", [&](Database& db) {
        Recordset rs = db.openQuery(
            QStringLiteral("SELECT [Index], RelPlats FROM TYPEVIN WHERE instr(RelPlats, ?) > 0"), {entryOf(index)});
        if (rs.recordCount() > 0) {
            for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
                std::vector<qint64> kept = decode(rs.value(1).toString());
                std::erase(kept, index);
                db.execute(QStringLiteral("UPDATE TYPEVIN SET RelPlats = ? WHERE [Index] = ?"),
                           {encode(kept), rs.value(0)});
            }
        }
        return db.execute(QStringLiteral("DELETE FROM PLATS WHERE IndexPlats = ?"), {index}) > 0;
    });
    if (result.outcome == WriteResult::Outcome::Failed)
        return Write::Failed;
    // Removed, or gone already: the lists that showed it are read again.
    ReferenceEvents::instance().notifyDishesChanged();
    return result.done() ? Write::Done : Write::NotFound;
}

std::vector<Wine> winesFor(CellarSession& session, const QString& label, qint64 index)
{
    std::vector<Wine> wines;
    // The text search narrows the rows; the decoding decides, entry by entry.
    if (!session.OpenQuery(
            label,
            QStringLiteral("SELECT Type, Appellation, RelPlats FROM TYPEVIN WHERE instr(RelPlats, ?) > 0 "
                           "ORDER BY rowid;"),
            {entryOf(index)}))
        return wines;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
            for (const qint64 entry : decode(rs.value(2).toString())) {
                if (entry == index)
                    wines.push_back({rs.value(0).toString(), rs.value(1).toString()});
            }
        }
    }
    session.CloseQuery();
    return wines;
}

} // namespace Dishes
