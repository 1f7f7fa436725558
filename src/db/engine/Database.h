#pragma once

#include "db/engine/DbError.h"
#include "db/engine/Recordset.h"
#include "trace/Trace.h"

#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One SQLite database file. Every value reaches SQL as a bound parameter. Failures throw DbError.
class Database
{
public:
    enum class OpenMode
    {
        ExistingOnly,
        CreateIfMissing,
        ReadOnly
    };

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file read-write. A file that is not an SQLite database, or cannot be written, is refused
    // without being modified.
    void open(const QString& path, OpenMode mode = OpenMode::ExistingOnly);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    const QString& path() const { return m_path; }

    // Runs one statement with its values bound in order; returns the number of rows changed.
    int execute(const QString& sql, const QVariantList& values = {});
    // First column of the first row, or an invalid QVariant when there is none.
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    qint64 lastInsertId() const;

    bool tableExists(const QString& table);
    bool columnExists(const QString& table, const QString& column);
    QStringList tableNames();
    // Adds a column; throws DbError 3380 when the table already has it.
    void addColumn(const QString& table, const QString& column, const QString& declaration);

    // A table-type recordset over the whole table, editable.
    Recordset openTable(const QString& table);
    // A dynaset over a query; editable when every column comes from one table.
    Recordset openQuery(const QString& sql, const QVariantList& values = {});

    // Writes a compacted copy of this database to target (which must not exist).
    void vacuumInto(const QString& target);

    // Nested transactions (savepoints); prefer the Transaction guard.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_savepoints; }

    sqlite3* handle() const { return m_db; }
    // Throws the DbError that matches the connection's last failure.
    [[noreturn]] void raise(int rc, const QString& context = QString()) const;

private:
    friend class Recordset;
    friend class Statement;
    sqlite3_stmt* prepare(const QString& sql, const QVariantList& values);
    // Compiles a statement whose values are bound later.
    sqlite3_stmt* compile(const QString& sql);
    void bind(sqlite3_stmt* stmt, const QVariantList& values);
    // False for a text that could not be read back as it is: one with a NUL or an unpaired surrogate.
    static bool isStorableText(const QString& text);
    static QVariant columnValue(sqlite3_stmt* stmt, int column);
    // Reads every row of stmt into rs (the first column is the rowid when withRowid), then finalizes it.
    void fetchRows(sqlite3_stmt* stmt, bool withRowid, Recordset& rs);

    // Throws when the file opened is no longer at its path (removed or replaced underneath).
    void checkFileInPlace() const;

    sqlite3* m_db = nullptr;
    QString m_path;
    int m_savepoints = 0;
    // The file's identity when opened: a write to a file removed from its folder would be lost at close.
    unsigned long long m_device = 0;
    unsigned long long m_inode = 0;
};

// Commits on commit(); rolls back whatever it wrote if it goes out of scope first.
class Transaction
{
public:
    explicit Transaction(Database& db) : m_db(db) { m_db.begin(); }
    ~Transaction()
    {
        if (!m_done) {
            try {
                m_db.rollback();
            } catch (const DbError& error) {
                // A destructor cannot fail: the failed rollback is traced, and SQLite ends the transaction
                // with the connection at the latest.
                TraceLine("Transaction : %s (%d)", qUtf8Printable(error.description()), error.code());
            }
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit()
    {
        m_db.commit();
        m_done = true;
    }

private:
    Database& m_db;
    bool m_done = false;
};
