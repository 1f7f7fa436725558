#include "exchange/ImportedTypes.h"

#include "db/engine/Database.h"

#include <QVariant>

ImportedTypes::ImportedTypes(Database& db)
    : m_db(db),
      m_find(db,
             QStringLiteral("SELECT [Index] FROM TYPEVIN WHERE Type = ? AND Appellation = ? ORDER BY rowid LIMIT 1")),
      m_add(db, QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES (?, ?, ?, ?)"))
{}

qint64 ImportedTypes::find(const QString& type, const QString& appellation)
{
    m_find.bind({type, appellation});
    return m_find.next() ? m_find.integer(0) : 0;
}

qint64 ImportedTypes::indexOf(const ImportedType& wanted)
{
    std::pair<QString, QString> spelt{wanted.type, wanted.appellation};
    if (const auto known = m_spelt.constFind(spelt); known != m_spelt.constEnd())
        return known.value();
    const QString key = wanted.type.toCaseFolded() + QChar(0x1F) + wanted.appellation.toCaseFolded();
    if (const auto known = m_known.constFind(key); known != m_known.constEnd()) {
        m_spelt.insert(std::move(spelt), known.value());
        return known.value();
    }
    qint64 index = find(wanted.type, wanted.appellation);
    if (index == 0 && !wanted.alias.isEmpty() && wanted.alias != wanted.type)
        index = find(wanted.alias, wanted.appellation);
    if (index == 0) {
        m_add.execute({wanted.type, wanted.appellation, wanted.colour, wanted.country});
        index = m_db.lastInsertId();
        ++m_created;
    }
    m_known.insert(key, index);
    m_spelt.insert(std::move(spelt), index);
    return index;
}
