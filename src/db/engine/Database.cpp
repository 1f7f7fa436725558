#include "db/engine/Database.h"

#include <QFileInfo>

#include "db/engine/DbError.h"

#include <QByteArray>
#include <QFile>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

QString quoted(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

constexpr int kObjectInvalid = 3420;
constexpr int kTableNotFound = 3078;

// What the user reads for the engine's failures a user can meet, in place of SQLite's English (which the
// trace keeps); any other failure keeps the engine's own text.
QString frenchText(int code, const QString& english)
{
    switch (code & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("le disque est plein");
    case SQLITE_IOERR:
        return QStringLiteral("le disque n'a pas pu être lu ou écrit");
    case SQLITE_READONLY:
        return QStringLiteral("le fichier ne peut pas être écrit");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("la cave est occupée par un autre programme");
    case SQLITE_CORRUPT:
        return QStringLiteral("le fichier est endommagé");
    case SQLITE_NOTADB:
        return QStringLiteral("le fichier n'est pas une base de données");
    case SQLITE_CANTOPEN:
        return QStringLiteral("le fichier ne peut pas être ouvert");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("l'accès au fichier est refusé");
    case SQLITE_NOMEM:
        return QStringLiteral("la mémoire manque");
    case SQLITE_TOOBIG:
        return QStringLiteral("une valeur est trop grande");
    default:
        return english;
    }
}

// The engine's failure as the user reads it; its English and its code go to the trace.
QString engineText(int code, const QString& english)
{
    const QString french = frenchText(code, english);
    if (french != english)
        TraceLine("SQLite : %s (%d)", qUtf8Printable(english), code);
    return french;
}

} // namespace

Database::~Database()
{
    close();
}

void Database::open(const QString& path, OpenMode mode)
{
    close();
    int flags = mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (mode == OpenMode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    sqlite3* db = nullptr;
    // Always a path, never an SQLite URI: "file:autre.mdb" is a file of that name in the folder, not a link to
    // another file with options of its own.
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            engineText(db ? sqlite3_extended_errcode(db) : rc,
                       db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"));
        sqlite3_close(db);
        throw DbError(rc, QStringLiteral("Impossible d'ouvrir le fichier « %1 » : %2").arg(path, message));
    }
    // Another program's write (an SQLite tool, a backup reading) is waited for, from the first statement on.
    sqlite3_busy_timeout(db, 5000);
    // Reading the catalogue proves the file is a database without writing anything to it.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const int code = sqlite3_errcode(db);
        const QString message = engineText(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_close(db);
        throw DbError(code, QStringLiteral("Le fichier « %1 » n'est pas une base Tonnelix : %2").arg(path, message));
    }
    if (mode != OpenMode::ReadOnly && sqlite3_db_readonly(db, "main") == 1) {
        sqlite3_close(db);
        throw DbError(SQLITE_READONLY, QStringLiteral("Le fichier « %1 » est en lecture seule.").arg(path));
    }
    sqlite3_extended_result_codes(db, 1);
    // Durability first: a rollback journal (the cellar stays one file once closed, as users copy it) and a
    // full sync at every commit, so that a killed process or a power cut leaves the last commit or the one
    // before it, never a mix.
    if (mode != OpenMode::ReadOnly) {
        // A page cache of up to 32 MB (filled only as pages are read), and the statement journals of the
        // savepoints in memory: a large import stays in memory until its one commit, which is still synced.
        rc = sqlite3_exec(
            db,
            "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA cache_size=-32768; PRAGMA temp_store=MEMORY;",
            nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            const int code = sqlite3_errcode(db);
            const QString message = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_close(db);
            throw DbError(code, QStringLiteral("Impossible d'ouvrir le fichier « %1 » : %2").arg(path, message));
        }
    }
    m_db = db;
    m_path = path;
    m_savepoints = 0;
    struct stat info = {};
    if (::stat(file.constData(), &info) == 0) {
        m_device = info.st_dev;
        m_inode = info.st_ino;
    } else {
        m_device = m_inode = 0; // a database in memory
    }
}

void Database::checkFileInPlace() const
{
    if (m_inode == 0)
        return;
    struct stat info = {};
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0 || info.st_dev != m_device || info.st_ino != m_inode)
        throw DbError(DbError::kFileGone,
                      QStringLiteral("Le fichier de la cave « %1 » a été supprimé ou remplacé pendant "
                                     "que Tonnelix l'utilisait : rien n'a été écrit. Fermez Tonnelix et "
                                     "rouvrez la cave (ou restaurez une sauvegarde).")
                          .arg(m_path));
}

void Database::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_savepoints = 0;
}

void Database::raise(int rc, const QString& context) const
{
    const int extended = m_db ? sqlite3_extended_errcode(m_db) : rc;
    const QString english = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    QString message = engineText(extended, english);
    if (!context.isEmpty())
        message = context + QStringLiteral(" : ") + message;
    if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY)
        throw DbError(DbError::kDuplicateKey, message);
    if (english.contains(QLatin1String("duplicate column name")))
        throw DbError(DbError::kFieldExists, message);
    throw DbError(rc & 0xff, message);
}

sqlite3_stmt* Database::compile(const QString& sql)
{
    if (!m_db)
        throw DbError(kObjectInvalid, QStringLiteral("La base de données n'est pas ouverte."));
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        raise(rc);
    }
    return stmt;
}

sqlite3_stmt* Database::prepare(const QString& sql, const QVariantList& values)
{
    sqlite3_stmt* stmt = compile(sql);
    try {
        bind(stmt, values);
    } catch (...) {
        sqlite3_finalize(stmt);
        throw;
    }
    return stmt;
}

// A NUL would cut the text in some of the engine's functions and a lone half of a surrogate pair (pasted from
// another program) cannot be written in UTF-8: such a text could not be read back as it was typed.
bool Database::isStorableText(const QString& text)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c.isNull())
            return false;
        if (c.isHighSurrogate()) {
            if (i + 1 >= size || !text.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

void Database::bind(sqlite3_stmt* stmt, const QVariantList& values)
{
    const int expected = sqlite3_bind_parameter_count(stmt);
    if (expected != values.size())
        throw DbError(SQLITE_RANGE, QStringLiteral("%1 valeurs pour %2 paramètres").arg(values.size()).arg(expected));
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values.at(i);
        const int slot = i + 1;
        int rc = SQLITE_OK;
        switch (v.typeId()) {
        case QMetaType::UnknownType:
        case QMetaType::Nullptr:
            rc = sqlite3_bind_null(stmt, slot);
            break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(stmt, slot, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt, slot, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray blob = v.toByteArray();
            rc = sqlite3_bind_blob64(stmt, slot, blob.constData(), static_cast<sqlite3_uint64>(blob.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QString text = v.toString();
            if (!isStorableText(text))
                throw DbError(DbError::kInvalidText,
                              QStringLiteral("Ce texte contient un caractère qui ne peut pas être enregistré (un "
                                             "caractère nul ou un caractère incomplet) : corrigez-le."));
            const QByteArray utf8 = text.toUtf8();
            rc = sqlite3_bind_text64(stmt, slot, utf8.constData(), static_cast<sqlite3_uint64>(utf8.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
        if (rc != SQLITE_OK)
            raise(rc);
    }
}

QVariant Database::columnValue(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, column)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(stmt, column)));
    }
    default:
        return QVariant();
    }
}

int Database::execute(const QString& sql, const QVariantList& values)
{
    sqlite3_stmt* stmt = prepare(sql, values);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        raise(rc);
    return sqlite3_changes(m_db);
}

QVariant Database::scalar(const QString& sql, const QVariantList& values)
{
    sqlite3_stmt* stmt = prepare(sql, values);
    QVariant result;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        result = columnValue(stmt, 0);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        raise(rc);
    return result;
}

qint64 Database::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

bool Database::tableExists(const QString& table)
{
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
                  {table})
               .toInt() > 0;
}

bool Database::columnExists(const QString& table, const QString& column)
{
    return scalar(QStringLiteral("SELECT count(*) FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"),
                  {table, column})
               .toInt() > 0;
}

QStringList Database::tableNames()
{
    QStringList names;
    sqlite3_stmt* stmt =
        prepare(QStringLiteral(
                    "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name"),
                {});
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names << columnValue(stmt, 0).toString();
    sqlite3_finalize(stmt);
    return names;
}

void Database::addColumn(const QString& table, const QString& column, const QString& declaration)
{
    // DDL cannot take bound parameters: the names come from the system's own schema, never from the user.
    execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(quoted(table), quoted(column), declaration));
}

void Database::vacuumInto(const QString& target)
{
    execute(QStringLiteral("VACUUM INTO ?"), {target});
}

void Database::begin()
{
    if (m_savepoints == 0)
        checkFileInPlace();
    execute(QStringLiteral("SAVEPOINT tonnelix_%1").arg(m_savepoints + 1));
    ++m_savepoints;
}

void Database::commit()
{
    if (m_savepoints == 0)
        return;
    execute(QStringLiteral("RELEASE tonnelix_%1").arg(m_savepoints));
    --m_savepoints;
}

void Database::rollback()
{
    if (m_savepoints == 0)
        return;
    const QString name = QStringLiteral("tonnelix_%1").arg(m_savepoints);
    --m_savepoints;
    execute(QStringLiteral("ROLLBACK TO ") + name);
    execute(QStringLiteral("RELEASE ") + name);
}

Recordset Database::openTable(const QString& table)
{
    if (!tableExists(table))
        throw DbError(kTableNotFound, QStringLiteral("Table « %1 » introuvable.").arg(table));
    Recordset rs;
    rs.m_db = this;
    rs.m_type = Recordset::Type::Table;
    rs.m_table =
        scalar(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
               {table})
            .toString();
    sqlite3_stmt* stmt = prepare(QStringLiteral("SELECT rowid, * FROM %1").arg(quoted(rs.m_table)), {});
    const int columns = sqlite3_column_count(stmt);
    for (int c = 1; c < columns; ++c) {
        const QString name = QString::fromUtf8(sqlite3_column_name(stmt, c));
        rs.m_names << name;
        rs.m_origins << name;
    }
    fetchRows(stmt, true, rs);
    return rs;
}

Recordset Database::openQuery(const QString& sql, const QVariantList& values)
{
    Recordset rs;
    rs.m_db = this;
    rs.m_type = Recordset::Type::Dynaset;

    sqlite3_stmt* stmt = prepare(sql, values);
    const int columns = sqlite3_column_count(stmt);

    // A result whose every column comes from one table can be edited through that table's rowid.
    QString table;
    bool single = columns > 0;
    for (int c = 0; c < columns && single; ++c) {
        const char* t = sqlite3_column_table_name(stmt, c);
        if (!t) {
            single = false;
        } else if (table.isEmpty()) {
            table = QString::fromUtf8(t);
        } else if (table != QString::fromUtf8(t)) {
            single = false;
        }
    }
    const QString trimmed = sql.trimmed();
    const QString upper = trimmed.toUpper();
    if (single && (!upper.startsWith(QLatin1String("SELECT ")) || upper.contains(QLatin1String("DISTINCT")) ||
                   upper.contains(QLatin1String("GROUP BY")) || upper.contains(QLatin1String(" UNION ")) ||
                   upper.contains(QLatin1String(" INTERSECT ")) || upper.contains(QLatin1String(" EXCEPT "))))
        single = false;

    sqlite3_stmt* editable = nullptr;
    if (single) {
        const QString withRowid =
            QStringLiteral("SELECT %1.rowid, ").arg(quoted(table)) + trimmed.mid(QStringLiteral("SELECT ").size());
        try {
            editable = prepare(withRowid, values);
        } catch (const DbError&) {
            editable = nullptr; // an alias in FROM hides the table name: the result stays read-only
        }
    }

    for (int c = 0; c < columns; ++c) {
        rs.m_names << QString::fromUtf8(sqlite3_column_name(stmt, c));
        const char* origin = sqlite3_column_origin_name(stmt, c);
        rs.m_origins << ((editable && origin) ? QString::fromUtf8(origin) : QString());
    }
    if (editable) {
        sqlite3_finalize(stmt);
        stmt = editable;
        rs.m_table = table;
    }
    fetchRows(stmt, editable != nullptr, rs);
    return rs;
}

void Database::fetchRows(sqlite3_stmt* stmt, bool withRowid, Recordset& rs)
{
    const int offset = withRowid ? 1 : 0;
    const int columns = sqlite3_column_count(stmt) - offset;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row << columnValue(stmt, c + offset);
        rs.m_rowids.push_back(withRowid ? sqlite3_column_int64(stmt, 0) : 0);
        rs.m_rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        raise(rc);
    rs.prepareIndex();
}
