#include "db/ImportMovements.h"

#include "db/engine/Database.h"

#include <QVariant>

ImportMovements::ImportMovements(Database& db) : m_db(db)
{
    m_journal = db.tableExists(QStringLiteral("MOUVEMENTS"));
    if (m_journal)
        m_last = db.scalar(QStringLiteral("SELECT coalesce(max(IndexMouvement), 0) FROM MOUVEMENTS")).toLongLong();
}

void ImportMovements::markAsImport(bool onlyPurchases)
{
    if (!m_journal)
        return;
    m_db.execute(QStringLiteral("UPDATE MOUVEMENTS SET Nature = 'import' WHERE IndexMouvement > ?") +
                     (onlyPurchases ? QStringLiteral(" AND Nature = 'achat'") : QString()),
                 {m_last});
}
