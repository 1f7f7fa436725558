#include "cellar/EntryChoices.h"

#include "db/CellarSession.h"

#include <QSet>

namespace EntryChoices {

QStringList countries(CellarSession& session, const QString& label)
{
    QStringList names;
    session.forEachRow(label, QStringLiteral("SELECT * FROM PAYS;"), {}, [&](Recordset& rs) {
        names << rs.text(QStringLiteral("Nic")) + QStringLiteral(" - ") + rs.text(QStringLiteral("Pays"));
    });
    return names;
}

QString countryName(CellarSession& session, const QString& label, const QString& code)
{
    QString name;
    bool first = true;
    session.forEachRow(label, QStringLiteral("SELECT * FROM PAYS WHERE Nic = ?;"), {code}, [&](Recordset& rs) {
        if (first)
            name = rs.text(QStringLiteral("Pays"));
        first = false;
    });
    return name;
}

QStringList wineTypes(CellarSession& session, const QString& label, const QString& code, bool caseInsensitive)
{
    QStringList types;
    QSet<QString> seen;
    const QString sql = code.isEmpty() ? QStringLiteral("SELECT * FROM TYPEVIN;")
                                       : QStringLiteral("SELECT * FROM TYPEVIN WHERE Nic = ?;");
    session.forEachRow(label, sql, code.isEmpty() ? QVariantList() : QVariantList{code}, [&](Recordset& rs) {
        const QString type = rs.text(QStringLiteral("Type"));
        const QString key = caseInsensitive ? type.toCaseFolded() : type;
        if (!seen.contains(key)) {
            seen.insert(key);
            types << type;
        }
    });
    return types;
}

QStringList appellations(CellarSession& session, const QString& label, const QString& type)
{
    QStringList names;
    session.forEachRow(label, QStringLiteral("SELECT * FROM TYPEVIN WHERE Type = ?;"), {type}, [&](Recordset& rs) {
        const QString appellation = rs.text(QStringLiteral("Appellation"));
        if (!names.contains(appellation))
            names << appellation;
    });
    return names;
}

std::optional<QString> standardKeeping(CellarSession& session, const QString& label, const QString& type,
                                       const QString& appellation)
{
    std::optional<QString> keeping;
    session.forEachRow(label, QStringLiteral("SELECT Garde FROM TYPEVIN WHERE Type = ? AND Appellation = ?;"),
                       {type, appellation}, [&](Recordset& rs) {
                           if (!keeping)
                               keeping = rs.text(QStringLiteral("Garde"));
                       });
    return keeping;
}

QStringList estates(CellarSession& session, const QString& label, const QString& type, const QString& firstWord)
{
    QStringList names;
    session.forEachRow(
        label,
        QStringLiteral("SELECT Domaine FROM DOMAINES WHERE Type = ? OR Type = ? GROUP BY Domaine ORDER BY "
                       "min(rowid);"),
        {type, firstWord}, [&](Recordset& rs) { names << rs.text(QStringLiteral("Domaine")); });
    return names;
}

} // namespace EntryChoices
