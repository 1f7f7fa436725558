// The exchange file with the pocket device, through its dialog, its functions and the command line:
// the record's bytes, the renamings, append and replace, refusals that change nothing, round trips.
#include "TestPaths.h"
#include "cli/CommandLine.h"
#include "db/CellarEvents.h"
#include "db/SlashFields.h"
#include "exchange/ExchangeFile.h"
#include "exchange/LotImportWriter.h"
#include "exchange/Windows1252.h"
#include "exchange/ui/ExchangeFileDialog.h"
#include "support/ProgramRun.h"
#include "support/ScriptedPrompt.h"
#include "support/TableDump.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>

namespace {

using A = Prompt::Answer;

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString dumpCellar(Database& db)
{
    return dumpTables(db, {"CAVE", "TYPEVIN", "RAYONNAGE"});
}

qint64 addType(Database& db, const QString& type, const QString& appellation)
{
    db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES (?, ?, '1', 'FR')"),
               {type, appellation});
    return db.lastInsertId();
}

void addLot(Database& db, qint64 type, const QString& name, const QString& cru, int vintage, double bought, int stock,
            double price, const QString& date)
{
    db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Cru, Millesime, [Nbr Achat], Stock, [Prix Achat], "
                              "[Date Achat], Cote, Proprietaire) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 5, 'M. Dupont')"),
               {name, type, cru, vintage, bought, stock, price, date});
}

const QByteArray kAlsace = "20040305/2001/Alsace Blanc/Riesling/Grand Cru/Clos Sainte-Hune/12/7/7.50/90.00/Euro\r\r\n";

QString data(const char* name)
{
    return QStringLiteral(TONNELIX_TEST_DATA "/exchange/") + QLatin1String(name);
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void slashFields()
    {
        const QStringList split = SplitSlashFields(QStringLiteral("a//b/"));
        QCOMPARE(split.size(), 12);
        QCOMPARE(split.mid(0, 3), (QStringList{"a", "b", ""}));
        QCOMPARE(SplitSlashFields(QStringLiteral("/x/")).first(), QStringLiteral("x"));
        QCOMPARE(SplitSlashFields(QStringLiteral("1/2/3/4/5/6/7/8/9/10/11/12/13")).last(), QStringLiteral("12"));
        QCOMPARE(SplitSlashFieldsByPosition(QStringLiteral("a//b/")), (QStringList{"a", "", "b", ""}));
    }

    void windows1252()
    {
        int unencodable = 0;
        const QString text = QStringLiteral("Côte d'Œuvre – 12 € “chic” 漢");
        const QByteArray bytes = Windows1252::encode(text, unencodable);
        QCOMPARE(unencodable, 1);
        QCOMPARE(bytes, QByteArray("C\xf4te d'\x8cuvre \x96 12 \x80 \x93"
                                   "chic\x94 ?"));
        QCOMPARE(Windows1252::decode(bytes), QStringLiteral("Côte d'Œuvre – 12 € “chic” ?"));
        QCOMPARE(ExchangeFile::toFile(QStringLiteral("Alsace")), QStringLiteral("Alsace Blanc"));
        QCOMPARE(ExchangeFile::toFile(QStringLiteral("Bordeaux Rouge")), QStringLiteral("Bordeaux Rouge"));
        QCOMPARE(ExchangeFile::toCellar(QStringLiteral("Bordeaux")), QStringLiteral("Bordeaux Rouge"));
        QCOMPARE(ExchangeFile::toCellar(QStringLiteral("Cahors Rouge")), QStringLiteral("Cahors"));
        QCOMPARE(ExchangeFile::toCellar(QStringLiteral("Bordeaux Rouge")), QStringLiteral("Bordeaux Rouge"));
    }

    void exportAppendsTheRecordsByteForByte()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 alsace = addType(db, QStringLiteral("Alsace"), QStringLiteral("Riesling"));
        addLot(db, alsace, QStringLiteral("Clos Sainte-Hune"), QStringLiteral("Grand Cru"), 2001, 12, 7, 90,
               QStringLiteral("05/03/2004"));
        const QString path = cellar.dir() + QStringLiteral("/pocket.txt");
        write(path, "old line\r\r\n");
        ExchangeFileDialog dialog(nullptr, path, 2);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Exportation"));
        QVERIFY(dialog.addButton()->isHidden());
        prompt.queue(A::Ok);
        QVERIFY(dialog.applyAndClose());
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Votre Exportation a été effectuée !"));
        QCOMPARE(dialog.progressBar()->value(), 100);
        QCOMPARE(read(path), QByteArray("old line\r\r\n") + kAlsace);
        // A file that does not exist yet is created.
        const QString fresh = cellar.dir() + QStringLiteral("/new.txt");
        QVERIFY(ExchangeFile::exportTo(cellar.session(), fresh).ok);
        QCOMPARE(read(fresh), kAlsace);
    }

    void exportSpecialFields()
    {
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 type = addType(db, QStringLiteral("Côtes/Rhône"), QStringLiteral("Gigondas"));
        addLot(db, type, QStringLiteral("Cuvée “Œ” 漢"), QString(), 2010, 0, 3, 0, QString());
        const QString path = cellar.dir() + QStringLiteral("/out.txt");
        const ExchangeFile::Result result = ExchangeFile::exportTo(cellar.session(), path);
        QVERIFY(result.ok);
        QCOMPARE(result.slashes, 1);
        QCOMPARE(result.unencodable, 1);
        QCOMPARE(read(path), QByteArray("00000000/2010/C\xf4tes-Rh\xf4ne/Gigondas//Cuv\xe9"
                                        "e \x93\x8c\x94 ?/0/3/0.00/0.00/"
                                        "Euro\r\r\n"));
        const QString report = ExchangeFile::report(result);
        QVERIFY(report.contains(QStringLiteral("« / »")));
        QVERIFY(report.contains(QStringLiteral("« ? »")));
        // An empty cellar writes nothing and still says it is done.
        TempCellar empty;
        const QString nothing = empty.dir() + QStringLiteral("/nothing.txt");
        const ExchangeFile::Result none = ExchangeFile::exportTo(empty.session(), nothing);
        QVERIFY(none.ok);
        QCOMPARE(none.records, 0);
        QCOMPARE(read(nothing), QByteArray());
    }

    void importAddsEveryLine()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 alsace = addType(db, QStringLiteral("Alsace"), QStringLiteral("Riesling"));
        addType(db, QStringLiteral("Côte d'Or"), QStringLiteral("Pommard"));
        addLot(db, alsace, QStringLiteral("Déjà là"), QString(), 1999, 6, 6, 60, QStringLiteral("01/01/2000"));
        const QString path = cellar.dir() + QStringLiteral("/in.txt");
        // The first line counts; two identical lines are two lots; an empty cru stays empty; an apostrophe is
        // found; an unknown type is created.
        write(path, kAlsace + kAlsace +
                        "20100102/2008/Alsace Blanc/Riesling//Sans cru/6/6/10.00/60.00/Euro\r\r\n"
                        "20100102/2005/C\xf4te d'Or/Pommard/1er Cru/Rugiens/6/2/40.00/240.00/Euro\r\n"
                        "20100102/2005/Jura/Arbois/Cru/Vin jaune/6/6/40.00/240.00/Euro\n");
        ExchangeFileDialog dialog(nullptr, path, 1);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Choix du type d'import"));
        QVERIFY(dialog.addButton()->isChecked());
        prompt.queue(A::Ok);
        QVERIFY(dialog.applyAndClose());
        QVERIFY(prompt.messages().last().text.startsWith(QStringLiteral("Votre importation a été effectuée !")));
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("1 type(s)")));
        QCOMPARE(dialog.progressBar()->value(), 100);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), 6);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM CAVE WHERE [Nom vin] = 'Clos Sainte-Hune' AND "
                                          "RelType = ? AND [Date Achat] = '05/03/2004' AND Cote = 99 AND "
                                          "Proprietaire = '' AND [Prix Achat] = 90 AND Stock = 7 AND "
                                          "[Nbr Achat] = 12 AND Cru = 'Grand Cru'"),
                           {alsace})
                     .toInt(),
                 2);
        QCOMPARE(db.scalar(QStringLiteral("SELECT Cru || '|' || [Nom vin] || '|' || Stock FROM CAVE "
                                          "WHERE Millesime = 2008"))
                     .toString(),
                 QStringLiteral("|Sans cru|6"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT TYPEVIN.Type FROM CAVE JOIN TYPEVIN ON TYPEVIN.[Index] = "
                                          "CAVE.RelType WHERE [Nom vin] = 'Rugiens'"))
                     .toString(),
                 QStringLiteral("Côte d'Or"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT Etat FROM TYPEVIN WHERE Type = 'Jura'")).toString(),
                 QStringLiteral("3"));
    }

    void replaceAndRefusalsChangeNothing()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 alsace = addType(db, QStringLiteral("Alsace"), QStringLiteral("Riesling"));
        addLot(db, alsace, QStringLiteral("Ancien"), QString(), 1999, 6, 6, 60, QStringLiteral("01/01/2000"));
        db.execute(QStringLiteral("INSERT INTO RAYONNAGE (Relation, Casier, [Coordonnees X], [Coordonnees Y]) "
                                  "VALUES (1, 1, 1, 1)"));
        const QString before = dumpCellar(db);
        for (const char* bad :
             {"empty.txt", "no-line-end.txt", "short-line.txt", "bad-date.txt", "first-stock-zero.txt"}) {
            for (const bool replace : {false, true}) {
                ExchangeFileDialog dialog(nullptr, data(bad), 1);
                dialog.replaceButton()->setChecked(replace);
                prompt.queue(A::Ok);
                QVERIFY2(!dialog.applyAndClose(), bad);
                QVERIFY2(prompt.messages().last().text.startsWith(QStringLiteral("La structure du fichier n'est pas "
                                                                                 "bonne !")),
                         bad);
                QCOMPARE(prompt.messages().last().caption, QStringLiteral("Erreur"));
                QCOMPARE(dumpCellar(db), before);
            }
        }
        prompt.queue(A::Ok);
        ExchangeFileDialog shortLine(nullptr, data("short-line.txt"), 1);
        shortLine.applyAndClose();
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("ligne 2")));
        // Numbers no lot can hold (a vintage of 99999, a billion bottles, a price past a billion): refused
        // with their line, nothing stored.
        for (const QByteArray& record : {QByteArray("20040305/99999/Alsace Blanc/Riesling/Grand Cru/Vin/12/7/7.50/"
                                                    "90.00/Euro\r\r\n"),
                                         QByteArray("20040305/2001/Alsace Blanc/Riesling/Grand Cru/Vin/12/"
                                                    "2000000000/7.50/90.00/Euro\r\r\n"),
                                         QByteArray("20040305/2001/Alsace Blanc/Riesling/Grand Cru/Vin/12/7/7.50/"
                                                    "90000000000.00/Euro\r\r\n")}) {
            const QString huge = cellar.dir() + QStringLiteral("/huge.txt");
            write(huge, "20040305/2001/Alsace Blanc/Riesling/Grand Cru/Vin/12/7/7.50/90.00/Euro\r\r\n" + record);
            const ExchangeFile::Result refused = ExchangeFile::importFrom(cellar.session(), huge, false);
            QVERIFY(!refused.ok);
            QVERIFY2(refused.message.contains(QStringLiteral("La ligne 2 a un millésime")),
                     qUtf8Printable(refused.message));
            QCOMPARE(dumpCellar(db), before);
        }
        // Replacement: the old wines and their rack places go, the new ones come, types stay.
        const QString path = cellar.dir() + QStringLiteral("/in.txt");
        write(path, kAlsace);
        ExchangeFileDialog dialog(nullptr, path, 1);
        dialog.replaceButton()->setChecked(true);
        prompt.queue(A::Ok);
        QVERIFY(dialog.applyAndClose());
        QCOMPARE(db.scalar(QStringLiteral("SELECT group_concat([Nom vin]) FROM CAVE")).toString(),
                 QStringLiteral("Clos Sainte-Hune"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM RAYONNAGE")).toInt(), 0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM TYPEVIN")).toInt(), 1);
    }

    // A full disk in the middle of an import: the write fails, it is said, and the cellar is as it was.
    void fullDiskLeavesTheCellarAsItWas()
    {
        TempCellar cellar(TempCellar::Content::Demo);
        Database& db = cellar.db();
        const QString path = cellar.dir() + QStringLiteral("/big.txt");
        QByteArray lines;
        for (int i = 0; i < 3000; ++i)
            lines += "20040305/2001/Alsace Blanc/Riesling/Grand Cru/Un nom assez long pour remplir des pages " +
                     QByteArray::number(i) + "/12/7/7.50/90.00/Euro\r\r\n";
        write(path, lines);
        const QString before = dumpCellar(db);
        const int pages = db.scalar(QStringLiteral("PRAGMA page_count")).toInt();
        db.scalar(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + 2));
        for (const bool replace : {false, true}) {
            const ExchangeFile::Result result = ExchangeFile::importFrom(cellar.session(), path, replace);
            QVERIFY(!result.ok);
            QVERIFY(result.message.startsWith(QStringLiteral("Impossible d'écrire l'enregistrement CAVE")));
            QCOMPARE(dumpCellar(db), before);
        }
        QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    }

    // The writer the three importers share: the lots in order, a lot's exits after its entry with their days,
    // a type found under its second name or spelt in another case not made twice, the totals of what was
    // written, and one change notice after the commit; a failure half-way writes nothing and tells nothing.
    void sharedImportWriter()
    {
        TempCellar cellar(TempCellar::Content::Complete);
        Database& db = cellar.db();
        QVERIFY(db.tableExists(QStringLiteral("MOUVEMENTS")));
        db.execute(
            QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat) VALUES ('Bordeaux', 'Pauillac', '1')"));
        const qint64 bordeaux = db.lastInsertId();
        QSignalSpy notices(&CellarEvents::instance(), &CellarEvents::lotsChanged);

        auto lot = [](const QString& name, const QString& type, const QString& alias, qint64 stock) {
            ImportedLot planned;
            planned.name = name;
            planned.type = {type, QStringLiteral("Pauillac"), alias, QStringLiteral("1"), QVariant(), QString()};
            planned.vintage = 2015;
            planned.bought = static_cast<double>(stock);
            planned.stock = stock;
            planned.price = 60;
            return planned;
        };
        LotImportWriter::Totals totals;
        const WriteResult written = LotImportWriter::write(
            cellar.session(), "test", {false, true},
            [&](LotImportWriter& writer) {
                writer.add(lot(QStringLiteral("Premier"), QStringLiteral("Bordelais"), QStringLiteral("Bordeaux"), 6));
                ImportedLot drunk = lot(QStringLiteral("Deuxième"), QStringLiteral("Médoc"), QString(), 6);
                drunk.drunk = {{QStringLiteral("2020-05-01"), 2}, {QString(), 1}};
                writer.add(drunk);
                writer.add(lot(QStringLiteral("Troisième"), QStringLiteral("MÉDOC"), QString(), 3));
            },
            totals);
        QVERIFY(written.done());
        QCOMPARE(notices.count(), 1);
        QCOMPARE(totals.lots, 3);
        QCOMPARE(totals.bottles, qint64(6 + 3 + 3));
        QCOMPARE(totals.movements, 5);
        QCOMPARE(totals.newTypes, 1); // "Médoc", once; "Bordelais" is the cellar's "Bordeaux"
        Recordset lots = db.openQuery(QStringLiteral("SELECT [Nom vin], RelType, Stock FROM CAVE ORDER BY [Index]"));
        QStringList rows;
        for (lots.moveFirst(); !lots.isEOF(); lots.moveNext())
            rows << lots.value(0).toString() + QLatin1Char('/') +
                        QString::number(lots.value(1).toLongLong() == bordeaux) + QLatin1Char('/') +
                        lots.value(2).toString();
        QCOMPARE(rows, (QStringList{"Premier/1/6", "Deuxième/0/3", "Troisième/0/3"}));
        Recordset journal = db.openQuery(QStringLiteral("SELECT NomVin, Quantite, substr(DateHeure, 1, 10) FROM "
                                                        "MOUVEMENTS ORDER BY IndexMouvement"));
        QStringList movements;
        for (journal.moveFirst(); !journal.isEOF(); journal.moveNext())
            movements << journal.value(0).toString() + QLatin1Char(' ') + journal.value(1).toString();
        QCOMPARE(movements, (QStringList{"Premier 6", "Deuxième 6", "Deuxième -2", "Deuxième -1", "Troisième 3"}));
        QCOMPARE(db.scalar(QStringLiteral("SELECT DateHeure FROM MOUVEMENTS WHERE Quantite = -2")).toString(),
                 QStringLiteral("2020-05-01T12:00:00"));

        // A failure after some lots were added: none of them stays, and no notice is sent.
        const QString before = dumpCellar(db);
        const WriteResult failed = LotImportWriter::write(
            cellar.session(), "test", {true, false},
            [&](LotImportWriter& writer) {
                writer.add(lot(QStringLiteral("Perdu"), QStringLiteral("Nouveau"), QString(), 1));
                throw DbError(DbError::kNotACellar, QStringLiteral("panne"));
            },
            totals);
        QVERIFY(!failed.done());
        QCOMPARE(failed.engineText, QStringLiteral("panne"));
        QCOMPARE(totals.lots, 0);
        QCOMPARE(dumpCellar(db), before);
        QCOMPARE(notices.count(), 1);
    }

    void roundTripKeepsTheBytes()
    {
        TempCellar cellar(TempCellar::Content::Demo);
        const QString first = cellar.dir() + QStringLiteral("/first.txt");
        const QString second = cellar.dir() + QStringLiteral("/second.txt");
        QVERIFY(ExchangeFile::exportTo(cellar.session(), first).ok);
        const ExchangeFile::Result back = ExchangeFile::importFrom(cellar.session(), first, true);
        QVERIFY2(back.ok, qPrintable(back.message));
        QCOMPARE(back.typesCreated, 0);
        QVERIFY(ExchangeFile::exportTo(cellar.session(), second).ok);
        QCOMPARE(read(second), read(first));
        QVERIFY(read(first).size() > 1000);
    }

    void commandLine()
    {
        using P = CommandLine::Parsed::Action;
        auto parse = [](const QStringList& args) { return CommandLine::parse(QStringList{"tonnelix"} + args); };
        QCOMPARE(parse({}).action, P::Window);
        QCOMPARE(parse({"cave.mdb"}).options.cellar, QStringLiteral("cave.mdb"));
        const CommandLine::Parsed exporting = parse({"cave.mdb", "--export", "out.txt"});
        QCOMPARE(exporting.action, P::Batch);
        QCOMPARE(exporting.options.exportFile, QStringLiteral("out.txt"));
        QVERIFY(parse({"--import", "in.txt", "--replace"}).options.replace);
        for (const QStringList& bad : QList<QStringList>{
                 {"--bogus"}, {"--import"}, {"--import", "a", "--export", "b"}, {"--replace"}, {"a.mdb", "b.mdb"}}) {
            const CommandLine::Parsed parsed = parse(bad);
            QCOMPARE(parsed.action, P::Exit);
            QCOMPARE(parsed.exitCode, 2);
        }
        QCOMPARE(parse({"--help"}).exitCode, 0);
        QVERIFY(parse({"--help"}).message.contains(QStringLiteral("--export")));
        // Every line of the help is French, the version's included.
        QVERIFY(parse({"--help"}).message.contains(QStringLiteral("Affiche la version de Tonnelix.")));
        QVERIFY(!parse({"--help"}).message.contains(QStringLiteral("Displays")));
        QCOMPARE(parse({"-v"}).action, CommandLine::Parsed::Action::Exit);
    }

    // The real program, scripted: no window, no display, its exit codes.
    void programWithoutAWindow()
    {
        TempCellar cellar(TempCellar::Content::Demo);
        cellar.closeSession();
        const QString out = cellar.dir() + QStringLiteral("/cli.txt");
        auto run = [](const QStringList& args, QByteArray* output = nullptr) {
            const ProgramRun program = runProgram(args);
            if (output)
                *output = program.both();
            return program.status;
        };
        QByteArray output;
        QCOMPARE(run({cellar.path(), QStringLiteral("--export"), out}, &output), 0);
        QVERIFY2(output.contains("Votre Exportation a été effectuée !"), output.constData());
        const QByteArray exported = read(out);
        QVERIFY(exported.count("\r\r\n") > 10);
        QCOMPARE(run({cellar.path(), QStringLiteral("--import"), out, QStringLiteral("--replace")}), 0);
        QCOMPARE(run({cellar.path(), QStringLiteral("--import"), data("bad-date.txt")}, &output), 1);
        QVERIFY(output.contains("La structure du fichier"));
        QCOMPARE(run({QStringLiteral("--import")}), 2);
        QCOMPARE(run({QStringLiteral("--help")}, &output), 0);
        QVERIFY(output.contains("--import"));
        QFile::remove(out);
        QCOMPARE(run({cellar.path(), QStringLiteral("--export"), out}), 0);
        QCOMPARE(read(out), exported); // the replaced cellar exports the same bytes
        // A second export adds to the file, as the pocket device expects.
        QCOMPARE(run({cellar.path(), QStringLiteral("--export"), out}), 0);
        QCOMPARE(read(out), exported + exported);

        // Only a regular file (or a new one) is written: a pipe, a folder or a dangling link is refused and
        // stays what it was.
        const QString fifo = cellar.dir() + QStringLiteral("/tube");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString folder = cellar.dir() + QStringLiteral("/dossier");
        QVERIFY(QDir().mkdir(folder));
        const QString dangling = cellar.dir() + QStringLiteral("/lien");
        QVERIFY(QFile::link(cellar.dir() + QStringLiteral("/absent/x"), dangling));
        for (const QString& target : {fifo, folder, dangling}) {
            for (const QStringList& words :
                 {QStringList{cellar.path(), QStringLiteral("--export"), target},
                  QStringList{cellar.path(), QStringLiteral("--export-csv"), target},
                  QStringList{cellar.path(), QStringLiteral("--print-pdf"), QStringLiteral("1"), target}}) {
                QCOMPARE(run(words, &output), 1);
                QVERIFY2(output.contains("rien n'a été écrit"), output.constData());
            }
        }
        // Nor is one read: a pipe with no writer would hang the import or the restore.
        for (const QString& source : {fifo, folder}) {
            for (const char* option : {"--import", "--import-csv", "--restore"}) {
                QCOMPARE(run({cellar.path(), QString::fromLatin1(option), source}, &output), 1);
                QVERIFY2(output.contains("rien n'a été lu"), output.constData());
            }
        }
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(QFileInfo(dangling).isSymLink() && !QFileInfo::exists(dangling));
    }
};

QTEST_MAIN(TestExchange)
#include "test_exchange.moc"
