#include "db/engine/BatchInsert.h"

#include "db/engine/Database.h"
#include "db/engine/DbError.h"
#include "db/engine/Statement.h"

#include <sqlite3.h>

BatchInsert::BatchInsert(Database& db, const QString& into, int columns, int rowsPerStatement)
    : m_db(db), m_into(into), m_columns(columns), m_rowsPerStatement(rowsPerStatement)
{
    m_pending.reserve(columns * rowsPerStatement);
}

BatchInsert::~BatchInsert() = default;

QString BatchInsert::sql(int rows) const
{
    QString values = QStringLiteral("(?");
    for (int c = 1; c < m_columns; ++c)
        values += QStringLiteral(", ?");
    values += QLatin1Char(')');
    QString text = QStringLiteral("INSERT INTO %1 VALUES ").arg(m_into);
    for (int r = 0; r < rows; ++r) {
        if (r > 0)
            text += QStringLiteral(", ");
        text += values;
    }
    return text;
}

void BatchInsert::add(const QVariantList& row)
{
    if (row.size() != m_columns)
        throw DbError(SQLITE_RANGE,
                      QStringLiteral("%1 valeurs pour une ligne de %2 colonnes").arg(row.size()).arg(m_columns));
    m_pending += row;
    if (m_pending.size() < m_columns * m_rowsPerStatement)
        return;
    if (!m_full)
        m_full = std::make_unique<Statement>(m_db, sql(m_rowsPerStatement));
    m_full->execute(m_pending);
    m_pending.clear();
}

void BatchInsert::flush()
{
    if (m_pending.isEmpty())
        return;
    Statement rest(m_db, sql(static_cast<int>(m_pending.size()) / m_columns));
    rest.execute(m_pending);
    m_pending.clear();
}
