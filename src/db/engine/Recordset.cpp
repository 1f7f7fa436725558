#include "db/engine/Recordset.h"

#include "db/engine/Database.h"
#include "db/engine/DbError.h"

namespace {

QString quoted(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

[[noreturn]] void noCurrentRecord()
{
    throw DbError(DbError::kNoCurrentRecord, QStringLiteral("Aucun enregistrement en cours."));
}

} // namespace

void Recordset::prepareIndex()
{
    m_index.clear();
    for (int c = m_names.size() - 1; c >= 0; --c)
        m_index.insert(m_names.at(c).toLower(), c); // the first column of a name wins
    m_deleted.assign(m_rows.size(), false);
    m_live = static_cast<int>(m_rows.size());
    m_current = 0;
    m_counter.clear();
    if (!m_table.isEmpty()) {
        const QString sql =
            m_db->scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {m_table})
                .toString();
        if (sql.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive))
            m_counter = m_db->scalar(QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE pk = 1"), {m_table})
                            .toString();
    }
}

void Recordset::close()
{
    *this = Recordset();
}

int Recordset::firstLive(int from, int step) const
{
    for (int i = from; i >= 0 && i < static_cast<int>(m_rows.size()); i += step) {
        if (!m_deleted[i])
            return i;
    }
    return -2;
}

void Recordset::moveFirst()
{
    m_mode = EditMode::None;
    const int row = firstLive(0, 1);
    if (row < 0) {
        m_current = static_cast<int>(m_rows.size());
        noCurrentRecord();
    }
    m_current = row;
}

void Recordset::moveLast()
{
    m_mode = EditMode::None;
    const int row = firstLive(static_cast<int>(m_rows.size()) - 1, -1);
    if (row < 0) {
        m_current = static_cast<int>(m_rows.size());
        noCurrentRecord();
    }
    m_current = row;
}

void Recordset::moveNext()
{
    m_mode = EditMode::None;
    if (isEOF())
        noCurrentRecord();
    const int row = firstLive(m_current + 1, 1);
    m_current = row < 0 ? static_cast<int>(m_rows.size()) : row;
}

void Recordset::movePrevious()
{
    m_mode = EditMode::None;
    if (isBOF())
        noCurrentRecord();
    const int row = firstLive(m_current - 1, -1);
    m_current = row < 0 ? -1 : row;
}

bool Recordset::isEOF() const
{
    return m_live == 0 || m_current >= static_cast<int>(m_rows.size());
}

bool Recordset::isBOF() const
{
    return m_live == 0 || m_current < 0;
}

int Recordset::recordCount() const
{
    return m_live;
}

bool Recordset::hasField(const QString& name) const
{
    return m_index.contains(name.toLower());
}

int Recordset::columnIndex(const QString& name) const
{
    const auto it = m_index.constFind(name.toLower());
    if (it == m_index.constEnd())
        throw DbError(DbError::kItemNotFound, QStringLiteral("Champ « %1 » inconnu dans cette collection.").arg(name));
    return it.value();
}

void Recordset::requireCurrent() const
{
    if (!m_db || m_current < 0 || m_current >= static_cast<int>(m_rows.size()))
        noCurrentRecord();
    if (m_deleted[m_current])
        throw DbError(DbError::kRecordDeleted, QStringLiteral("L'enregistrement est supprimé."));
}

void Recordset::requireUpdatable() const
{
    if (!m_db || m_table.isEmpty())
        throw DbError(DbError::kNotUpdatable, QStringLiteral("Ce résultat ne peut pas être modifié."));
}

QVariant Recordset::field(const QString& name) const
{
    const int column = columnIndex(name);
    if (m_mode != EditMode::None)
        return m_buffer.at(column);
    requireCurrent();
    return m_rows[m_current].at(column);
}

QVariant Recordset::value(int column) const
{
    if (m_mode != EditMode::None)
        return m_buffer.at(column);
    requireCurrent();
    return m_rows[m_current].at(column);
}

qint64 Recordset::nextCounterValue() const
{
    const qint64 sequence =
        m_db->scalar(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"), {m_table}).toLongLong();
    const qint64 highest = m_db->scalar(QStringLiteral("SELECT max(rowid) FROM %1").arg(quoted(m_table))).toLongLong();
    return qMax(sequence, highest) + 1;
}

void Recordset::addNew()
{
    requireUpdatable();
    m_buffer = QVariantList();
    for (int c = 0; c < m_names.size(); ++c)
        m_buffer << QVariant();
    m_dirty.assign(m_names.size(), false);
    if (!m_counter.isEmpty()) {
        const qint64 counter = nextCounterValue();
        for (int c = 0; c < m_origins.size(); ++c) {
            if (m_origins.at(c).compare(m_counter, Qt::CaseInsensitive) == 0)
                m_buffer[c] = QVariant(static_cast<qlonglong>(counter));
        }
        m_pendingCounter = counter;
    }
    m_mode = EditMode::Add;
}

void Recordset::edit()
{
    requireUpdatable();
    requireCurrent();
    m_buffer = m_rows[m_current];
    m_dirty.assign(m_names.size(), false);
    m_mode = EditMode::Edit;
}

void Recordset::setField(const QString& name, const QVariant& value)
{
    const int column = columnIndex(name);
    if (m_mode == EditMode::None)
        throw DbError(3020, QStringLiteral("Mise à jour sans AddNew ni Edit."));
    if (m_origins.at(column).isEmpty())
        throw DbError(DbError::kNotUpdatable, QStringLiteral("Le champ « %1 » ne peut pas être modifié.").arg(name));
    m_buffer[column] = value;
    m_dirty[column] = true;
}

void Recordset::cancelUpdate()
{
    m_mode = EditMode::None;
    m_buffer.clear();
    m_dirty.clear();
}

void Recordset::reloadRow(int row, qint64 rowid)
{
    QStringList columns;
    for (const QString& origin : m_origins)
        columns << (origin.isEmpty() ? QStringLiteral("NULL") : quoted(origin));
    const Recordset fresh = m_db->openQuery(
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(columns.join(QStringLiteral(", ")), quoted(m_table)),
        {rowid});
    if (fresh.m_rows.empty())
        return;
    m_rows[row] = fresh.m_rows.front();
}

void Recordset::update()
{
    if (m_mode == EditMode::None)
        throw DbError(3020, QStringLiteral("Mise à jour sans AddNew ni Edit."));
    QStringList columns;
    QVariantList values;
    for (int c = 0; c < m_names.size(); ++c) {
        if (!m_dirty[c])
            continue;
        if (!m_counter.isEmpty() && m_origins.at(c).compare(m_counter, Qt::CaseInsensitive) == 0)
            continue; // the counter is the database's
        columns << quoted(m_origins.at(c));
        values << m_buffer.at(c);
    }
    if (m_mode == EditMode::Add) {
        if (!m_counter.isEmpty()) {
            columns.prepend(quoted(m_counter));
            values.prepend(QVariant(static_cast<qlonglong>(m_pendingCounter)));
        }
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        const QString sql = columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_table))
                                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                    .arg(quoted(m_table), columns.join(QStringLiteral(", ")),
                                                         marks.join(QStringLiteral(", ")));
        m_db->execute(sql, values);
        const qint64 rowid = m_db->lastInsertId();
        m_rows.push_back(m_buffer);
        m_rowids.push_back(rowid);
        m_deleted.push_back(false);
        ++m_live;
        // The new row becomes the current one, so its counter and values can be read back at once.
        m_current = static_cast<int>(m_rows.size()) - 1;
        reloadRow(m_current, rowid);
    } else if (!columns.isEmpty()) {
        QStringList assignments;
        for (const QString& column : columns)
            assignments << column + QStringLiteral(" = ?");
        values << QVariant(static_cast<qlonglong>(m_rowids[m_current]));
        m_db->execute(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                          .arg(quoted(m_table), assignments.join(QStringLiteral(", "))),
                      values);
        reloadRow(m_current, m_rowids[m_current]);
    }
    cancelUpdate();
}

void Recordset::remove()
{
    requireUpdatable();
    requireCurrent();
    m_db->execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_table)),
                  {QVariant(static_cast<qlonglong>(m_rowids[m_current]))});
    m_deleted[m_current] = true;
    --m_live;
    m_mode = EditMode::None;
}
