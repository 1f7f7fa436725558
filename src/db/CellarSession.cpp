#include "db/CellarSession.h"

#include "db/Schema.h"
#include "platform/Prompt.h"
#include "trace/Trace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cstdio>

namespace {

CellarSession*& currentSession()
{
    static CellarSession* session = nullptr;
    return session;
}

void reportOpenFailure(const QString& label, const QString& caption, const DbError& error)
{
    TraceLine("%s : %s (%d)", qUtf8Printable(label), qUtf8Printable(error.description()), error.code());
    Prompt::show(QStringLiteral("\n") + label, caption, Prompt::Icon::Exclamation);
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
    const bool moved =
        std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) == 0;
    if (!moved)
        QFile::remove(temporary);
    try {
        m_database->open(moved ? target : previous);
    } catch (const DbError&) {
        try {
            m_database->open(previous);
        } catch (const DbError&) {
        }
        return false;
    }
    return moved;
}

void ReportDaoException(const DbError& error)
{
    const QString text =
        QStringLiteral("%1   (%2)\n\nWould you like to see help?").arg(error.description()).arg(error.code());
    if (Prompt::show(text, QStringLiteral("Tonnelix"), Prompt::Icon::Stop, Prompt::Buttons::YesNo) ==
        Prompt::Answer::Yes)
        Prompt::current().openHelp();
}

std::unique_ptr<Database> OpenCellarFile(const QString& path, bool mayCreate)
{
    auto db = std::make_unique<Database>();
    const bool exists = QFileInfo::exists(path);
    if (!exists && mayCreate) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        db->open(path, Database::OpenMode::CreateIfMissing);
    } else {
        db->open(path, Database::OpenMode::ExistingOnly);
    }
    if (Schema::isBlank(*db)) {
        Schema::createBaseSchema(*db);
        Schema::seedCrus(*db);
    } else if (!Schema::isCellar(*db)) {
        db->close();
        throw DbError(DbError::kNotACellar, QStringLiteral("Le fichier « %1 » n'est pas une cave Tonnelix.").arg(path));
    }
    return db;
}
