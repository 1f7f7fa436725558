#include "jet/JetReader.h"

#include "jet/JetHeader.h"

#include <QFile>

#include <mdbtools.h>

#include <cstring>
#include <vector>

struct JetReader::Handle
{
    MdbHandle* mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
};

namespace {

JetReader::Column::Kind kindOf(int type)
{
    switch (type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return JetReader::Column::Kind::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return JetReader::Column::Kind::Real;
    default:
        return JetReader::Column::Kind::Text;
    }
}

// A fixed-size number as its bytes hold it (little-endian), or nothing when they are not all there.
QVariant exactNumber(const unsigned char* page, int start, int length, int type)
{
    auto bytes = [&](int needed) { return length >= needed && start >= 0 && start + needed <= MDB_PGSIZE; };
    switch (type) {
    case MDB_BYTE:
        return bytes(1) ? QVariant(static_cast<qint64>(page[start])) : QVariant();
    case MDB_INT:
        if (!bytes(2))
            return {};
        return static_cast<qint64>(static_cast<qint16>(page[start] | (page[start + 1] << 8)));
    case MDB_LONGINT: {
        if (!bytes(4))
            return {};
        quint32 value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | page[start + i];
        return static_cast<qint64>(static_cast<qint32>(value));
    }
    case MDB_FLOAT: {
        if (!bytes(4))
            return {};
        float value = 0;
        std::memcpy(&value, page + start, 4);
        return static_cast<double>(value);
    }
    case MDB_DOUBLE: {
        if (!bytes(8))
            return {};
        double value = 0;
        std::memcpy(&value, page + start, 8);
        return value;
    }
    case MDB_MONEY: {
        // A currency: a whole number of ten-thousandths.
        if (!bytes(8))
            return {};
        qint64 value = 0;
        std::memcpy(&value, page + start, 8);
        return static_cast<double>(value / 10000) + static_cast<double>(value % 10000) / 10000.0;
    }
    default:
        return {};
    }
}

} // namespace

JetReader::JetReader() = default;
JetReader::~JetReader() = default;

bool JetReader::open(const QString& path, QString* error)
{
    m_handle = std::make_unique<Handle>();
    const QByteArray name = QFile::encodeName(path);
    m_handle->mdb = mdb_open(name.constData(), MDB_NOFLAGS);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        m_firstPage = file.read(MDB_PGSIZE);
    return afterOpen(error);
}

bool JetReader::openBuffer(const QByteArray& bytes, QString* error)
{
    m_buffer = bytes;
    m_handle = std::make_unique<Handle>();
    m_handle->mdb = mdb_open_buffer(m_buffer.data(), static_cast<size_t>(m_buffer.size()), MDB_NOFLAGS);
    m_firstPage = m_buffer.left(MDB_PGSIZE);
    return afterOpen(error);
}

bool JetReader::afterOpen(QString* error)
{
    if (!m_handle->mdb) {
        if (error)
            *error = QStringLiteral("le fichier n'a pas pu être lu comme une base Access (Jet) : il est abîmé ou "
                                    "d'un format que la bibliothèque ne lit pas");
        return false;
    }
    if (isEncrypted()) {
        if (error)
            *error = QStringLiteral("il est chiffré (protégé par un mot de passe) : ouvrez-le sous Windows avec "
                                    "Access, retirez le chiffrement, puis recommencez");
        return false;
    }
    if (hasPassword()) {
        if (error)
            *error = QStringLiteral("il est protégé par un mot de passe : ouvrez-le sous Windows avec Access, "
                                    "retirez le mot de passe, puis recommencez");
        return false;
    }
    if (!mdb_read_catalog(m_handle->mdb, MDB_TABLE)) {
        if (error)
            *error = QStringLiteral("la liste des tables n'a pas pu être lue : le fichier est abîmé");
        return false;
    }
    return true;
}

bool JetReader::isJet3() const
{
    return m_handle && m_handle->mdb && m_handle->mdb->f->jet_version == MDB_VER_JET3;
}

bool JetReader::isEncrypted() const
{
    return m_handle && m_handle->mdb && m_handle->mdb->f->db_key != 0;
}

bool JetReader::hasPassword() const
{
    return JetHeader::hasPassword(m_firstPage);
}

QStringList JetReader::tables() const
{
    QStringList names;
    if (!m_handle || !m_handle->mdb || !m_handle->mdb->catalog)
        return names;
    for (unsigned i = 0; i < m_handle->mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_handle->mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && !mdb_is_system_table(entry))
            names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

qint64 JetReader::rowCount(const QString& table) const
{
    if (!m_handle || !m_handle->mdb)
        return 0;
    QByteArray name = table.toUtf8();
    MdbTableDef* def = mdb_read_table_by_name(m_handle->mdb, name.data(), MDB_TABLE);
    if (!def)
        return 0;
    const qint64 rows = def->num_rows;
    mdb_free_tabledef(def);
    return rows;
}

bool JetReader::readTable(const QString& table, const Row& row, QString* error)
{
    if (!m_handle || !m_handle->mdb)
        return false;
    MdbHandle* mdb = m_handle->mdb;
    QByteArray name = table.toUtf8();
    MdbTableDef* def = mdb_read_table_by_name(mdb, name.data(), MDB_TABLE);
    if (!def || !mdb_read_columns(def)) {
        if (def)
            mdb_free_tabledef(def);
        if (error)
            *error = QStringLiteral("la table %1 n'a pas pu être lue : le fichier est abîmé").arg(table);
        return false;
    }
    const unsigned count = def->num_cols;
    QList<Column> columns;
    std::vector<std::vector<char>> bound(count, std::vector<char>(MDB_BIND_SIZE + 1, 0));
    std::vector<int> lengths(count, 0);
    for (unsigned c = 0; c < count; ++c) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, c));
        columns.push_back({QString::fromUtf8(column->name), kindOf(column->col_type)});
        // Numbers are read from their bytes: the library need not write them out as text first.
        if (columns.back().kind == Column::Kind::Text || column->col_type == MDB_BOOL)
            mdb_bind_column(def, static_cast<int>(c + 1), bound[c].data(), &lengths[c]);
    }
    mdb_rewind_table(def);
    QVariantList values;
    while (mdb_fetch_row(def)) {
        values.clear();
        for (unsigned c = 0; c < count; ++c) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, c));
            const int length = column->cur_value_len;
            if (length <= 0 && lengths[c] <= 0) {
                values << QVariant(); // NULL, or an empty text
                continue;
            }
            if (column->col_type == MDB_BOOL) {
                values << QVariant(static_cast<qint64>(QByteArray(bound[c].data()).trimmed() == "1" ? 1 : 0));
                continue;
            }
            if (columns[c].kind != Column::Kind::Text) {
                values << exactNumber(mdb->pg_buf, column->cur_value_start, length, column->col_type);
                continue;
            }
            const int size = qBound(0, lengths[c], MDB_BIND_SIZE);
            values << QString::fromUtf8(bound[c].data(), static_cast<int>(strnlen(bound[c].data(), size)));
        }
        row(columns, values);
    }
    mdb_free_tabledef(def);
    return true;
}
