#include "db/engine/Statement.h"

#include "db/engine/Database.h"
#include "db/engine/DbError.h"

#include <sqlite3.h>

Statement::Statement(Database& db, const QString& sql) : m_db(db), m_stmt(db.compile(sql)) {}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(const QVariantList& values)
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    m_db.bind(m_stmt, values);
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_db.raise(rc);
}

int Statement::execute(const QVariantList& values)
{
    bind(values);
    while (next()) {
    }
    return sqlite3_changes(m_db.handle());
}

QVariant Statement::value(int column) const
{
    return Database::columnValue(m_stmt, column);
}

QString Statement::text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)) : QString();
}

QString Statement::TextCache::get(const char* bytes, int size)
{
    if (!bytes)
        return QString();
    const std::string_view key(bytes, static_cast<size_t>(size));
    auto found = m_values.find(std::string(key));
    if (found != m_values.end())
        return found->second;
    if (m_values.size() > 4096)
        return QString::fromUtf8(bytes, size); // too many values to be worth keeping
    return m_values.emplace(std::string(key), QString::fromUtf8(bytes, size)).first->second;
}

QString Statement::text(int column, TextCache& cache) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return cache.get(text, sqlite3_column_bytes(m_stmt, column));
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}
