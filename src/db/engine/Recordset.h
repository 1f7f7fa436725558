#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class Database;

// The rows of a table or a query, with a current row, read and written by field name.
// Field names are matched without regard to case ("Nom Vin" is "Nom vin").
// Moving to the first or last row of an empty result throws DbError 3021, which readers take as "no rows".
class Recordset
{
public:
    enum class Type
    {
        Table,
        Dynaset
    };

    Recordset() = default;

    bool isOpen() const { return m_db != nullptr; }
    void close();
    Type type() const { return m_type; }
    // The table that edits go to; empty for a read-only result.
    const QString& sourceTable() const { return m_table; }
    bool isUpdatable() const { return !m_table.isEmpty(); }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool isEOF() const;
    bool isBOF() const;
    // Number of rows (deleted rows excluded).
    int recordCount() const;

    QStringList fieldNames() const { return m_names; }
    bool hasField(const QString& name) const;
    QVariant field(const QString& name) const;
    // Column position of a field (throws DbError 3265 when unknown), and the value at a position:
    // for loops over many rows.
    int fieldIndex(const QString& name) const { return columnIndex(name); }
    QVariant value(int column) const;
    QString text(const QString& name) const { return field(name).toString(); }
    qint64 integer(const QString& name) const { return field(name).toLongLong(); }
    double real(const QString& name) const { return field(name).toDouble(); }

    // Starts a new row; its counter field (if the table has one) can be read at once.
    void addNew();
    // Starts editing the current row.
    void edit();
    void setField(const QString& name, const QVariant& value);
    // Writes the row being added or edited.
    void update();
    void cancelUpdate();
    // Deletes the current row; moveNext then goes on to the row after it.
    void remove();

private:
    friend class Database;
    enum class EditMode
    {
        None,
        Add,
        Edit
    };

    void prepareIndex();
    qint64 nextCounterValue() const;
    int columnIndex(const QString& name) const;
    void requireCurrent() const;
    void requireUpdatable() const;
    int firstLive(int from, int step) const;
    void reloadRow(int row, qint64 rowid);

    Database* m_db = nullptr;
    Type m_type = Type::Dynaset;
    QString m_table;
    QString m_counter;           // the table's AUTOINCREMENT column, if any
    QStringList m_names;         // result names, as the query gives them
    QStringList m_origins;       // table column written by each result column (empty: not writable)
    QHash<QString, int> m_index; // lower-case name -> column
    std::vector<QVariantList> m_rows;
    std::vector<qint64> m_rowids;
    std::vector<bool> m_deleted;
    int m_live = 0;
    int m_current = -1; // -1 before the first row, size() after the last
    EditMode m_mode = EditMode::None;
    QVariantList m_buffer;
    std::vector<bool> m_dirty;
    qint64 m_pendingCounter = 0;
};
