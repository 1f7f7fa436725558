// The window's side of the Windows cellars and of other cellars: a Jet file met at start-up or opened from
// "Fichier" is converted (in a child process) after a question, its report shown as the command line prints
// it, and the new cellar opened; "Nouvelle cave…" and "Ouvrir une cave…" switch cellars and release the lock.
#include "TestPaths.h"
#include "app/CommandTable.h"
#include "app/RecentCellars.h"
#include "app/ui/MainWindow.h"
#include "app/ui/TonnelixApplication.h"
#include "backup/ui/RestoreDialog.h"
#include "db/CellarSession.h"
#include "jet/ui/JetImport.h"
#include "platform/Profile.h"
#include "support/Fixtures.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "view/ui/CellarView.h"

#include <QAction>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

using A = Prompt::Answer;

} // namespace

class TestJetWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { JetImport::setConverter(QStringLiteral(TONNELIX_EXECUTABLE)); }

    // The same report as the command line's, the source untouched, the settings on the new cellar.
    void theDialogConvertsAsTheCommandLineDoes()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("Tonnelix.mdb"));
        QVERIFY(QFile::copy(jetFixture("cave-v6.mdb"), source));
        const QByteArray before = fileChecksum(source);
        prompt.queue(A::Yes); // convert under the name proposed
        prompt.queue(A::Ok);  // the report
        prompt.queue(A::No);  // no folder of pictures now
        const QString converted = JetImport::convertInteractively(source);
        QCOMPARE(converted, dir.filePath(QStringLiteral("Tonnelix (converti).mdb")));
        QCOMPARE(fileChecksum(source), before);
        QVERIFY(prompt.messages().at(0).text.contains(QStringLiteral("cave de la version Windows")));
        QCOMPARE(prompt.messages().at(1).caption, QStringLiteral("Conversion terminée"));
        QCOMPARE(Profile::getString(QStringLiteral("Config"), QStringLiteral("Base")), converted);

        const QString other = dir.filePath(QStringLiteral("Ligne.mdb"));
        QProcess cli;
        cli.start(QStringLiteral(TONNELIX_EXECUTABLE), {QStringLiteral("--convert-jet"), source, other});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 0);
        QString printed = QString::fromLocal8Bit(cli.readAllStandardOutput()).trimmed();
        printed.replace(other, converted);
        QCOMPARE(prompt.messages().at(1).text, printed);
        QCOMPARE(prompt.pendingAnswers(), 0);
    }

    // A refusal in the child reaches the user in French, and nothing is left beside the source.
    void aRefusalIsShown()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        const QString foreign = dir.filePath(QStringLiteral("Clients.mdb"));
        QVERIFY(QFile::copy(jetFixture("autre-programme.mdb"), foreign));
        prompt.queue(A::Yes);
        prompt.queue(A::Ok);
        QVERIFY(JetImport::convertInteractively(foreign).isEmpty());
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Conversion impossible"));
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("autre programme")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Clients.mdb"});
    }

    // Given at start-up (the command line, a double-click), a Jet file is converted and the new cellar opened.
    void aJetFileAtStartIsConvertedAndOpened()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("Save200712311200.mdb"));
        QVERIFY(QFile::copy(jetFixture("cave-base.mdb"), source));
        prompt.queue(A::No); // another name
        prompt.queueFile(dir.filePath(QStringLiteral("Ma cave.mdb")));
        prompt.queue(A::Ok); // the report
        TonnelixApplication app;
        QVERIFY(app.start({source}));
        CellarSession* session = app.mainFrame()->view()->session();
        QCOMPARE(session->path(), dir.filePath(QStringLiteral("Ma cave.mdb")));
        QCOMPARE(session->database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), 2);
        QCOMPARE(app.mainFrame()->windowTitle(), QStringLiteral("Ma cave.mdb - Tonnelix"));
        QCOMPARE(RecentCellars::list().first(), session->path());
        QCOMPARE(prompt.pendingAnswers(), 0);
    }

    // "Nouvelle cave…" and "Ouvrir une cave…": the cellar changes in the window, the first one's lock goes,
    // the settings and the last cellars follow; a Jet file chosen is converted.
    void cellarsOpenedFromTheMenu()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar first(TempCellar::Content::Demo);
        first.closeSession();
        QTemporaryDir dir;
        TonnelixApplication app;
        QVERIFY(app.start({first.path()}));
        MainWindow* frame = app.mainFrame();
        const QString fresh = dir.filePath(QStringLiteral("Vide.mdb"));
        prompt.queueFile(fresh);
        frame->action(Commands::NewCellar)->trigger();
        QCOMPARE(frame->view()->session()->path(), fresh);
        QCOMPARE(frame->view()->session()->database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), 0);
        QLockFile lock(first.path() + QStringLiteral(".lock"));
        QVERIFY(lock.tryLock(0)); // released
        lock.unlock();
        QCOMPARE(Profile::getString(QStringLiteral("Config"), QStringLiteral("Base")), fresh);
        // A new cellar never goes over a file.
        prompt.queueFile(first.path());
        prompt.queue(A::Ok);
        frame->action(Commands::NewCellar)->trigger();
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("existe déjà")));
        QCOMPARE(frame->view()->session()->path(), fresh);
        // Back to the first from the list of last cellars, then a Jet file through "Ouvrir une cave…".
        QCOMPARE(RecentCellars::list(), (QStringList{fresh, first.path()}));
        auto* recent = frame->findChild<QAction*>(QStringLiteral("recentCellar2"));
        QVERIFY(recent);
        recent->trigger();
        QCOMPARE(frame->view()->session()->path(), first.path());
        QVERIFY(frame->view()->tree()->topLevelItem(1)->childCount() > 0); // the tree shows it
        const QString jet = dir.filePath(QStringLiteral("Windows.mdb"));
        QVERIFY(QFile::copy(jetFixture("cave-v6.mdb"), jet));
        prompt.queueFile(jet);
        prompt.queue(A::Yes);
        prompt.queue(A::Ok);
        prompt.queue(A::No);
        frame->action(Commands::OpenCellar)->trigger();
        QCOMPARE(frame->view()->session()->path(), dir.filePath(QStringLiteral("Windows (converti).mdb")));
        QCOMPARE(frame->view()->session()->database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), 5);
        QCOMPARE(prompt.pendingAnswers(), 0);
    }

    // A Windows backup in the restore list is copied into a new cellar, which is opened; the live cellar and
    // the backup stay as they were.
    void aWindowsBackupInTheRestoreList()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar live(TempCellar::Content::Demo);
        live.closeSession();
        const QString backup = live.dir() + QStringLiteral("/Save200601011200.mdb");
        QVERIFY(QFile::copy(jetFixture("cave-v6.mdb"), backup));
        const QByteArray liveBefore = fileChecksum(live.path());
        TonnelixApplication app;
        QVERIFY(app.start({live.path()}));
        onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<RestoreDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->list()->rowCount(), 1);
            dialog->list()->selectRow(0);
            dialog->applyAndClose();
        });
        prompt.queue(A::Yes);
        prompt.queue(A::Ok);
        prompt.queue(A::No);
        app.mainFrame()->action(Commands::Restore)->trigger();
        QCOMPARE(app.mainFrame()->view()->session()->path(),
                 live.dir() + QStringLiteral("/Save200601011200 (converti).mdb"));
        QCOMPARE(fileChecksum(live.path()), liveBefore);
        QCOMPARE(prompt.pendingAnswers(), 0);
    }
};

QTEST_MAIN(TestJetWindow)
#include "test_jetwindow.moc"
