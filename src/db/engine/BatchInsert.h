#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class Database;
class Statement;

// Inserts many rows into one table, several rows per statement: a statement has a fixed cost (its
// statement journal, its triggers' set-up, the table's counter) that a large import would otherwise pay
// once per row. Rows go in in the order they are added; flush() writes what is left and must be called
// before the caller reads the table or commits. Failures throw DbError, like every statement.
class BatchInsert
{
public:
    // `into` is "TABLE (column, column, ...)"; every row has `columns` values.
    BatchInsert(Database& db, const QString& into, int columns, int rowsPerStatement = 256);
    ~BatchInsert();
    BatchInsert(const BatchInsert&) = delete;
    BatchInsert& operator=(const BatchInsert&) = delete;

    void add(const QVariantList& row);
    void flush();

private:
    QString sql(int rows) const;

    Database& m_db;
    QString m_into;
    int m_columns;
    int m_rowsPerStatement;
    QVariantList m_pending;
    std::unique_ptr<Statement> m_full;
};
