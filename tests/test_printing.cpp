// The printed wine list, the backups and their restore, the options and the about box.
#include "TestPaths.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/OptionsDialog.h"
#include "backup/Backups.h"
#include "backup/ui/RestoreDialog.h"
#include "cli/CommandLine.h"
#include "platform/Profile.h"
#include "printing/WineListPrint.h"
#include "printing/ui/PrintOrderDialog.h"
#include "support/ProgramRun.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "view/ui/CellarView.h"
#include "widgets/ui/ColorLabel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

using A = Prompt::Answer;

std::vector<WineListPrint::Lot> lots(int n)
{
    std::vector<WineListPrint::Lot> list;
    for (int i = 1; i <= n; ++i)
        list.push_back({QString::number(2000 + i), QStringLiteral("Propriétaire %1").arg(i), QStringLiteral("Bordeaux"),
                        QStringLiteral("Cru %1").arg(i), QStringLiteral("Vin %1").arg(i), QString::number(i)});
    return list;
}

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int count(Database& db, const QString& sql)
{
    return db.scalar(sql).toInt();
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void pageArithmetic()
    {
        // 52 lines per page: 18 lots make 54 lines, two pages.
        QCOMPARE(WineListPrint::linesPerPage(59 * 10, 10), 52);
        QCOMPARE(WineListPrint::linesPerPage(61 * 10, 10), 52); // 54 rounded down to a multiple of 4
        QCOMPARE(WineListPrint::pageCount(54, 52), 2);
        QCOMPARE(WineListPrint::pageCount(0, 52), 1); // an empty cellar: the title page
        const std::vector<WineListPrint::Lot> list = lots(18);
        // The first page ends with the first line of the eighteenth lot.
        QCOMPARE(WineListPrint::lineText(list, 51), QStringLiteral("Vin 18    Cru 18    "));
        QCOMPARE(WineListPrint::lineText(list, 52), QStringLiteral("              2018    Bordeaux"));
        QCOMPARE(WineListPrint::lineText(list, 53), QStringLiteral("    Propriétaire 18    18"));
        const QString title = WineListPrint::titleLine(2, 3, 5);
        QCOMPARE(title.size(), 81);
        QVERIFY(title.startsWith(QStringLiteral("LISTE DES VINS (par Millésime)")));
        QVERIFY(title.endsWith(QStringLiteral("Page 3/5")));
        // A field past 99 characters is cut visibly, the next field stays in its place.
        std::vector<WineListPrint::Lot> long1 = lots(1);
        long1[0].name = QString(150, QLatin1Char('n'));
        const QString line = WineListPrint::lineText(long1, 0);
        QCOMPARE(line, QString(98, QLatin1Char('n')) + QChar(0x2026) + QStringLiteral("    Cru 1    "));
    }

    void ordersAndThePdf()
    {
        TempCellar cellar(TempCellar::Content::Demo);
        PrintOrderDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Type d'impression "));
        QCOMPARE(dialog.order(), 1);
        // Order 6 sorts by colour: the reds ("0") first.
        const std::vector<WineListPrint::Lot> byColour = WineListPrint::load(cellar.session(), 6);
        QVERIFY(byColour.size() > 10);
        const QString firstType = byColour.front().type;
        QVERIFY(cellar.db()
                    .scalar(QStringLiteral("SELECT count(*) FROM TYPEVIN WHERE Type = ? AND Etat = '0'"), {firstType})
                    .toInt() > 0);
        // The PDF of the whole list, read back.
        WineListPrint::registerFontSubstitutes();
        const QString path = cellar.dir() + QStringLiteral("/liste.pdf");
        const std::vector<WineListPrint::Lot> all = WineListPrint::load(cellar.session(), 2);
        int pages = 0;
        {
            QPdfWriter pdf(path);
            pdf.setResolution(300);
            pages = WineListPrint::paint(pdf, all, 2);
        }
        QVERIFY(pages >= 1);
        const QString text = pdfText(path);
        QVERIFY2(text.contains(QStringLiteral("LISTE DES VINS (par Millésime)")), qPrintable(text.left(300)));
        QVERIFY(text.contains(QStringLiteral("Page 1/%1").arg(pages)));
        QVERIFY(text.contains(all.front().name));
    }

    void backupChangeRestore()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        Database& db = cellar.db();
        const int lots = count(db, QStringLiteral("SELECT count(*) FROM CAVE"));
        const QDateTime when(QDate(2026, 12, 9), QTime(15, 30));
        const Backups::Result first = Backups::backup(cellar.session(), when);
        QVERIFY2(first.ok, qPrintable(first.message));
        QCOMPARE(QFileInfo(first.path).fileName(), QStringLiteral("Save202612091530.mdb"));
        QVERIFY(!first.sameMinute);
        QCOMPARE(cellar.session().path(), cellar.path()); // still on the live cellar
        // The same minute again: a backup of its own, never one lost, and it is said.
        db.execute(QStringLiteral("DELETE FROM CAVE WHERE [Index] = (SELECT min([Index]) FROM CAVE)"));
        const Backups::Result again = Backups::backup(cellar.session(), when);
        QVERIFY2(again.ok, qPrintable(again.message));
        QVERIFY2(again.sameMinute, qPrintable(again.path));
        QCOMPARE(QFileInfo(again.path).fileName(), QStringLiteral("Save202612091530-2.mdb"));
        QCOMPARE(Backups::list(cellar.path()).size(), size_t(2));
        db.execute(QStringLiteral("DELETE FROM CAVE"));
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM CAVE")), 0);
        // The dialog lists the backups; OK waits for a choice.
        RestoreDialog dialog;
        QCOMPARE(dialog.list()->rowCount(), 2);
        QCOMPARE(dialog.list()->item(0, 3)->text(), QStringLiteral("15"));
        QCOMPARE(dialog.list()->item(1, 4)->text(), QStringLiteral("30 (2)"));
        QVERIFY(!dialog.okButton()->isEnabled());
        QVERIFY(!dialog.applyAndClose());
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM CAVE")), 0);
        dialog.list()->selectRow(1); // the second backup of 15:30: one lot less
        QVERIFY(dialog.okButton()->isEnabled());
        prompt.queue(A::Ok);
        QVERIFY(dialog.applyAndClose());
        QVERIFY(prompt.messages().last().text.startsWith(QStringLiteral("Votre base à été restaurer !")));
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Information !"));
        Database& restored = cellar.session().database();
        QCOMPARE(count(restored, QStringLiteral("SELECT count(*) FROM CAVE")), lots - 1);
        // The cellar before the restore was kept: it can be undone.
        QCOMPARE(Backups::list(cellar.path()).size(), size_t(3));
    }

    void restoreRefusalsChangeNothing()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        const QString notACellar = cellar.dir() + QStringLiteral("/Save202001010000.mdb");
        {
            QFile file(notACellar);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("ceci n'est pas une cave");
        }
        const QByteArray before = [&] {
            cellar.closeSession();
            QFile file(cellar.path());
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();
        const Backups::Result result = Backups::restore(cellar.session(), notACellar);
        QVERIFY(!result.ok);
        QVERIFY(result.message.contains(QStringLiteral("n'est pas une cave")));
        cellar.closeSession();
        QFile live(cellar.path());
        QVERIFY(live.open(QIODevice::ReadOnly));
        QCOMPARE(live.readAll(), before);
        QCOMPARE(Backups::list(cellar.path()).size(), size_t(1)); // nothing written beside it
    }

    // A damaged backup whose tables are still listed: its copy fails half-way, the cellar stays as it was
    // (its own backup, taken first, stays beside it), and nothing half-written is left.
    void damagedBackupIsNotRestored()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        const QString damaged = cellar.dir() + QStringLiteral("/Save202001010000.mdb");
        {
            TempCellar source(TempCellar::Content::Demo);
            Database& db = source.db();
            db.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                                      "INSERT INTO CAVE ([Nom vin], RelType, Stock) "
                                      "SELECT printf('Lot %d %s', i, hex(randomblob(40))), 1, 1 FROM n"));
            source.closeSession();
            QFile file(source.path());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QByteArray bytes = file.readAll();
            QVERIFY(bytes.size() > 64 * 4096);
            bytes.replace(bytes.size() / 2, 16 * 4096, QByteArray(16 * 4096, '\xff')); // pages of CAVE
            QFile out(damaged);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        }
        const int lots = count(cellar.db(), QStringLiteral("SELECT count(*) FROM CAVE"));
        const Backups::Result result =
            Backups::restore(cellar.session(), damaged, QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        QVERIFY(!result.ok);
        QCOMPARE(result.message,
                 QStringLiteral("La restauration a échoué : votre cave est restée telle qu'elle était."));
        QCOMPARE(count(cellar.session().database(), QStringLiteral("SELECT count(*) FROM CAVE")), lots);
        QCOMPARE(cellar.session().database().scalar(QStringLiteral("PRAGMA integrity_check")).toString(),
                 QStringLiteral("ok"));
        const std::vector<Backups::Entry> entries = Backups::list(cellar.path());
        QCOMPARE(entries.size(), size_t(2)); // the damaged one and the cellar kept before
        QCOMPARE(entries.back().fileName, QStringLiteral("Save202612100900.mdb"));
        QCOMPARE(
            QDir(cellar.dir())
                .entryList({QStringLiteral(".*.compact"), QStringLiteral(".*.backup")}, QDir::Files | QDir::Hidden),
            QStringList());
    }

    // A backup written by a newer release is not put in place: the next start would refuse the cellar.
    void newerBackupIsNotRestored()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        const QString newer = cellar.dir() + QStringLiteral("/Save202001010000.mdb");
        {
            TempCellar source(TempCellar::Content::Demo);
            source.db().execute(QStringLiteral("UPDATE INFO SET [Version Base] = '7,00'"));
            source.closeSession();
            QVERIFY(QFile::copy(source.path(), newer));
        }
        const int lots = count(cellar.db(), QStringLiteral("SELECT count(*) FROM CAVE"));
        const Backups::Result result = Backups::restore(cellar.session(), newer);
        QVERIFY(!result.ok);
        QVERIFY2(result.message.contains(QStringLiteral("version plus récente de Tonnelix (base 7,00)")),
                 qUtf8Printable(result.message));
        QCOMPARE(count(cellar.session().database(), QStringLiteral("SELECT count(*) FROM CAVE")), lots);
        QCOMPARE(Backups::list(cellar.path()).size(), size_t(1)); // no backup of the cellar was needed
    }

    // Restored through a link, the cellar the link leads to is replaced, and the link still leads to it.
    void restoreThroughALinkReplacesTheRealFile()
    {
        TempCellar cellar(TempCellar::Content::Demo);
        TempCellar empty(TempCellar::Content::Complete);
        empty.closeSession();
        const QString backup = cellar.dir() + QStringLiteral("/Save202001010000.mdb");
        QVERIFY(QFile::copy(empty.path(), backup));
        cellar.closeSession();
        QTemporaryDir elsewhere;
        const QString link = elsewhere.filePath(QStringLiteral("Ma cave.mdb"));
        QVERIFY(QFile::link(cellar.path(), link));

        const ProgramRun program = runProgram({link, QStringLiteral("--restore"), backup});
        QVERIFY2(program.status == 0, program.both().constData());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFileInfo(link).canonicalFilePath(), QFileInfo(cellar.path()).canonicalFilePath());
        Database restored;
        restored.open(cellar.path(), Database::OpenMode::ReadOnly);
        QCOMPARE(count(restored, QStringLiteral("SELECT count(*) FROM CAVE")), 0);
        // The cellar as it was is kept beside the real file, not beside the link.
        QCOMPARE(Backups::list(cellar.path()).size(), size_t(2));
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Ma cave.mdb")});
    }

    // Only the program's own names are backups, listed by date then number, whatever their case.
    void backupListOrder()
    {
        QTemporaryDir dir;
        const QString live = dir.filePath(QStringLiteral("Cave.mdb"));
        for (const char* name :
             {"Save202601011200-3.mdb", "Save202601011200.mdb", "save202512312359.MDB", "Save202601011200-2.mdb",
              "Save2026.mdb", "Saved.mdb", "Save202601011200-x.mdb", "Cave.mdb"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList names;
        for (const Backups::Entry& entry : Backups::list(live))
            names << entry.fileName + QLatin1Char('/') + QString::number(entry.number);
        QCOMPARE(names, (QStringList{"save202512312359.MDB/1", "Save202601011200.mdb/1", "Save202601011200-2.mdb/2",
                                     "Save202601011200-3.mdb/3"}));
        QCOMPARE(QFileInfo(Backups::pathFor(live, QDateTime(QDate(2026, 1, 1), QTime(12, 0)))).fileName(),
                 QStringLiteral("Save202601011200-4.mdb"));
    }

    // A backup that the upgrade chain cannot bring up to date is put in place as it is, and the user is told
    // where the cellar of before the restore was kept.
    void restoreOfABackupThatCannotBeUpgraded()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        const QString old = cellar.dir() + QStringLiteral("/Save201901010000.mdb");
        {
            Database db;
            db.open(old, Database::OpenMode::CreateIfMissing);
            db.execute(QStringLiteral("CREATE TABLE CAVE ([Index] INTEGER PRIMARY KEY, [Nom vin] TEXT)"));
            db.execute(QStringLiteral("CREATE TABLE TYPEVIN ([Index] INTEGER PRIMARY KEY, Type TEXT)"));
            // A view where the upgrade must create its table: the upgrade fails.
            db.execute(QStringLiteral("CREATE VIEW PLATS AS SELECT 1 AS IndexPlats"));
            db.execute(QStringLiteral("CREATE VIEW PAYS AS SELECT 'FR' AS Nic"));
        }
        const Backups::Result result = Backups::restore(cellar.session(), old);
        QVERIFY(!result.ok);
        QVERIFY2(result.message.contains(QStringLiteral("remise en place telle quelle")), qPrintable(result.message));
        QVERIFY(QFileInfo::exists(result.path));
        QVERIFY(result.message.endsWith(result.path));
        // The cellar of before is the one kept: it holds the demo's lots.
        Database kept;
        kept.open(result.path, Database::OpenMode::ReadOnly);
        QVERIFY(kept.scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt() > 0);
    }

    void optionsAndAbout()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Demo);
        cellar.closeSession();
        CellarView view;
        view.attachSession(std::make_unique<CellarSession>(OpenCellarFile(cellar.path(), false)));
        Profile::writeInt(QStringLiteral("Config"), QStringLiteral("Couleur"), 2);
        OptionsDialog options;
        QCOMPARE(options.windowTitle(), QStringLiteral("Configuration des options"));
        QCOMPARE(options.colours()->checkedId(), 2);
        options.colours()->button(3)->setChecked(true);
        options.applyAndClose();
        QCOMPARE(Profile::getInt(QStringLiteral("Config"), QStringLiteral("Couleur"), 0), 3);
        QCOMPARE(view.tree()->palette().color(QPalette::Base), QColor(178, 244, 152));
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QStringLiteral("A propos de Tonnelix"));
        QCOMPARE(about.baseVersion()->text(), QStringLiteral("Version : 6.00"));
        QVERIFY(about.memory()->text().endsWith(QStringLiteral(" Ko")));
        QVERIFY(about.link()->isBlinkTimerRunning());
        QCOMPARE(about.link()->blinkInterval(), 2000);
    }

    void commandLineBackupAndPdf()
    {
        using P = CommandLine::Parsed::Action;
        const CommandLine::Parsed print =
            CommandLine::parse({QStringLiteral("tonnelix"), QStringLiteral("cave.mdb"), QStringLiteral("--print-pdf"),
                                QStringLiteral("3"), QStringLiteral("out.pdf")});
        QCOMPARE(print.action, P::Batch);
        QCOMPARE(print.options.printOrder, 3);
        QCOMPARE(print.options.pdfFile, QStringLiteral("out.pdf"));
        QCOMPARE(print.options.cellar, QStringLiteral("cave.mdb"));
        // The file is the word after the order, wherever the cellar is given.
        for (const QStringList& words : {QStringList{"tonnelix", "--print-pdf", "3", "out.pdf", "cave.mdb"},
                                         QStringList{"tonnelix", "--print-pdf=3", "out.pdf", "cave.mdb"}}) {
            const CommandLine::Parsed after = CommandLine::parse(words);
            QCOMPARE(after.action, P::Batch);
            QCOMPARE(after.options.pdfFile, QStringLiteral("out.pdf"));
            QCOMPARE(after.options.cellar, QStringLiteral("cave.mdb"));
        }
        QCOMPARE(CommandLine::parse({"tonnelix", "--print-pdf", "3"}).exitCode, 2);
        QCOMPARE(CommandLine::parse({QStringLiteral("tonnelix"), QStringLiteral("--print-pdf"), QStringLiteral("9"),
                                     QStringLiteral("x.pdf")})
                     .exitCode,
                 2);
        QCOMPARE(CommandLine::parse({QStringLiteral("tonnelix"), QStringLiteral("--backup"), QStringLiteral("--import"),
                                     QStringLiteral("x")})
                     .exitCode,
                 2);

        TempCellar cellar(TempCellar::Content::Demo);
        cellar.closeSession();
        auto run = [](const QStringList& args, QByteArray* output, const QString& home = QString()) {
            const ProgramRun program = runProgram(args, home);
            *output = program.both();
            return program.status;
        };
        QByteArray output;
        QCOMPARE(run({cellar.path(), QStringLiteral("--backup")}, &output), 0);
        QVERIFY2(output.contains("Votre base à été sauvé sous"), output.constData());
        QCOMPARE(Backups::list(cellar.path()).size(), size_t(1));
        const QString pdf = cellar.dir() + QStringLiteral("/liste.pdf");
        QCOMPARE(run({cellar.path(), QStringLiteral("--print-pdf"), QStringLiteral("1"), pdf}, &output), 0);
        QVERIFY2(pdfText(pdf).contains(QStringLiteral("LISTE DES VINS (par Nom)")), output.constData());
        QCOMPARE(run({cellar.path(), QStringLiteral("--print-pdf"), QStringLiteral("8"), pdf}, &output), 2);
        const QString second = cellar.dir() + QStringLiteral("/par-type.pdf");
        QCOMPARE(run({QStringLiteral("--print-pdf"), QStringLiteral("2"), second, cellar.path()}, &output), 0);
        QVERIFY2(pdfText(second).contains(QStringLiteral("LISTE DES VINS")), output.constData());

        // A cellar another Tonnelix writes, or a file that is no cellar: refused with the reason, nothing asked,
        // nothing written.
        {
            QLockFile held(cellar.path() + QStringLiteral(".lock"));
            held.setStaleLockTime(0);
            QVERIFY(held.tryLock());
            QCOMPARE(run({cellar.path(), QStringLiteral("--backup")}, &output), 1);
            QVERIFY2(output.contains("déjà ouverte par un autre Tonnelix"), output.constData());
            QVERIFY2(!output.contains("lecture seule"), output.constData());
            QCOMPARE(Backups::list(cellar.path()).size(), size_t(1));
        }
        const QString notACellar = cellar.dir() + QStringLiteral("/pas-une-cave.mdb");
        {
            QFile file(notACellar);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
        QCOMPARE(run({notACellar, QStringLiteral("--export-csv"), cellar.dir() + QStringLiteral("/x.csv")}, &output),
                 1);
        QVERIFY2(output.contains("Le fichier n'a pas été modifié."), output.constData());
        QCOMPARE(QFileInfo(notACellar).size(), 4096);
        QVERIFY(!QFile::exists(cellar.dir() + QStringLiteral("/x.csv")));

        // A profile with no cellar yet: every action says so and exits 1, and nothing is created.
        QTemporaryDir fresh;
        for (const QStringList& words : {QStringList{"--backup"}, QStringList{"--export-csv", fresh.filePath("c.csv")},
                                         QStringList{"--print-pdf", "1", fresh.filePath("l.pdf")}}) {
            QCOMPARE(run(words, &output, fresh.path()), 1);
            QVERIFY2(output.contains("Aucune cave"), output.constData());
            QCOMPARE(QDir(fresh.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        }
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
