#include "db/CellarSession.h"
#include "db/Write.h"

#include "db/Schema.h"
#include "platform/FileSync.h"
#include "trace/Trace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QUuid>

#include <cstdio>

namespace {

CellarSession*& currentSession()
{
    static CellarSession* session = nullptr;
    return session;
}

CellarSession::FailureReporter& failureReporter()
{
    static CellarSession::FailureReporter reporter = nullptr;
    return reporter;
}

void tell(const QString& text, const QString& caption, bool offerHelp = false)
{
    if (failureReporter())
        failureReporter()(text, caption, offerHelp);
}

void reportOpenFailure(const QString& label, const QString& caption, const DbError& error)
{
    TraceLine("%s : %s (%d)", qUtf8Printable(label), qUtf8Printable(error.description()), error.code());
    // A text typed with a character that cannot be stored is the user's to correct: say which.
    if (error.code() == DbError::kInvalidText)
        tell(error.description(), caption);
    else
        tell(QStringLiteral("\n") + label, caption);
}

} // namespace

CellarSession::CellarSession(std::unique_ptr<Database> database) : m_database(std::move(database)) {}

CellarSession::~CellarSession()
{
    if (currentSession() == this)
        currentSession() = nullptr;
}

CellarSession* CellarSession::current()
{
    return currentSession();
}

void CellarSession::setCurrent(CellarSession* session)
{
    currentSession() = session;
}

void CellarSession::setFailureReporter(FailureReporter reporter)
{
    failureReporter() = reporter;
}

void CellarSession::reportFailure(const QString& label, const DbError& error)
{
    reportOpenFailure(label, QString(), error);
}

bool CellarSession::OpenTable(const QString& label, const QString& table)
{
    m_recordset.close();
    try {
        m_recordset = m_database->openTable(table);
    } catch (const DbError& error) {
        reportOpenFailure(label, QStringLiteral("Erreur"), error);
        return false;
    }
    return true;
}

bool CellarSession::OpenQuery(const QString& label, const QString& sql, const QVariantList& values)
{
    m_recordset.close();
    try {
        m_recordset = m_database->openQuery(sql, values);
    } catch (const DbError& error) {
        reportOpenFailure(label, QString(), error);
        return false;
    }
    return true;
}

void CellarSession::CloseTable()
{
    m_recordset.close();
}

void CellarSession::CloseQuery()
{
    m_recordset.close();
}

bool CellarSession::CompactInto(const QString& source, const QString& target)
{
    m_recordset.close();
    const QString previous = m_database->path();
    const QFileInfo targetInfo(target);
    const QString temporary = targetInfo.absoluteDir().filePath(
        QStringLiteral(".%1.%2.compact").arg(targetInfo.fileName(), QUuid::createUuid().toString(QUuid::Id128)));

    // 1. The compacted copy, beside the target so that the final move is a rename on one disk.
    try {
        if (QFileInfo(source).canonicalFilePath() == QFileInfo(previous).canonicalFilePath()) {
            m_database->vacuumInto(temporary);
        } else {
            Database from;
            from.open(source, Database::OpenMode::ReadOnly);
            from.vacuumInto(temporary);
        }
    } catch (const DbError& error) {
        TraceLine("CompactInto : %s", qUtf8Printable(error.description()));
        QFile::remove(temporary);
        return false;
    }

    // 2. Swap it in place of the target, then reopen.
    m_database->close();
    const bool moved = FileSync::syncFile(temporary) && FileSync::renameDurably(temporary, target);
    if (!moved)
        QFile::remove(temporary);
    try {
        m_database->open(moved ? target : previous);
    } catch (const DbError& error) {
        TraceLine("CompactInto : %s", qUtf8Printable(error.description()));
        try {
            m_database->open(previous);
        } catch (const DbError& again) {
            // Neither file opens: the session is left closed and the caller is told the copy failed.
            TraceLine("CompactInto : %s", qUtf8Printable(again.description()));
        }
        return false;
    }
    return moved;
}

void ReportDaoException(const DbError& error)
{
    const QString text =
        QStringLiteral("%1   (%2)\n\nWould you like to see help?").arg(error.description()).arg(error.code());
    tell(text, QStringLiteral("Tonnelix"), true);
}

namespace {

// An SQLite database (by its first bytes) with the journal of an unfinished write beside it.
bool hasHotJournal(const QString& path)
{
    if (!QFileInfo(path + QStringLiteral("-journal")).isFile() && !QFileInfo(path + QStringLiteral("-wal")).isFile())
        return false;
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) &&
           file.read(16) == QByteArray("SQLite format 3\0", 16);
}

} // namespace

std::unique_ptr<Database> OpenCellarFile(const QString& path, bool mayCreate)
{
    auto db = std::make_unique<Database>();
    const bool exists = QFileInfo::exists(path);
    const bool created = !exists && mayCreate;
    if (created) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        db->open(path, Database::OpenMode::CreateIfMissing);
    } else if (hasHotJournal(path)) {
        // A write killed half-way left its journal beside the file: only a connection that may write can
        // roll it back, and the file is one of SQLite's own. The caller holds the cellar's lock.
        db->open(path, Database::OpenMode::ExistingOnly);
    } else {
        // Read-only until the file has shown it is a cellar: nothing is written to a file that is not one.
        db->open(path, Database::OpenMode::ReadOnly);
    }
    const QString notACellar = QStringLiteral("Le fichier « %1 » n'est pas une cave Tonnelix.").arg(path);
    if (Schema::isBlank(*db) && !created) {
        // An empty file is not a cellar of ours: it stays as it is.
        db->close();
        throw DbError(DbError::kNotACellar, notACellar);
    }
    if (!created && !Schema::isCellar(*db)) {
        db->close();
        throw DbError(DbError::kNotACellar, notACellar);
    }
    // A cellar written by a newer release is not touched: this one could not read it rightly.
    if (!created) {
        if (const std::optional<QString> newer = Schema::newerVersionText(*db)) {
            db->close();
            throw DbError(
                DbError::kNotACellar,
                QStringLiteral("La cave « %1 » a été écrite par une version plus récente de Tonnelix (base %2) "
                               ": elle n'a pas été ouverte, pour ne rien y abîmer.")
                    .arg(path, *newer));
        }
    }
    if (!created) {
        db->open(path, Database::OpenMode::ExistingOnly);
    } else {
        const WriteResult made = inTransaction(*db, "CreerBase", [](Database& db) {
            Schema::createBaseSchema(db);
            Schema::seedCrus(db);
            return true;
        });
        if (!made.done())
            throw DbError(made.code, made.engineText);
    }
    return db;
}
