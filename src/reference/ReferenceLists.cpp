#include "reference/ReferenceLists.h"
#include "reference/ReferenceEvents.h"

#include "db/Write.h"

#include "db/CellarSession.h"

namespace ReferenceLists {

namespace {

// The first column of every row of a query, as texts.
QStringList column(CellarSession& session, const QString& label, const QString& sql, const QVariantList& values = {})
{
    QStringList texts;
    if (!session.OpenQuery(label, sql, values))
        return texts;
    Recordset& rs = session.recordset();
    texts.reserve(rs.recordCount());
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext())
            texts << rs.value(0).toString();
    }
    session.CloseQuery();
    return texts;
}

// Runs a change in one transaction; a duplicate key and other failures leave the cellar as it was.
using Notice = void (ReferenceEvents::*)();

// Runs a change of the reference lists in one transaction; once it is committed, the lists it changed are
// told. A deletion whose row was gone already tells them too (with toldWhenGone): they showed a stale row.
template <typename Change>
Write inTransaction(CellarSession& session, Notice notice, Change change, bool toldWhenGone = false)
{
    Write refusal = Write::Done;
    const WriteResult written = ::inTransaction(session.database(), "ReferenceLists", [&](Database& db) {
        refusal = change(db);
        return refusal == Write::Done;
    });
    Write result = Write::Failed;
    if (written.done())
        result = Write::Done;
    else if (written.outcome == WriteResult::Outcome::Refused)
        result = refusal; // rolled back
    else if (written.duplicate())
        result = Write::Duplicate;
    if (result == Write::Done || (toldWhenGone && result == Write::NotFound))
        (ReferenceEvents::instance().*notice)();
    return result;
}

bool exists(Database& db, const QString& sql, const QVariantList& values)
{
    return db.scalar(sql, values).isValid();
}

} // namespace

bool isName(const QString& name)
{
    return !name.trimmed().isEmpty();
}

QStringList wineTypes(CellarSession& session, const QString& label)
{
    // Type is compared without regard to case: one entry per type, whatever the case of its rows.
    return column(session, label,
                  QStringLiteral("SELECT Type FROM TYPEVIN WHERE Type IS NOT NULL GROUP BY Type "
                                 "ORDER BY Type COLLATE NOCASE;"));
}

std::vector<Appellation> appellationsOf(CellarSession& session, const QString& label, const QString& type)
{
    std::vector<Appellation> rows;
    if (!session.OpenQuery(
            label, QStringLiteral("SELECT Appellation, Etat, Nic FROM TYPEVIN WHERE Type = ? ORDER BY rowid;"), {type}))
        return rows;
    Recordset& rs = session.recordset();
    rows.reserve(static_cast<size_t>(rs.recordCount()));
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext())
            rows.push_back(
                {rs.value(0).toString(), ColourCode::fromStored(rs.value(1).toString()), rs.value(2).toString()});
    }
    session.CloseQuery();
    return rows;
}

QStringList countries(CellarSession& session, const QString& label)
{
    QStringList entries;
    if (!session.OpenQuery(label, QStringLiteral("SELECT Nic, Pays FROM PAYS ORDER BY rowid;")))
        return entries;
    Recordset& rs = session.recordset();
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext())
            entries << rs.value(0).toString() + QStringLiteral(" - ") + rs.value(1).toString();
    }
    session.CloseQuery();
    return entries;
}

QStringList crus(CellarSession& session, const QString& label)
{
    return column(session, label, QStringLiteral("SELECT Nom FROM CRUS ORDER BY Nom COLLATE NOCASE;"));
}

Write createWineType(CellarSession& session, const QString& type, const QString& appellation, const QString& nic,
                     Colour colour)
{
    return inTransaction(session, &ReferenceEvents::notifyWineTypesChanged, [&](Database& db) {
        if (exists(db, QStringLiteral("SELECT 1 FROM TYPEVIN WHERE Type = ? AND Appellation = ?"), {type, appellation}))
            return Write::Duplicate;
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Nic, Etat) VALUES (?, ?, ?, ?)"),
                   {type, appellation, nic, ColourCode::stored(colour)});
        return Write::Done;
    });
}

Write modifyWineType(CellarSession& session, const QString& oldType, const QString& appellation, const QString& newType,
                     const QString& nic, Colour colour)
{
    return inTransaction(session, &ReferenceEvents::notifyWineTypesChanged, [&](Database& db) {
        const bool all = appellation.isEmpty();
        const QString where =
            all ? QStringLiteral(" WHERE Type = ?") : QStringLiteral(" WHERE Type = ? AND Appellation = ?");
        const QVariantList key = all ? QVariantList{oldType} : QVariantList{oldType, appellation};
        // The new name may meet an appellation the new type already has: the UNIQUE (Type, Appellation)
        // key refuses it (3022) and the whole change is undone.
        const int changed = db.execute(QStringLiteral("UPDATE TYPEVIN SET Type = ?, Nic = ?, Etat = ?") + where,
                                       QVariantList{newType, nic, ColourCode::stored(colour)} + key);
        if (changed == 0)
            return Write::NotFound;
        // A type renamed whole takes its estates along: they are kept by the type's name.
        if (oldType.compare(newType, Qt::CaseInsensitive) != 0 &&
            !exists(db, QStringLiteral("SELECT 1 FROM TYPEVIN WHERE Type = ?"), {oldType}))
            db.execute(QStringLiteral("UPDATE DOMAINES SET Type = ? WHERE Type = ?"), {newType, oldType});
        return Write::Done;
    });
}

std::optional<Moved> countMoved(CellarSession& session, const QString& type, const QString& appellation)
{
    const bool all = appellation.isEmpty();
    const QString rows = all ? QStringLiteral("SELECT [Index] FROM TYPEVIN WHERE Type = ?")
                             : QStringLiteral("SELECT [Index] FROM TYPEVIN WHERE Type = ? AND Appellation = ?");
    const QVariantList key = all ? QVariantList{type} : QVariantList{type, appellation};
    Database& db = session.database();
    try {
        Moved moved;
        moved.appellations =
            db.scalar(QStringLiteral("SELECT count(*) FROM (") + rows + QStringLiteral(")"), key).toInt();
        moved.lots =
            db.scalar(QStringLiteral("SELECT count(*) FROM CAVE WHERE RelType IN (") + rows + QStringLiteral(")"), key)
                .toInt();
        return moved;
    } catch (const DbError& error) {
        traceFailure("ReferenceLists::countMoved", error);
        return std::nullopt; // the caller refuses the change
    }
}

Write addCru(CellarSession& session, const QString& name)
{
    return inTransaction(session, &ReferenceEvents::notifyCrusChanged, [&](Database& db) {
        db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES (?)"), {name});
        return Write::Done;
    });
}

Write addAppellation(CellarSession& session, const QString& type, const QString& name)
{
    return inTransaction(session, &ReferenceEvents::notifyWineTypesChanged, [&](Database& db) {
        if (exists(db, QStringLiteral("SELECT 1 FROM TYPEVIN WHERE Type = ? AND Appellation = ?"), {type, name}))
            return Write::Duplicate;
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation) VALUES (?, ?)"), {type, name});
        return Write::Done;
    });
}

Write renameCru(CellarSession& session, const QString& oldName, const QString& newName)
{
    return inTransaction(session, &ReferenceEvents::notifyCrusChanged, [&](Database& db) {
        const QVariant row =
            db.scalar(QStringLiteral("SELECT rowid FROM CRUS WHERE Nom = ? ORDER BY rowid LIMIT 1"), {oldName});
        if (!row.isValid())
            return Write::NotFound;
        if (exists(db, QStringLiteral("SELECT 1 FROM CRUS WHERE Nom = ? AND rowid <> ?"), {newName, row}))
            return Write::Duplicate;
        db.execute(QStringLiteral("UPDATE CRUS SET Nom = ? WHERE rowid = ?"), {newName, row});
        return Write::Done;
    });
}

Write renameAppellation(CellarSession& session, const QString& type, const QString& oldName, const QString& newName)
{
    return inTransaction(session, &ReferenceEvents::notifyWineTypesChanged, [&](Database& db) {
        const QVariant row = db.scalar(
            QStringLiteral("SELECT [Index] FROM TYPEVIN WHERE Type = ? AND Appellation = ? ORDER BY rowid LIMIT 1"),
            {type, oldName});
        if (!row.isValid())
            return Write::NotFound;
        if (exists(db, QStringLiteral("SELECT 1 FROM TYPEVIN WHERE Type = ? AND Appellation = ? AND [Index] <> ?"),
                   {type, newName, row}))
            return Write::Duplicate;
        db.execute(QStringLiteral("UPDATE TYPEVIN SET Appellation = ? WHERE [Index] = ?"), {newName, row});
        return Write::Done;
    });
}

QStringList estateTypes(CellarSession& session, const QString& label)
{
    return column(session, label,
                  QStringLiteral("SELECT Type FROM (SELECT Type FROM TYPEVIN UNION SELECT Type FROM DOMAINES) "
                                 "WHERE Type IS NOT NULL AND Type <> '' GROUP BY Type COLLATE NOCASE "
                                 "ORDER BY Type COLLATE NOCASE;"));
}

QStringList estates(CellarSession& session, const QString& label, const QString& type)
{
    return column(session, label,
                  QStringLiteral("SELECT Domaine FROM DOMAINES WHERE Type = ? ORDER BY Domaine COLLATE NOCASE;"),
                  {type});
}

Write addEstate(CellarSession& session, const QString& type, const QString& name)
{
    return inTransaction(session, &ReferenceEvents::notifyEstatesChanged, [&](Database& db) {
        if (exists(db, QStringLiteral("SELECT 1 FROM DOMAINES WHERE Type = ? AND Domaine = ?"), {type, name}))
            return Write::Duplicate;
        db.execute(QStringLiteral("INSERT INTO DOMAINES (Type, Domaine) VALUES (?, ?)"), {type, name});
        return Write::Done;
    });
}

Write deleteEstate(CellarSession& session, const QString& type, const QString& name)
{
    return inTransaction(
        session, &ReferenceEvents::notifyEstatesChanged,
        [&](Database& db) {
            const int removed =
                db.execute(QStringLiteral("DELETE FROM DOMAINES WHERE rowid = (SELECT rowid FROM DOMAINES "
                                          "WHERE Type = ? AND Domaine = ? ORDER BY rowid LIMIT 1)"),
                           {type, name});
            return removed > 0 ? Write::Done : Write::NotFound;
        },
        true);
}

} // namespace ReferenceLists
