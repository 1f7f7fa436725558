#pragma once

#include "db/CellarSession.h"

#include <QTemporaryDir>
#include <memory>

// A cellar file in a temporary folder, removed with the object.
class TempCellar
{
public:
    enum class Content
    {
        None,     // no file yet
        Base,     // the four base tables only
        Complete, // every table and column, empty
        Demo      // the demo cellar
    };

    explicit TempCellar(Content content = Content::Complete);

    QString path() const { return m_path; }
    QString dir() const { return m_dir.path(); }
    // A session on the file (opened on first use), installed as the current one.
    CellarSession& session();
    Database& db() { return session().database(); }
    void closeSession();

    // Runs an SQL script file from the test data folder against the file (old schemas).
    static void runScript(Database& db, const QString& scriptName);

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<CellarSession> m_session;
};
