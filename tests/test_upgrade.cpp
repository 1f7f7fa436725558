// Bringing cellars of every earlier version to the complete schema in one start.
#include "db/CellarSession.h"
#include "db/SchemaUpgrade.h"
#include "platform/Profile.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "trace/Trace.h"

#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {

const QStringList kCompleteCave = {"Index",     "Nom vin",    "RelType", "Proprietaire", "Cru",   "Millesime",
                                   "Nbr Achat", "Prix Achat", "Stock",   "Date Achat",   "Cote",  "Contenance",
                                   "Cepage",    "Filler",     "Filler1", "Filler2",      "Images"};
const QStringList kCompleteTypevin = {"Index",    "Type",       "Appellation", "Etat",       "Nic",
                                      "Raisin",   "Garde",      "Terroir",     "Caracteres", "Millesimesremarquables",
                                      "RelPlats", "Superficie", "Temperature"};

QString version()
{
    return Profile::getString(QStringLiteral("Config"), QStringLiteral("Version Base"));
}

} // namespace

class TestUpgrade : public QObject
{
    Q_OBJECT

    static void verifyComplete(Database& db)
    {
        for (const QString& column : kCompleteCave)
            QVERIFY2(db.columnExists(QStringLiteral("CAVE"), column), qPrintable(column));
        for (const QString& column : kCompleteTypevin)
            QVERIFY2(db.columnExists(QStringLiteral("TYPEVIN"), column), qPrintable(column));
        for (const char* table : {"INFO", "RAYONNAGE", "PLATS", "DOMAINES", "PAYS", "CRUS", "ANNEES"})
            QVERIFY2(db.tableExists(QString::fromLatin1(table)), table);
        Recordset info = db.openTable(QStringLiteral("INFO"));
        QCOMPARE(info.recordCount(), 1);
        QCOMPARE(info.text(QStringLiteral("Version Base")), QStringLiteral("6.00"));
        QCOMPARE(info.text(QStringLiteral("Date")), QStringLiteral("06/01/2007"));
        QCOMPARE(info.text(QStringLiteral("Proprietaire")), QStringLiteral("Zalbrec"));
    }

    static QStringList traced(const std::function<void()>& run)
    {
        QTemporaryDir dir;
        TraceSetEnabled(true);
        TraceOpen(dir.filePath(QStringLiteral("t")));
        run();
        QFile file(TraceFileName());
        file.open(QIODevice::ReadOnly | QIODevice::Text);
        QStringList texts;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            texts << line.section(QChar(0x00A0), 1);
        TraceSetEnabled(false);
        return texts.mid(4);
    }

private Q_SLOTS:
    void baseSchemaReachesCompleteInOneStart()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Base);
        const QStringList trace = traced([&] { SchemaUpgrade(cellar.session()).RunChain(); });
        verifyComplete(cellar.db());
        QCOMPARE(version(), QStringLiteral("6.00"));
        QCOMPARE(trace, (QStringList{"Mise à jour de la base", "Fin de la MAJ Base de 0 en 2",
                                     "Mise à jour de la base de 2 en 3", "Fin de la MAJ Base de 2 en 3",
                                     "Mise à jour de la base de 3 en 4", "Fin de la MAJ Base de 3 en 4",
                                     "Mise à jour de la base de 5 en 6", "Fin de la MAJ Base de 5 en 6"}));
        // The country list holds France and every code that has a flag.
        Database& db = cellar.db();
        QCOMPARE(db.scalar(QStringLiteral("SELECT Pays FROM PAYS WHERE Nic = 'FR'")).toString(),
                 QStringLiteral("FRANCE"));
        for (const char* code : {"FR", "ZA", "DE", "AU", "AT", "BE", "CA", "DK", "ES", "FI", "GR", "IE", "IT", "JP",
                                 "LU", "PT", "GB", "SE", "CH"})
            QVERIFY2(db.scalar(QStringLiteral("SELECT count(*) FROM PAYS WHERE Nic = ?"), {QString::fromLatin1(code)})
                             .toInt() == 1,
                     code);
        QVERIFY(prompt.messages().isEmpty());
    }

    void completeCellarRunsNothingAndRerunIsHarmless()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Version Base"), QStringLiteral("6.00"));
        const int lots = cellar.db().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt();
        const int countries = cellar.db().scalar(QStringLiteral("SELECT count(*) FROM PAYS")).toInt();
        for (int run = 0; run < 2; ++run) {
            const QStringList trace = traced([&] { SchemaUpgrade(cellar.session()).RunChain(); });
            QVERIFY2(trace.isEmpty(), qPrintable(trace.join(QLatin1Char('|'))));
        }
        verifyComplete(cellar.db());
        QCOMPARE(cellar.db().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), lots);
        QCOMPARE(cellar.db().scalar(QStringLiteral("SELECT count(*) FROM PAYS")).toInt(), countries);
    }

    void registrySaysDoneButFileIsOld()
    {
        // A restored or exchanged file is upgraded even though the settings already say 6.00.
        TempProfile profile;
        ScriptedPrompt prompt;
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Version Base"), QStringLiteral("6.00"));
        TempCellar cellar(TempCellar::Content::Base);
        SchemaUpgrade(cellar.session()).RunChain();
        verifyComplete(cellar.db());
    }

    void oldVersionsKeepTheirData_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("firstStep");
        QTest::newRow("base") << "cellar-v0.sql"
                              << "Grand Vin" << 0;
        QTest::newRow("2.00") << "cellar-v2.sql"
                              << "Les Monts Damnés" << 2;
        QTest::newRow("3.00") << "cellar-v3.sql"
                              << "Brut" << 3;
        QTest::newRow("5.00") << "cellar-v5.sql"
                              << "Pavillon" << 5;
    }

    void oldVersionsKeepTheirData()
    {
        QFETCH(QString, script);
        QFETCH(QString, name);
        QFETCH(int, firstStep);
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::None);
        {
            Database db;
            db.open(cellar.path(), Database::OpenMode::CreateIfMissing);
            TempCellar::runScript(db, script);
        }
        const QStringList trace = traced([&] { SchemaUpgrade(cellar.session()).RunChain(); });
        verifyComplete(cellar.db());
        QCOMPARE(version(), QStringLiteral("6.00"));
        QCOMPARE(cellar.db().scalar(QStringLiteral("SELECT [Nom vin] FROM CAVE")).toString(), name);
        const QStringList starts = {"Mise à jour de la base", "Mise à jour de la base de 2 en 3",
                                    "Mise à jour de la base de 3 en 4", "Mise à jour de la base de 5 en 6"};
        const int firstIndex = firstStep == 0 ? 0 : firstStep == 2 ? 1 : firstStep == 3 ? 2 : 3;
        for (int i = 0; i < starts.size(); ++i)
            QCOMPARE(trace.contains(starts[i]), i >= firstIndex);
        if (firstStep == 3)
            QCOMPARE(cellar.db().scalar(QStringLiteral("SELECT Images FROM CAVE")).toString(),
                     QStringLiteral("/photos/brut.bmp"));
        if (firstStep == 5)
            QCOMPARE(cellar.db().scalar(QStringLiteral("SELECT RelPlats FROM TYPEVIN")).toString(),
                     QStringLiteral("*1,"));
    }

    // A step that fails (a full disk, here a page limit; a file that cannot be written) is reported once, in
    // French, with what failed; the file is as it was, the settings do not advance, nothing is prompted.
    void aFailedStepLeavesTheCellarAsItWas()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Version Base"), QStringLiteral("2.00"));
        TempCellar cellar(TempCellar::Content::Base);
        Database& db = cellar.db();
        const QStringList tables = db.tableNames();
        db.scalar(
            QStringLiteral("PRAGMA max_page_count = %1").arg(db.scalar(QStringLiteral("PRAGMA page_count")).toInt()));
        const SchemaUpgrade::Result full = SchemaUpgrade(cellar.session()).RunChain();
        QVERIFY(!full.ok);
        QVERIFY2(full.message.startsWith(QStringLiteral("La mise à jour de la cave ")), qPrintable(full.message));
        QVERIFY2(full.message.contains(QStringLiteral("le disque est plein")), qPrintable(full.message));
        QVERIFY(full.message.endsWith(QStringLiteral("La cave n'a pas été modifiée.")));
        QCOMPARE(db.tableNames(), tables);
        QVERIFY(!db.columnExists(QStringLiteral("CAVE"), QStringLiteral("Contenance")));
        QCOMPARE(version(), QStringLiteral("2.00"));
        QVERIFY(prompt.messages().isEmpty());
        QCOMPARE(db.transactionDepth(), 0);

        // The same on a file opened read-only underneath the session.
        db.scalar(QStringLiteral("PRAGMA max_page_count = 1000000"));
        db.scalar(QStringLiteral("PRAGMA query_only = 1"));
        const SchemaUpgrade::Result readOnly = SchemaUpgrade(cellar.session()).RunChain();
        QVERIFY(!readOnly.ok);
        QCOMPARE(db.tableNames(), tables);
        QCOMPARE(version(), QStringLiteral("2.00"));
        db.scalar(QStringLiteral("PRAGMA query_only = 0"));
        // Room again: the next start upgrades it whole.
        QVERIFY(SchemaUpgrade(cellar.session()).RunChain().ok);
        verifyComplete(db);
        QCOMPARE(version(), QStringLiteral("6.00"));
    }

    // The disk fills up as the upgrade is committed (the file may not grow: a size limit on the process): the
    // start is told in French and the cellar stays as it was, instead of the program aborting.
    void fullDiskAtCommit()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Base);
        Database& db = cellar.db();
        db.execute(QStringLiteral("PRAGMA cache_size = 100000")); // every page stays in memory until the commit
        const QStringList tables = db.tableNames();
        const qint64 size = QFileInfo(cellar.path()).size();
        struct sigaction ignore = {}, previous = {};
        ignore.sa_handler = SIG_IGN;
        QCOMPARE(::sigaction(SIGXFSZ, &ignore, &previous), 0);
        rlimit limit = {}, saved = {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        limit = saved;
        limit.rlim_cur = static_cast<rlim_t>(size);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const SchemaUpgrade::Result full = SchemaUpgrade(cellar.session()).RunChain();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::sigaction(SIGXFSZ, &previous, nullptr);
        QVERIFY(!full.ok);
        QVERIFY2(full.message.endsWith(QStringLiteral("La cave n'a pas été modifiée.")), qPrintable(full.message));
        // The engine's reason in French: SQLite's English stays in the trace.
        QVERIFY2(full.message.contains(QStringLiteral("(enregistrement) : le disque")), qPrintable(full.message));
        QVERIFY2(!full.message.contains(QStringLiteral("disk")), qPrintable(full.message));
        QVERIFY(prompt.messages().isEmpty());
        QCOMPARE(db.transactionDepth(), 0);
        cellar.closeSession();
        Database check;
        check.open(cellar.path(), Database::OpenMode::ReadOnly);
        QCOMPARE(check.tableNames(), tables);
        QVERIFY(!check.columnExists(QStringLiteral("CAVE"), QStringLiteral("Contenance")));
        QCOMPARE(check.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    }

    void unknownRegistryValueStillUpgrades()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Version Base"), QStringLiteral("1.00"));
        TempCellar cellar(TempCellar::Content::Base);
        SchemaUpgrade(cellar.session()).RunChain();
        verifyComplete(cellar.db());
        QCOMPARE(version(), QStringLiteral("6.00"));
    }
};

QTEST_GUILESS_MAIN(TestUpgrade)
#include "test_upgrade.moc"
