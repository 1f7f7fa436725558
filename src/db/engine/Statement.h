#pragma once

#include <QString>
#include <QVariant>
#include <string>
#include <string_view>
#include <unordered_map>

class Database;
struct sqlite3_stmt;

// A prepared statement, kept for many runs: rows are stepped through one at a time (nothing is held in
// memory but the current row), values are bound anew for each run. Failures throw DbError.
class Statement
{
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds values (in order) for the next run, from the start of the statement.
    void bind(const QVariantList& values);
    // The next row; false at the end.
    bool next();
    // Runs a statement that returns no row with these values; the number of rows it changed.
    int execute(const QVariantList& values);

    QVariant value(int column) const;
    QString text(int column) const;
    // The texts of a column that repeats few values (a wine type, a size): each value is decoded once and
    // shared, which saves the time and memory of large lists.
    class TextCache
    {
    public:
        QString get(const char* bytes, int size);

    private:
        std::unordered_map<std::string, QString> m_values;
    };
    QString text(int column, TextCache& cache) const;
    qint64 integer(int column) const;
    double real(int column) const;

private:
    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};
