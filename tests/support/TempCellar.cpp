#include "TestPaths.h"
#include "support/TempCellar.h"

#include "CellarGenerator.h"
#include "db/Schema.h"

#include <QFile>
#include <QTextStream>
#include <stdexcept>

TempCellar::TempCellar(Content content) : m_path(m_dir.filePath(QStringLiteral("Tonnelix.mdb")))
{
    switch (content) {
    case Content::None:
        break;
    case Content::Base: {
        Database db;
        db.open(m_path, Database::OpenMode::CreateIfMissing);
        Schema::createBaseSchema(db);
        break;
    }
    case Content::Complete:
        CellarGenerator::createCompleteCellar(m_path);
        break;
    case Content::Demo: {
        CellarGenerator::createCompleteCellar(m_path);
        Database db;
        db.open(m_path);
        CellarGenerator::fillDemo(db);
        break;
    }
    }
}

CellarSession& TempCellar::session()
{
    if (!m_session) {
        m_session = std::make_unique<CellarSession>(OpenCellarFile(m_path, false));
        CellarSession::setCurrent(m_session.get());
    }
    return *m_session;
}

void TempCellar::closeSession()
{
    m_session.reset();
}

void TempCellar::runScript(Database& db, const QString& scriptName)
{
    QFile file(QStringLiteral(TONNELIX_TEST_DATA "/") + scriptName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("missing test script");
    const QString text = QString::fromUtf8(file.readAll());
    // One statement per ";" at the end of a line; "--" lines are comments.
    QString statement;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.trimmed().startsWith(QLatin1String("--")))
            continue;
        statement += line + QLatin1Char('\n');
        if (line.trimmed().endsWith(QLatin1Char(';'))) {
            db.execute(statement.trimmed());
            statement.clear();
        }
    }
}
