// Finding and opening the cellar, opening tables and queries, compacting.
#include "TestPaths.h"
#include "db/CellarLock.h"
#include "db/CellarSession.h"
#include "db/Schema.h"
#include "platform/Paths.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "view/ui/CellarOpeningPrompts.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray digest(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Opens as the window does, asking through the scripted prompt.
std::unique_ptr<CellarSession> open(const QString& path)
{
    CellarOpeningPrompts questions;
    return CellarSession::Open(path, questions);
}

const QString kOpenTitle = QStringLiteral("Ouverture de votre base de données ...");
const QString kGiveUp = QStringLiteral("Impossible d'ouvrir la database de plusieurs manières\n Erreur : ");

} // namespace

class TestSession : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Morvalis Software"));
        QCoreApplication::setApplicationName(QStringLiteral("Tonnelix"));
        QDir(Paths::userDataDir()).removeRecursively();
    }

    // Files that are not good cellars are refused with a message and left byte for byte as they were.
    void badFilesAreRefusedUntouched()
    {
        ScriptedPrompt prompt;
        const QString samples = QStringLiteral(TONNELIX_TEST_DATA "/bad-cellars/");
        QTemporaryDir dir;
        for (const char* name : {"empty.mdb", "random.mdb", "other-program.sqlite", "truncated-header.mdb"}) {
            const QString path = dir.filePath(QLatin1String(name));
            QVERIFY(QFile::copy(samples + QLatin1String(name), path));
            const QByteArray before = digest(path);
            bool refused = false;
            try {
                OpenCellarFile(path, false);
            } catch (const DbError& error) {
                refused = true;
                QVERIFY2(!error.description().isEmpty(), name);
            }
            QVERIFY2(refused, name);
            QCOMPARE(digest(path), before);
            QVERIFY2(!QFile::exists(path + QStringLiteral("-journal")), name);
        }
        // A cellar of a newer release, whatever the row and the decimal sign that say so.
        for (const char* version : {"7.00", "7,00", " 7 "}) {
            TempCellar newer;
            newer.db().execute(QStringLiteral("INSERT INTO INFO ([Version Base]) VALUES (?)"),
                               {QString::fromLatin1(version)});
            newer.db().execute(QStringLiteral("INSERT INTO INFO ([Version Base]) VALUES ('6.00')"));
            newer.closeSession();
            const QByteArray before = digest(newer.path());
            try {
                OpenCellarFile(newer.path(), false);
                QFAIL("a newer cellar was opened");
            } catch (const DbError& error) {
                QVERIFY(error.description().contains(QStringLiteral("version plus récente")));
            }
            QCOMPARE(digest(newer.path()), before);
        }
        QCOMPARE(Schema::parseVersion(QStringLiteral("6,5")), 6.5);
        QVERIFY(!Schema::parseVersion(QStringLiteral("six")));
    }

    // At start, a file that is not a good cellar: the user is told, the file stays as it was, and another
    // cellar (or a backup) may be chosen, or a new one created under a new name, or the program left.
    void badCellarAtStartOffersTheWayOut()
    {
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        const QString bad = dir.filePath(QStringLiteral("Cave.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(TONNELIX_TEST_DATA "/bad-cellars/random.mdb"), bad));
        const QByteArray before = digest(bad);

        prompt.queue(Prompt::Answer::Cancel);
        QVERIFY(!open(bad));
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Cave illisible"));
        QCOMPARE(prompt.messages().last().buttons, Prompt::Buttons::YesNoCancel);
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("Le fichier n'a pas été modifié.")));

        // Another cellar: a backup beside it.
        TempCellar backup(TempCellar::Content::Demo);
        backup.closeSession();
        prompt.queue(Prompt::Answer::Yes);
        prompt.queueFile(backup.path());
        auto chosen = open(bad);
        QVERIFY(chosen);
        QCOMPARE(chosen->path(), backup.path());
        chosen.reset();

        // A new cellar: a name that exists is refused, then a new one is created.
        const QString fresh = dir.filePath(QStringLiteral("Nouvelle.mdb"));
        prompt.queue(Prompt::Answer::No);
        prompt.queueFile(bad);
        prompt.queue(Prompt::Answer::Ok);
        prompt.queue(Prompt::Answer::No);
        prompt.queueFile(fresh);
        auto created = open(bad);
        QVERIFY(created);
        QCOMPARE(created->path(), fresh);
        QVERIFY(created->database().tableExists(QStringLiteral("CAVE")));
        QCOMPARE(digest(bad), before);
    }

    // One Tonnelix at a time writes a cellar: a second start is told, and may only read it.
    void secondInstanceOnlyReads()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        cellar.closeSession();
        auto first = open(cellar.path());
        QVERIFY(first && !first->isReadOnly());
        QVERIFY(QFile::exists(cellar.path() + QStringLiteral(".lock")));
        const QByteArray before = digest(cellar.path());
        prompt.queue(Prompt::Answer::No);
        QVERIFY(!open(cellar.path()));
        QVERIFY(prompt.messages().last().text.startsWith(QStringLiteral("Cette cave est déjà ouverte par un autre "
                                                                        "Tonnelix")));
        QCOMPARE(prompt.messages().last().buttons, Prompt::Buttons::YesNoDefaultNo);
        prompt.queue(Prompt::Answer::Yes);
        auto second = open(cellar.path());
        QVERIFY(second && second->isReadOnly());
        QVERIFY(second->database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt() > 0);
        bool refused = false;
        try {
            second->database().execute(QStringLiteral("DELETE FROM CAVE"));
        } catch (const DbError&) {
            refused = true;
        }
        QVERIFY(refused);
        second.reset();
        first.reset();
        QCOMPARE(digest(cellar.path()), before);
        // Once the first is gone, the cellar can be written again.
        auto third = open(cellar.path());
        QVERIFY(third && !third->isReadOnly());
        third.reset();
        // The lock of a process that died is taken over.
        {
            QFile stale(cellar.path() + QStringLiteral(".lock"));
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.write("2147483600\nTonnelix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        }
        auto afterCrash = open(cellar.path());
        QVERIFY(afterCrash && !afterCrash->isReadOnly());
    }

    // One writer per cellar whatever name it is reached by: a link and a second hard link meet the lock of
    // the file itself, and a session opened through a link works on the file it leads to.
    void everyNameOfACellarMeetsItsLock()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        cellar.closeSession();
        QTemporaryDir other;
        const QString link = other.filePath(QStringLiteral("Lien.mdb"));
        QVERIFY(QFile::link(cellar.path(), link));
        const QString hardLink = other.filePath(QStringLiteral("Autre nom.mdb"));
        QCOMPARE(::link(QFile::encodeName(cellar.path()).constData(), QFile::encodeName(hardLink).constData()), 0);

        auto first = open(link);
        QVERIFY(first && !first->isReadOnly());
        QCOMPARE(first->path(), QFileInfo(cellar.path()).canonicalFilePath());
        for (const QString& name : {cellar.path(), link, hardLink}) {
            prompt.queue(Prompt::Answer::No);
            QVERIFY2(!open(name), qPrintable(name));
            QVERIFY2(prompt.messages().last().text.startsWith(
                         QStringLiteral("Cette cave est déjà ouverte par un autre Tonnelix (processus %1)")
                             .arg(QCoreApplication::applicationPid())),
                     qPrintable(prompt.messages().last().text));
        }
        first.reset();
        auto byHardLink = open(hardLink);
        QVERIFY(byHardLink && !byHardLink->isReadOnly());
        prompt.queue(Prompt::Answer::No);
        QVERIFY(!open(cellar.path()));
        byHardLink.reset();
        QVERIFY(!QFile::exists(CellarLock::identityPath(cellar.path())));
        QVERIFY(!QFile::exists(cellar.path() + QStringLiteral(".lock")));
    }

    // A lock whose owner is gone holds nothing, whatever it says: left empty or cut short by a kill the moment
    // before, naming a process of another machine, or a process number now used by a living process.
    void lockWithoutALivingOwnerIsTakenOver()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        cellar.closeSession();
        const QByteArray otherHost =
            QByteArray::number(QCoreApplication::applicationPid()) + "\nTonnelix\ncave-du-voisin\n";
        const QByteArray reused = QByteArray::number(QCoreApplication::applicationPid()) + "\nTonnelix\n" +
                                  QSysInfo::machineHostName().toUtf8() + "\n";
        for (const QByteArray& content :
             {QByteArray(), QByteArray("\n"), QByteArray("pas un verrou"), otherHost, reused}) {
            const QString lockFile = cellar.path() + QStringLiteral(".lock");
            {
                QFile lock(lockFile);
                QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
                lock.write(content);
            }
            auto session = open(cellar.path());
            QVERIFY2(session && !session->isReadOnly(), content.constData());
            QVERIFY2(prompt.messages().isEmpty(), qPrintable(prompt.messages().value(0).text));
        }
    }

    // A write killed during its commit leaves its journal beside the cellar: the next opening rolls it back
    // and opens the cellar for writing, as it was before that write, instead of refusing it.
    void killedWriteIsRolledBackAtOpening()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        const int lots = cellar.db().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt();
        cellar.closeSession();
        QTemporaryDir killed;
        const QString copy = killed.filePath(QStringLiteral("Cave.mdb"));
        {
            Database db;
            db.open(cellar.path());
            db.execute(QStringLiteral("PRAGMA cache_size = 2")); // dirty pages reach the file before the commit
            Transaction tx(db);
            db.execute(QStringLiteral("DELETE FROM CAVE"));
            db.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                                      "INSERT INTO CAVE ([Nom vin], Stock) SELECT hex(randomblob(60)), 1 FROM n"));
            // The files as a kill at this moment leaves them.
            QVERIFY(QFile::exists(cellar.path() + QStringLiteral("-journal")));
            QVERIFY(QFile::copy(cellar.path(), copy));
            QVERIFY(QFile::copy(cellar.path() + QStringLiteral("-journal"), copy + QStringLiteral("-journal")));
        }
        auto session = open(copy);
        QVERIFY(session);
        QVERIFY(!session->isReadOnly());
        QVERIFY2(prompt.messages().isEmpty(), qPrintable(prompt.messages().value(0).text));
        QCOMPARE(session->database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), lots);
        QCOMPARE(session->database().scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        QVERIFY(!QFile::exists(copy + QStringLiteral("-journal")));
    }

    // A name that reads like an SQLite URI is a file of that name: nothing is written anywhere else.
    void uriLikeNameIsAFileName()
    {
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString name = QStringLiteral("file:autre.mdb?mode=memory");
        {
            TempCellar source(TempCellar::Content::Demo);
            source.closeSession();
            QVERIFY(QFile::copy(source.path(), dir.filePath(name)));
        }
        auto session = open(name);
        QVERIFY(session);
        QVERIFY(session->database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt() > 0);
        session->database().execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Par le nom')"));
        session.reset();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{name}));
        Database check;
        check.open(dir.filePath(name), Database::OpenMode::ReadOnly);
        QCOMPARE(check.scalar(QStringLiteral("SELECT count(*) FROM CRUS WHERE Nom = 'Par le nom'")).toInt(), 1);
        QDir::setCurrent(QDir::tempPath());
    }

    // The half-written copies a killed backup or restore leaves are swept at the next opening; those of
    // another cellar of the folder are not.
    void abandonedCopiesAreSwept()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        cellar.closeSession();
        const QDir dir(cellar.dir());
        const QString name = QFileInfo(cellar.path()).fileName();
        const QStringList abandoned{QLatin1Char('.') + name + QStringLiteral(".0a1b.backup"),
                                    QLatin1Char('.') + name + QStringLiteral(".0a1b.compact")};
        const QString other = QStringLiteral(".Autre.mdb.0a1b.backup");
        for (const QString& file : abandoned + QStringList{other}) {
            QFile f(dir.filePath(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("SQLite format 3");
        }
        auto session = open(cellar.path());
        QVERIFY(session);
        for (const QString& file : abandoned)
            QVERIFY2(!dir.exists(file), qUtf8Printable(file));
        QVERIFY(dir.exists(other));
    }

    // A write after the file was removed or replaced underneath is refused: it would go to a file nobody
    // will ever open again.
    void fileRemovedUnderneath()
    {
        TempCellar cellar;
        Database& db = cellar.db();
        db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Avant')"));
        QVERIFY(QFile::rename(cellar.path(), cellar.path() + QStringLiteral(".moved")));
        bool refused = false;
        try {
            Transaction tx(db);
            db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Perdu')"));
            tx.commit();
        } catch (const DbError& error) {
            refused = error.code() == DbError::kFileGone && error.description().contains(QStringLiteral("supprimé"));
        }
        QVERIFY(refused);
        QVERIFY(QFile::copy(cellar.path() + QStringLiteral(".moved"), cellar.path())); // another file, same path
        refused = false;
        try {
            Transaction tx(db);
        } catch (const DbError& error) {
            refused = error.code() == DbError::kFileGone;
        }
        QVERIFY(refused);
    }

    // A cellar the user may not write is offered for reading only (the rights are checked as the user; an
    // administrator may write anything, so this runs for ordinary users only).
    void readOnlyFileOffersReading()
    {
        if (::geteuid() == 0)
            QSKIP("file rights do not bind the administrator");
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        cellar.closeSession();
        QVERIFY(QFile::setPermissions(cellar.path(), QFile::ReadOwner | QFile::ReadGroup));
        const QByteArray before = digest(cellar.path());
        prompt.queue(Prompt::Answer::Yes);
        auto session = open(cellar.path());
        QVERIFY(session && session->isReadOnly());
        QVERIFY(prompt.messages().last().text.startsWith(QStringLiteral("Vous n'avez pas le droit de modifier")));
        session.reset();
        QCOMPARE(digest(cellar.path()), before);
        QVERIFY(QFile::setPermissions(cellar.path(), QFile::ReadOwner | QFile::WriteOwner));
    }

    void firstStartCreatesTheCellarInTheDataFolder()
    {
        ScriptedPrompt prompt;
        QVERIFY(!QFile::exists(Paths::portableDatabasePath()));
        auto session = open(QString());
        QVERIFY(session);
        QCOMPARE(session->path(), Paths::defaultDatabasePath());
        QVERIFY(session->database().tableExists(QStringLiteral("CAVE")));
        QVERIFY(session->database().scalar(QStringLiteral("SELECT count(*) FROM CRUS")).toInt() > 5);
        QVERIFY(prompt.messages().isEmpty());
    }

    void portableCellarBesideTheProgramComesFirst()
    {
        ScriptedPrompt prompt;
        const QString portable = Paths::portableDatabasePath();
        {
            TempCellar source(TempCellar::Content::Base);
            QVERIFY(QFile::copy(source.path(), portable));
        }
        auto session = open(QString());
        QFile::remove(portable);
        QVERIFY(session);
        QCOMPARE(session->path(), portable);
    }

    void savedPathIsOpenedUnchanged()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        auto session = open(cellar.path());
        QVERIFY(session);
        QCOMPARE(session->path(), cellar.path());
    }

    void missingCellarOffersAChoiceThenGivesUp()
    {
        ScriptedPrompt prompt;
        TempCellar gone(TempCellar::Content::None);
        prompt.queue(Prompt::Answer::Ok); // the path under "ERREUR ouverture base"
        prompt.queue(Prompt::Answer::No); // the engine's message, no help
        prompt.queue(Prompt::Answer::Ok); // giving up
        auto session = open(gone.path());
        QVERIFY(!session);
        QVERIFY(!QFile::exists(gone.path())); // nothing created at a saved path
        const auto& m = prompt.messages();
        QCOMPARE(m.size(), 3);
        QCOMPARE(m[0].text, gone.path());
        QCOMPARE(m[0].caption, QStringLiteral("ERREUR ouverture base"));
        QVERIFY(m[1].text.endsWith(QStringLiteral(")\n\nWould you like to see help?")));
        QCOMPARE(m[1].buttons, Prompt::Buttons::YesNo);
        QCOMPARE(prompt.fileTitles(), QStringList{kOpenTitle});
        QVERIFY2(m[2].text.startsWith(kGiveUp) && m[2].text.size() > kGiveUp.size(), qPrintable(m[2].text));
    }

    // A folder, a pipe or a dangling link given as the cellar: nothing hangs, nothing is created, and the user
    // is told in French what the path is, to the last message.
    void whatIsNoFileIsToldAndNeverOpened()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Dossier.mdb"));
        QVERIFY(QDir().mkdir(folder));
        const QString fifo = dir.filePath(QStringLiteral("Tube.mdb"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString dangling = dir.filePath(QStringLiteral("Lien.mdb"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("absent/Cave.mdb")), dangling));
        const std::pair<QString, QString> cases[] = {
            {folder, QStringLiteral("est un dossier")},
            {fifo, QStringLiteral("n'est pas un fichier ordinaire")},
            {dangling, QStringLiteral("un lien vers un fichier qui n'existe")}};
        for (const auto& [path, reason] : cases) {
            ScriptedPrompt prompt;
            prompt.queue(Prompt::Answer::Ok); // the path under "ERREUR ouverture base"
            prompt.queue(Prompt::Answer::No); // the reason, no help
            prompt.queue(Prompt::Answer::Ok); // giving up
            QVERIFY(!open(path));
            const auto& m = prompt.messages();
            QCOMPARE(m.size(), 3);
            QVERIFY2(m[1].text.contains(reason), qPrintable(m[1].text));
            QVERIFY2(m[2].text.startsWith(kGiveUp) && m[2].text.contains(reason), qPrintable(m[2].text));
        }
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        QVERIFY(!QFileInfo::exists(dangling));
    }

    void pickingAnotherFileOpensIt()
    {
        ScriptedPrompt prompt;
        TempCellar gone(TempCellar::Content::None);
        TempCellar other(TempCellar::Content::Complete);
        prompt.queue(Prompt::Answer::Ok);
        prompt.queue(Prompt::Answer::Yes); // asks for help this time
        prompt.queueFile(other.path());
        auto session = open(gone.path());
        QVERIFY(session);
        QCOMPARE(session->path(), other.path());
        QCOMPARE(prompt.helpRequests(), 1);
    }

    void fileThatIsNotACellarIsRefusedUntouched()
    {
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        const QString jet = dir.filePath(QStringLiteral("Tonnelix.mdb"));
        {
            QFile f(jet);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20).repeated(100));
        }
        const QString other = dir.filePath(QStringLiteral("other.mdb"));
        {
            Database db;
            db.open(other, Database::OpenMode::CreateIfMissing);
            db.execute(QStringLiteral("CREATE TABLE NOTES (t TEXT)"));
        }
        const QByteArray jetBefore = digest(jet);
        const QByteArray otherBefore = digest(other);
        prompt.allowUnscripted(true);
        prompt.queue(Prompt::Answer::Yes); // choose another file
        prompt.queueFile(other);           // an SQLite file that is no cellar is refused too
        prompt.queue(Prompt::Answer::Yes); // and another, but none is chosen
        QVERIFY(!open(jet));
        QCOMPARE(digest(jet), jetBefore);
        QCOMPARE(digest(other), otherBefore);
        QCOMPARE(prompt.fileTitles().size(), 2);
    }

    void openTableAndQueryFailuresAreReported()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        prompt.queue(Prompt::Answer::Ok);
        QVERIFY(!cellar.session().OpenTable(QStringLiteral("CDAjoutPlat::OnOK"), QStringLiteral("NOWHERE")));
        QCOMPARE(prompt.messages().last().text, QStringLiteral("\nCDAjoutPlat::OnOK"));
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Erreur"));
        QCOMPARE(prompt.messages().last().icon, Prompt::Icon::Exclamation);
        prompt.queue(Prompt::Answer::Ok);
        QVERIFY(!cellar.session().OpenQuery(QStringLiteral("Cpage1::OnMajListeVin"), QStringLiteral("SELEC nothing")));
        QCOMPARE(prompt.messages().last().text, QStringLiteral("\nCpage1::OnMajListeVin"));
        QCOMPARE(prompt.messages().last().caption, QString());

        QVERIFY(cellar.session().OpenQuery(QStringLiteral("t"), QStringLiteral("SELECT * FROM CRUS WHERE Nom = ?"),
                                           {QStringLiteral("Château d'Yquem")}));
        QCOMPARE(cellar.session().recordset().recordCount(), 0);
        cellar.session().CloseQuery();
    }

    void compactReplacesTargetOnlyWhenTheCopyExists()
    {
        ScriptedPrompt prompt;
        TempCellar live(TempCellar::Content::Demo);
        TempCellar backup(TempCellar::Content::Complete);
        CellarSession& session = live.session();
        const int demoLots = session.database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt();
        QVERIFY(demoLots > 30);

        // Failure: the source is not a database. The target and the open session stay as they were.
        const QString broken = backup.dir() + QStringLiteral("/broken.mdb");
        {
            QFile f(broken);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'z'));
        }
        const QByteArray before = digest(live.path());
        QVERIFY(!session.CompactInto(broken, live.path()));
        QCOMPARE(digest(live.path()), before);
        QCOMPARE(session.database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), demoLots);
        QVERIFY(
            QDir(live.dir()).entryList(QStringList{QStringLiteral(".*compact")}, QDir::Hidden | QDir::Files).isEmpty());

        // Success: the backup (empty cellar) replaces the live one, and the session works on it.
        QVERIFY(session.CompactInto(backup.path(), live.path()));
        QCOMPARE(session.path(), live.path());
        QCOMPARE(session.database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), 0);
        session.database().execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES (?)"), {QStringLiteral("Nouveau")});
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "test_session.moc"
