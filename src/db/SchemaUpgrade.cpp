#include "db/SchemaUpgrade.h"

#include "db/Write.h"
#include "platform/Settings.h"

#include "db/CellarSession.h"
#include "db/Schema.h"
#include "platform/Paths.h"
#include "trace/Trace.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <optional>

namespace {

const QStringList kCaveColumns02 = {QStringLiteral("Contenance"), QStringLiteral("Cepage"), QStringLiteral("Filler"),
                                    QStringLiteral("Filler1"), QStringLiteral("Filler2")};
const QStringList kTypeColumns34 = {QStringLiteral("Raisin"),
                                    QStringLiteral("Garde"),
                                    QStringLiteral("Terroir"),
                                    QStringLiteral("Caracteres"),
                                    QStringLiteral("Millesimesremarquables"),
                                    QStringLiteral("RelPlats"),
                                    QStringLiteral("Superficie"),
                                    QStringLiteral("Temperature")};
const QString kOwner = QStringLiteral("Zalbrec");

// A step of the chain that failed: what it was adding, and the engine's reason.
struct StepFailed
{
    QString what;
    DbError error;
};

// The engine's reasons a user can meet here, in French; anything else keeps SQLite's own text.
// The engine's failures come in French already (the disk full, the file that cannot be written, ...).
QString reasonOf(const DbError& error)
{
    return error.description();
}

bool lacksAny(Database& db, const QString& table, const QStringList& columns)
{
    for (const QString& column : columns) {
        if (!db.columnExists(table, column))
            return true;
    }
    return false;
}

} // namespace

double SchemaUpgrade::infoVersion()
{
    return Schema::recordedVersionNumber(m_session.database());
}

bool SchemaUpgrade::needs0to2()
{
    Database& db = m_session.database();
    return lacksAny(db, QStringLiteral("CAVE"), kCaveColumns02) || !db.tableExists(QStringLiteral("INFO")) ||
           !db.tableExists(QStringLiteral("RAYONNAGE")) || infoVersion() < 2.0;
}

bool SchemaUpgrade::needs2to3()
{
    return !m_session.database().columnExists(QStringLiteral("CAVE"), QStringLiteral("Images")) || infoVersion() < 3.0;
}

bool SchemaUpgrade::needs3to4()
{
    Database& db = m_session.database();
    return lacksAny(db, QStringLiteral("TYPEVIN"), kTypeColumns34) || !db.tableExists(QStringLiteral("PLATS")) ||
           !db.tableExists(QStringLiteral("DOMAINES")) || infoVersion() < 5.0;
}

bool SchemaUpgrade::needs5to6()
{
    Database& db = m_session.database();
    if (!db.columnExists(QStringLiteral("TYPEVIN"), QStringLiteral("Nic")) || !db.tableExists(QStringLiteral("PAYS")) ||
        infoVersion() < 6.0)
        return true;
    return db.scalar(QStringLiteral("SELECT count(*) FROM PAYS")).toInt() == 0;
}

SchemaUpgrade::Result SchemaUpgrade::RunChain()
{
    // The whole chain is one transaction: a cellar killed half-way through its upgrade is found again in its
    // old version, never between two; a step that fails is rolled back with all the others.
    QString step = QStringLiteral("début");
    std::optional<StepFailed> stepFailed;
    const WriteResult written = inTransaction(m_session.database(), "MajDeBase", [&](Database& db) {
        try {
            if (needs0to2()) {
                step = QStringLiteral("version 2.00");
                upgradeTo2();
            }
            if (needs2to3()) {
                step = QStringLiteral("version 3.00");
                upgradeTo3();
            }
            if (needs3to4()) {
                step = QStringLiteral("version 5.00");
                upgradeTo5();
            }
            if (needs5to6()) {
                step = QStringLiteral("version 6.00");
                upgradeTo6();
            }
            step = QStringLiteral("index");
            ddl(QStringLiteral("index"), [&db] { Schema::createIndexes(db); });
            step = QStringLiteral("journal des mouvements");
            ddl(QStringLiteral("MOUVEMENTS"), [&db] { Schema::createJournal(db); });
        } catch (const StepFailed& failed) {
            stepFailed = failed;
            return false;
        }
        step = QStringLiteral("enregistrement");
        return true;
    });
    if (stepFailed)
        return failure(step + QStringLiteral(", ") + stepFailed->what, stepFailed->error);
    if (!written.done())
        return failure(step, DbError(written.code, written.engineText));
    // Whatever the path, the cellar now has the complete schema: the settings say so once it is on disk.
    if (Settings::get(Settings::schemaVersion) != QStringLiteral("6.00"))
        Settings::set(Settings::schemaVersion, QStringLiteral("6.00"));
    return {};
}

SchemaUpgrade::Result SchemaUpgrade::failure(const QString& step, const DbError& error)
{
    TraceLine("MajDeBase %s : %s (%d)", qUtf8Printable(step), qUtf8Printable(error.description()), error.code());
    Result result;
    result.ok = false;
    result.message = QStringLiteral("La mise à jour de la cave %1 a échoué (%2) : %3.\nLa cave n'a pas été modifiée.")
                         .arg(m_session.path(), step, reasonOf(error));
    return result;
}

void SchemaUpgrade::ddl(const QString& what, const std::function<void()>& statement)
{
    try {
        statement();
    } catch (const DbError& error) {
        if (error.code() == DbError::kFieldExists)
            return;
        throw StepFailed{what, error};
    }
}

void SchemaUpgrade::addColumns(const QString& table, const QStringList& columns)
{
    Database& db = m_session.database();
    for (const QString& column : columns) {
        if (!db.columnExists(table, column))
            ddl(column, [&] { db.addColumn(table, column, QStringLiteral("TEXT COLLATE NOCASE")); });
    }
}

void SchemaUpgrade::createTable(const QString& table)
{
    Database& db = m_session.database();
    if (db.tableExists(table))
        return;
    ddl(table, [&] { Schema::createTable(db, table); });
}

void SchemaUpgrade::writeInfo(const QString& label, const QString& version, const QString& date)
{
    Database& db = m_session.database();
    ddl(label, [&] {
        const QVariant first = db.scalar(QStringLiteral("SELECT rowid FROM INFO ORDER BY rowid LIMIT 1"));
        if (first.isValid())
            db.execute(QStringLiteral("UPDATE INFO SET [Version Base] = ?, Date = ?, Proprietaire = ? WHERE rowid = ?"),
                       {version, date, kOwner, first});
        else
            db.execute(QStringLiteral("INSERT INTO INFO ([Version Base], Date, Proprietaire) VALUES (?, ?, ?)"),
                       {version, date, kOwner});
    });
}

void SchemaUpgrade::startUpgradeProgram(const QString& name)
{
    // The converters of older releases, when installed beside the program; a missing one is not reported.
    const QString program = QDir(Paths::executableDir()).filePath(name);
    if (QFileInfo(program).isExecutable())
        QProcess::startDetached(program, {});
}

void SchemaUpgrade::upgradeTo2()
{
    TraceLine("Mise à jour de la base");
    addColumns(QStringLiteral("CAVE"), kCaveColumns02);
    createTable(QStringLiteral("INFO"));
    createTable(QStringLiteral("RAYONNAGE"));
    if (infoVersion() < 2.0)
        writeInfo(QStringLiteral("MajDeBase"), QStringLiteral("2.00"), QStringLiteral("10/10/2002"));
    TraceLine("Fin de la MAJ Base de 0 en 2");
}

void SchemaUpgrade::upgradeTo3()
{
    TraceLine("Mise à jour de la base de 2 en 3");
    addColumns(QStringLiteral("CAVE"), {QStringLiteral("Images")});
    if (infoVersion() < 3.0)
        writeInfo(QStringLiteral("MajDeBase2to3"), QStringLiteral("3.00"), QStringLiteral("11/11/2005"));
    TraceLine("Fin de la MAJ Base de 2 en 3");
}

void SchemaUpgrade::upgradeTo5()
{
    TraceLine("Mise à jour de la base de 3 en 4");
    Database& db = m_session.database();
    addColumns(QStringLiteral("TYPEVIN"), kTypeColumns34);
    createTable(QStringLiteral("PLATS"));
    ddl(QStringLiteral("IndexPlats"),
        [&] { db.execute(QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS IndexPlats ON PLATS (IndexPlats)")); });
    createTable(QStringLiteral("DOMAINES"));
    startUpgradeProgram(QStringLiteral("Kestrova34"));
    if (infoVersion() < 5.0)
        writeInfo(QStringLiteral("MajDeBase"), QStringLiteral("5.00"), QStringLiteral("01/01/2006"));
    TraceLine("Fin de la MAJ Base de 3 en 4");
}

void SchemaUpgrade::upgradeTo6()
{
    TraceLine("Mise à jour de la base de 5 en 6");
    Database& db = m_session.database();
    addColumns(QStringLiteral("TYPEVIN"), {QStringLiteral("Nic")});
    createTable(QStringLiteral("PAYS"));
    ddl(QStringLiteral("PAYS"), [&] { Schema::seedCountries(db); });
    startUpgradeProgram(QStringLiteral("Kestrova56"));
    if (infoVersion() < 6.0)
        writeInfo(QStringLiteral("MajDeBase"), QStringLiteral("6.00"), QStringLiteral("06/01/2007"));
    TraceLine("Fin de la MAJ Base de 5 en 6");
}
