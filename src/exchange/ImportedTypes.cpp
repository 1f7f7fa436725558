#include "exchange/ImportedTypes.h"

#include "db/engine/Database.h"

#include <QVariant>

ImportedTypes::ImportedTypes(Database& db)
    : m_db(db),
      m_find(db,
             QStringLiteral("SELECT [Index] FROM TYPEVIN WHERE Type = ? AND Appellation = ? ORDER BY rowid LIMIT 1")),
      m_add(db, QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES (?, ?, ?, ?)"))
{}

qint64 ImportedTypes::indexOf(const QString& type, const QString& appellation, const QString& etat, const QString& nic)
{
    std::pair<QString, QString> spelt{type, appellation};
    if (const auto known = m_spelt.constFind(spelt); known != m_spelt.constEnd())
        return known.value();
    const QString key = type.toCaseFolded() + QChar(0x1F) + appellation.toCaseFolded();
    if (const auto known = m_known.constFind(key); known != m_known.constEnd()) {
        m_spelt.insert(std::move(spelt), known.value());
        return known.value();
    }
    qint64 index = 0;
    m_find.bind({type, appellation});
    if (m_find.next()) {
        index = m_find.integer(0);
    } else {
        m_add.execute({type, appellation, etat, nic});
        index = m_db.scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
        ++m_created;
    }
    m_known.insert(key, index);
    m_spelt.insert(std::move(spelt), index);
    return index;
}
