// CSV export and import: the RFC 4180 reader and writer, our own export coming back byte for byte, columns
// mapped by name, refusals with the line, and the command line.
#include "TestPaths.h"
#include "support/ScriptedPrompt.h"
#include "support/TableDump.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"

#include "cli/CommandLine.h"
#include "exchange/Csv.h"
#include "exchange/CsvExchange.h"
#include "journal/Journal.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QStringList kTables{QStringLiteral("CAVE"), QStringLiteral("TYPEVIN"), QStringLiteral("MOUVEMENTS")};

} // namespace

class TestCsv : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void readerAndWriter()
    {
        // Commas, quotes and line breaks inside fields come back.
        const QStringList fields{QStringLiteral("a,b"), QStringLiteral("le \"clos\""), QStringLiteral("deux\nlignes"),
                                 QString(), QStringLiteral("été")};
        const QString text = Csv::line(fields) + Csv::line({QStringLiteral("x")});
        const Csv::Table table = Csv::read(text);
        QVERIFY(table.error.isEmpty());
        QCOMPARE(table.rows.size(), size_t(2));
        QCOMPARE(table.rows[0], fields);
        QCOMPARE(table.lines[1], 3); // the second row starts after the line break inside a field
        // LF line ends, a blank line, a last line without its end.
        const Csv::Table lf = Csv::read(QStringLiteral("a,b\n\nc,\"d\"\ne,f"));
        QVERIFY(lf.error.isEmpty());
        QCOMPARE(lf.rows.size(), size_t(3));
        QCOMPARE(lf.rows[1], (QStringList{QStringLiteral("c"), QStringLiteral("d")}));
        // An unbalanced quote, and text after a closing quote, are refused with their line.
        const Csv::Table open = Csv::read(QStringLiteral("a,b\nc,\"d\ne,f\n"));
        QVERIFY(open.error.contains(QStringLiteral("Ligne 2")));
        const Csv::Table after = Csv::read(QStringLiteral("a,b\n\"c\"x,d\n"));
        QVERIFY(after.error.contains(QStringLiteral("Ligne 2")));
        // UTF-8 with a byte-order mark; Windows-1252 recognised, never read as mojibake.
        bool utf8 = false;
        QCOMPARE(Csv::decode("\xEF\xBB\xBF"
                             "Ros\xC3\xA9",
                             &utf8),
                 QStringLiteral("Rosé"));
        QVERIFY(utf8);
        QCOMPARE(Csv::decode("Ros\xE9", &utf8), QStringLiteral("Rosé"));
        QVERIFY(!utf8);
    }

    // Export, import into an empty cellar, export again: the same bytes; the movements are the import's.
    void ownExportComesBackExactly()
    {
        ScriptedPrompt prompt;
        TempCellar source(TempCellar::Content::Demo);
        source.db().execute(QStringLiteral("UPDATE CAVE SET [Nom vin] = 'Cuvée \"A, B\"\nsur deux lignes' WHERE "
                                           "[Index] = (SELECT min([Index]) FROM CAVE)"));
        // Texts a spreadsheet would run as formulas, and texts that already begin with the apostrophe.
        const QStringList formulas{
            "=HYPERLINK(\"http://x\")", "+1", "-2", "@SUM(A1)", "\tTab", "'=déjà", "''+deux", "'simple"};
        for (int i = 0; i < formulas.size(); ++i)
            source.db().execute(QStringLiteral("UPDATE CAVE SET Proprietaire = ? WHERE [Index] = (SELECT [Index] FROM "
                                               "CAVE ORDER BY [Index] LIMIT 1 OFFSET ?)"),
                                {formulas[i], i + 1});
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("cave.csv"));
        const CsvExchange::Result exported = CsvExchange::exportTo(source.session(), first);
        QVERIFY2(exported.ok, qUtf8Printable(exported.message));
        QVERIFY(exported.lots > 0);
        QVERIFY(readAll(first).startsWith(CsvExchange::columns().join(QLatin1Char(',')).toUtf8() + "\r\n"));
        {
            const Csv::Table table = Csv::read(QString::fromUtf8(readAll(first)));
            QStringList owners;
            for (size_t r = 1; r < table.rows.size(); ++r)
                owners << table.rows[r][6];
            for (const char* cell :
                 {"'=HYPERLINK(\"http://x\")", "'+1", "'-2", "'@SUM(A1)", "'\tTab", "''=déjà", "'''+deux", "'simple"})
                QVERIFY2(owners.contains(QString::fromUtf8(cell)), cell);
        }

        TempCellar target;
        const CsvExchange::Result imported = CsvExchange::importFrom(target.session(), first);
        QVERIFY2(imported.ok, qUtf8Printable(imported.message));
        QCOMPARE(imported.lots, exported.lots);
        QVERIFY(imported.ignored.isEmpty());
        const QString second = dir.filePath(QStringLiteral("again.csv"));
        QVERIFY(CsvExchange::exportTo(target.session(), second).ok);
        QCOMPARE(readAll(second), readAll(first));
        for (const QString& owner : formulas)
            QCOMPARE(
                target.db().scalar(QStringLiteral("SELECT count(*) FROM CAVE WHERE Proprietaire = ?"), {owner}).toInt(),
                1);

        Journal::Filter imports;
        imports.nature = Journal::kImport;
        QCOMPARE(Journal::count(target.session(), imports),
                 target.db().scalar(QStringLiteral("SELECT count(*) FROM CAVE WHERE Stock <> 0")).toLongLong());
        QVERIFY(Journal::lotsOutOfStep(target.session()).empty());
    }

    // Columns by their names, in any order; the others are shown as ignored.
    void columnsByName()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("autre.csv"));
        writeAll(path, "Remarque,millésime,TYPE,Nom,En stock,Appellation\r\n"
                       "cadeau,2015,Loire,Les Picasses,6,Chinon\r\n"
                       "x,2016,Loire,Clos Guillot,3,Chinon\r\n");
        TempCellar cellar;
        const CsvExchange::Result columns = CsvExchange::inspect(path);
        QCOMPARE(columns.ignored, QStringList{QStringLiteral("Remarque")});
        QCOMPARE(columns.recognised.size(), 5);
        const CsvExchange::Result result = CsvExchange::importFrom(cellar.session(), path);
        QVERIFY2(result.ok, qUtf8Printable(result.message));
        QCOMPARE(result.lots, 2);
        QCOMPARE(result.bottles, qint64(9));
        QCOMPARE(result.newTypes, 1);
        QVERIFY(result.message.contains(QStringLiteral("Colonnes ignorées : Remarque")));
        QCOMPARE(
            cellar.db().scalar(QStringLiteral("SELECT Millesime FROM CAVE WHERE [Nom vin] = 'Clos Guillot'")).toInt(),
            2016);
        QCOMPARE(
            cellar.db().scalar(QStringLiteral("SELECT [Nbr Achat] FROM CAVE WHERE [Nom vin] = 'Clos Guillot'")).toInt(),
            3); // without a bought column, what is in stock was bought
    }

    // A row that cannot be read refuses the file with its line; nothing is written.
    void refusals()
    {
        QTemporaryDir dir;
        TempCellar cellar(TempCellar::Content::Demo);
        const QString before = dumpTables(cellar.db(), kTables);
        const QString header = CsvExchange::columns().join(QLatin1Char(','));
        struct Case
        {
            const char* label;
            QByteArray body;
            const char* expected;
        };
        const QList<Case> cases{
            {"vintage",
             (header + "\r\nA,Loire,Chinon,Rouge,FR,,,2015,,6,6,60,,5\r\nB,Loire,Chinon,Rouge,FR,,,"
                       "deux mille,,6,6,60,,5\r\n")
                 .toUtf8(),
             "Ligne 3"},
            {"count", (header + "\r\nA,Loire,Chinon,Rouge,FR,,,2015,,6,six,60,,5\r\n").toUtf8(), "Ligne 2"},
            {"quote", (header + "\r\n\"A,Loire,Chinon\r\n").toUtf8(), "Ligne 2"},
            {"no name column", "Type,Appellation\r\nLoire,Chinon\r\n", "« Nom » et « Type »"},
            {"empty", "", "vide"},
        };
        for (const Case& c : cases) {
            const QString path = dir.filePath(QString::fromLatin1(c.label) + QStringLiteral(".csv"));
            writeAll(path, c.body);
            const CsvExchange::Result result = CsvExchange::importFrom(cellar.session(), path);
            QVERIFY2(!result.ok, c.label);
            QVERIFY2(result.message.contains(QString::fromUtf8(c.expected)), qUtf8Printable(result.message));
            QCOMPARE(dumpTables(cellar.db(), kTables), before);
            // The columns are shown from the header alone, at once; a row that cannot be read is the
            // import's to refuse.
            if (QByteArray(c.label) == "quote") {
                const CsvExchange::Result columns = CsvExchange::inspect(path);
                QVERIFY2(columns.ok, qUtf8Printable(columns.message));
                QCOMPARE(columns.recognised.size(), CsvExchange::columns().size());
                QCOMPARE(Csv::read(QString::fromUtf8(c.body), 1).rows.size(), size_t(1));
                QVERIFY(!Csv::read(QString::fromUtf8(c.body)).error.isEmpty());
            }
        }
    }

    // CellarTracker's Inventory export: one row per bottle, grouped into lots, every field mapped.
    void cellarTrackerInventory()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const QString path = QStringLiteral(TONNELIX_TEST_DATA "/cellartracker/inventory.csv");
        const CsvExchange::Result result = CsvExchange::importFrom(cellar.session(), path);
        QVERIFY2(result.ok, qUtf8Printable(result.message));
        QCOMPARE(result.lots, 5); // the third Chinon bottle cost more: a lot of its own
        QCOMPARE(result.bottles, qint64(6));
        QCOMPARE(result.newTypes, 4);
        QVERIFY(result.ignored.contains(QStringLiteral("Barcode")));
        auto lot = [&](const QString& where, const QString& field) {
            return db.scalar(QStringLiteral("SELECT %1 FROM CAVE c JOIN TYPEVIN t ON t.[Index] = c.RelType WHERE %2 "
                                            "ORDER BY c.[Index] LIMIT 1")
                                 .arg(field, where));
        };
        const QString grives = QStringLiteral("c.[Nom vin] = 'Les Grives'");
        QCOMPARE(lot(grives, QStringLiteral("c.Stock")).toInt(), 2);
        QCOMPARE(lot(grives, QStringLiteral("c.[Prix Achat]")).toDouble(), 51.0);
        QCOMPARE(lot(grives, QStringLiteral("c.Proprietaire")).toString(), QStringLiteral("Domaine Vellaret"));
        QCOMPARE(lot(grives, QStringLiteral("c.Millesime")).toInt(), 2015);
        QCOMPARE(lot(grives, QStringLiteral("c.Cote")).toInt(), 5);
        QCOMPARE(lot(grives, QStringLiteral("c.[Date Achat]")).toString(), QStringLiteral("07/03/2019"));
        QCOMPARE(lot(grives, QStringLiteral("c.Contenance")).toString(), QStringLiteral("0,75 L"));
        QCOMPARE(
            lot(grives, QStringLiteral("t.Type || '|' || t.Appellation || '|' || t.Etat || '|' || t.Nic")).toString(),
            QStringLiteral("Loire Valley|Chinon|0|FR"));
        const QString brut = QStringLiteral("c.Proprietaire = 'Maison Orsel'");
        QCOMPARE(lot(brut, QStringLiteral("c.Millesime")).toInt(), 0); // non-vintage
        QCOMPARE(lot(brut, QStringLiteral("c.Cote")).toInt(), 99);
        QCOMPARE(lot(brut, QStringLiteral("c.Contenance")).toString(), QStringLiteral("1,5 L"));
        QCOMPARE(lot(brut, QStringLiteral("t.Appellation")).toString(), QString()); // "Unknown" is nothing
        QCOMPARE(lot(brut, QStringLiteral("t.Etat")).toString(), QStringLiteral("1"));
        const QString dobrin = QStringLiteral("c.Proprietaire = 'Crama Dobrin'");
        QCOMPARE(lot(dobrin, QStringLiteral("c.[Nom vin]")).toString(), QStringLiteral("Fetească Neagră"));
        QCOMPARE(lot(dobrin, QStringLiteral("t.Appellation")).toString(), QStringLiteral("Dealu Mare"));
        QCOMPARE(lot(dobrin, QStringLiteral("c.Cote")).toInt(), 4); // from an M/D/YYYY date
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM PAYS WHERE Nic = 'RO'")).toInt(), 1);
        QCOMPARE(lot(QStringLiteral("c.Proprietaire = 'Bodega Arlanz'"), QStringLiteral("t.Etat")).toString(),
                 QStringLiteral("2"));
        QVERIFY(Journal::lotsOutOfStep(cellar.session()).empty());
    }

    // The Bottles export: quantities, costs, and the bottles already drunk as exits of their lot, dated.
    void cellarTrackerBottles()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const CsvExchange::Result result =
            CsvExchange::importFrom(cellar.session(), QStringLiteral(TONNELIX_TEST_DATA "/cellartracker/bottles.csv"));
        QVERIFY2(result.ok, qUtf8Printable(result.message));
        QCOMPARE(result.lots, 2);
        QCOMPARE(result.bottles, qint64(6));
        QVERIFY(result.message.contains(QStringLiteral("Lignes ignorées : ligne 6")));
        QVERIFY(result.message.contains(QStringLiteral("4 mouvement(s)")));
        const QString calvi = QStringLiteral("SELECT %1 FROM CAVE WHERE Proprietaire = 'Tenuta Calvi'");
        QCOMPARE(db.scalar(calvi.arg(QStringLiteral("[Nbr Achat]"))).toInt(), 6);
        QCOMPARE(db.scalar(calvi.arg(QStringLiteral("Stock"))).toInt(), 4);
        QCOMPARE(db.scalar(calvi.arg(QStringLiteral("[Prix Achat]"))).toDouble(), 120.0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT group_concat(substr(DateHeure, 1, 10) || ' ' || Quantite, ', ') "
                                          "FROM (SELECT * FROM MOUVEMENTS WHERE Nature = 'sortie' ORDER BY DateHeure)"))
                     .toString(),
                 QStringLiteral("2021-12-24 -1, 2023-06-30 -1"));
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT Contenance FROM CAVE WHERE Proprietaire = 'Weingut Haller'")).toString(),
            QStringLiteral("0,375 L"));
        QVERIFY(Journal::lotsOutOfStep(cellar.session()).empty());

        // A vintage that is not a number refuses the file with its line.
        const QString before = dumpTables(db, kTables);
        const CsvExchange::Result bad = CsvExchange::importFrom(
            cellar.session(), QStringLiteral(TONNELIX_TEST_DATA "/cellartracker/bad-vintage.csv"));
        QVERIFY(!bad.ok);
        QVERIFY(bad.message.contains(QStringLiteral("Ligne 2")));
        QCOMPARE(dumpTables(db, kTables), before);

        // Quantities whose sum no lot can hold (two rows of 2^31 - 1 bottles wrapped round to -2): refused at
        // the row that passes the limit. A vintage or a price out of range too.
        const CsvExchange::Result huge =
            CsvExchange::importFrom(cellar.session(), QStringLiteral(TONNELIX_TEST_DATA "/cellartracker/overflow.csv"));
        QVERIFY(!huge.ok);
        QVERIFY2(huge.message.contains(QStringLiteral("Ligne 2 : un millésime, une quantité ou un prix est hors des "
                                                      "limites")),
                 qUtf8Printable(huge.message));
        QTemporaryDir dir;
        for (const QByteArray& row : {QByteArray("7,750ml,10,1/1/2020,2015,Vin,Loire,X,600000\r\n"
                                                 "7,750ml,10,1/1/2020,2015,Vin,Loire,X,600000"),
                                      QByteArray("7,750ml,10,1/1/2020,99999,Vin,Loire,X,1"),
                                      QByteArray("7,750ml,1e300,1/1/2020,2015,Vin,Loire,X,1")}) {
            const QString path = dir.filePath(QStringLiteral("limits.csv"));
            writeAll(path, "iWine,Size,Price,PurchaseDate,Vintage,Wine,Region,Producer,Quantity\r\n" + row + "\r\n");
            const CsvExchange::Result refused = CsvExchange::importFrom(cellar.session(), path);
            QVERIFY2(!refused.ok && refused.message.contains(QStringLiteral("hors des limites")),
                     qUtf8Printable(refused.message));
        }
        QCOMPARE(dumpTables(db, kTables), before);
    }

    // The command line: --export-csv and --import-csv, without a window.
    void commandLine()
    {
        TempCellar source(TempCellar::Content::Demo);
        source.closeSession();
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("cave.csv"));
        CommandLine::Parsed parsed =
            CommandLine::parse({QStringLiteral("tonnelix"), source.path(), QStringLiteral("--export-csv"), csv});
        QCOMPARE(parsed.action, CommandLine::Parsed::Action::Batch);
        QCOMPARE(CommandLine::runBatch(parsed.options), 0);
        QVERIFY(readAll(csv).size() > 100);
        TempCellar target;
        target.closeSession();
        parsed = CommandLine::parse({QStringLiteral("tonnelix"), target.path(), QStringLiteral("--import-csv"), csv});
        QCOMPARE(CommandLine::runBatch(parsed.options), 0);
        parsed = CommandLine::parse(
            {QStringLiteral("tonnelix"), QStringLiteral("--import-csv"), csv, QStringLiteral("--export-csv"), csv});
        QCOMPARE(parsed.exitCode, 2);
        parsed = CommandLine::parse({QStringLiteral("tonnelix"), target.path(), QStringLiteral("--import-csv"),
                                     dir.filePath(QStringLiteral("absent.csv"))});
        QCOMPARE(CommandLine::runBatch(parsed.options), 1);
    }
};

QTEST_MAIN(TestCsv)
#include "test_csv.moc"
