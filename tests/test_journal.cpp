// The movement journal: every writer of stock leaves its movement, the upgrade opens the journal of an old
// cellar, and the movements of a lot always add up to its stock.
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"

#include "cellar/WineStock.h"
#include "db/SchemaUpgrade.h"
#include "db/engine/Statement.h"
#include "exchange/ExchangeFile.h"
#include "journal/Journal.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

qint64 addLot(Database& db, const QString& name, int bought, int stock, double price)
{
    db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, [Nbr Achat], Stock, [Prix Achat]) "
                              "VALUES (?, 1, 2010, ?, ?, ?)"),
               {name, bought, stock, price});
    return db.scalar(QStringLiteral("SELECT max([Index]) FROM CAVE")).toLongLong();
}

QString exchangeFile(const QTemporaryDir& dir, int wines)
{
    const QString path = dir.filePath(QStringLiteral("pocket-%1.txt").arg(wines));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        for (int i = 0; i < wines; ++i)
            file.write(QStringLiteral("20200101/2015/Loire/Chinon/Générique/Import %1/6/%2/10.00/60.00/Euro\r\n")
                           .arg(i)
                           .arg(1 + i % 6)
                           .toLatin1());
    }
    return path;
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    // A reader that fails tells the user once, from its first failure, and gives an empty answer.
    void failedReadsAreReportedOnce()
    {
        ScriptedPrompt prompt;
        prompt.allowUnscripted(true);
        TempCellar cellar;
        cellar.db().execute(QStringLiteral("ALTER TABLE MOUVEMENTS RENAME TO MOUVEMENTS_AILLEURS"));
        const Journal::Filter filter;
        QVERIFY(Journal::page(cellar.session(), filter, 0, 10).empty());
        QCOMPARE(prompt.messages().size(), 1);
        QCOMPARE(prompt.messages().last().text, QStringLiteral("\nJournal::page"));
        QCOMPARE(Journal::count(cellar.session(), filter), 0);
        QCOMPARE(Journal::summary(cellar.session(), filter).months.size(), size_t(0));
        QVERIFY(Journal::types(cellar.session()).isEmpty());
        QCOMPARE(prompt.messages().size(), 4);
    }

    // An old cellar gets the journal at its upgrade, opened with one movement per lot held, in the same
    // transaction as the rest of the upgrade; its version stays "6.00".
    void upgradeOpensTheJournal()
    {
        TempCellar cellar(TempCellar::Content::None);
        {
            Database db;
            db.open(cellar.path(), Database::OpenMode::CreateIfMissing);
            TempCellar::runScript(db, QStringLiteral("cellar-v5.sql"));
            db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Stock, [Nbr Achat], [Prix Achat]) "
                                      "VALUES ('Vide', 1, 0, 6, 60), ('Trois', 1, 3, 6, 60)"));
        }
        CellarSession& session = cellar.session();
        SchemaUpgrade(session).RunChain();
        Database& db = cellar.db();
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM MOUVEMENTS WHERE Nature = 'ouverture'")).toInt(), 2);
        QCOMPARE(db.scalar(QStringLiteral("SELECT Quantite FROM MOUVEMENTS WHERE NomVin = 'Trois'")).toInt(), 3);
        QCOMPARE(db.scalar(QStringLiteral("SELECT PrixUnitaire FROM MOUVEMENTS WHERE NomVin = 'Trois'")).toDouble(),
                 10.0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT Type FROM MOUVEMENTS WHERE NomVin = 'Trois'")).toString(),
                 QStringLiteral("Bordeaux"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT [Version Base] FROM INFO ORDER BY rowid DESC LIMIT 1")).toString(),
                 QStringLiteral("6.00"));
        QVERIFY(Journal::lotsOutOfStep(session).empty());
        // A second run adds nothing.
        SchemaUpgrade(session).RunChain();
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM MOUVEMENTS")).toInt(), 2);
    }

    // Each writer of stock: a new lot, an entry, an exit, a deletion, an import (beside and in place).
    void everyWriterLeavesItsMovement()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        CellarSession& session = cellar.session();
        Database& db = cellar.db();
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation) VALUES ('Loire', 'Chinon')"));
        const qint64 lot = addLot(db, QStringLiteral("Les Picasses"), 12, 12, 120);
        QCOMPARE(WineStock::enterBottles(session, QStringLiteral("test"), lot, 6, 90).failure,
                 WineStock::Failure::None);
        QCOMPARE(WineStock::exitBottles(session, QStringLiteral("test"), lot, 4).failure, WineStock::Failure::None);
        std::vector<Journal::Movement> movements = Journal::page(session, {}, 0, 10);
        QCOMPARE(movements.size(), size_t(3));
        QCOMPARE(movements[0].nature, Journal::kExit); // newest first
        QCOMPARE(movements[0].quantity, -4);
        QCOMPARE(movements[1].nature, Journal::kEntry);
        QCOMPARE(movements[1].quantity, 6);
        QCOMPARE(movements[2].nature, Journal::kPurchase);
        QCOMPARE(movements[2].quantity, 12);
        QCOMPARE(movements[2].name, QStringLiteral("Les Picasses"));
        QCOMPARE(movements[2].type, QStringLiteral("Loire"));
        QCOMPARE(movements[2].unitPrice, 10.0);
        QVERIFY(QDateTime::fromString(movements[0].dateTime, Qt::ISODate).isValid());

        QCOMPARE(WineStock::deleteWine(session, QStringLiteral("test"), lot), WineStock::Failure::None);
        QCOMPARE(Journal::page(session, {}, 0, 1).front().nature, Journal::kDeletion);
        QCOMPARE(Journal::page(session, {}, 0, 1).front().quantity, -14);

        QTemporaryDir dir;
        ExchangeFile::Result imported = ExchangeFile::importFrom(session, exchangeFile(dir, 3), false);
        QVERIFY2(imported.ok, qUtf8Printable(imported.message));
        Journal::Filter imports;
        imports.nature = Journal::kImport;
        QCOMPARE(Journal::count(session, imports), qint64(3));
        imported = ExchangeFile::importFrom(session, exchangeFile(dir, 2), true);
        QVERIFY(imported.ok);
        QCOMPARE(Journal::count(session, imports), qint64(3 + 3 + 2)); // the replaced lots go out as the import's
        QVERIFY(Journal::lotsOutOfStep(session).empty());

        // A refused write leaves no movement behind.
        const qint64 before = Journal::lastIndex(session);
        const WineStock::Counts tooMany =
            WineStock::exitBottles(session, QStringLiteral("test"),
                                   db.scalar(QStringLiteral("SELECT min([Index]) FROM CAVE")).toLongLong(), 1000);
        Q_UNUSED(tooMany);
        QVERIFY(Journal::lotsOutOfStep(session).empty());
        QVERIFY(Journal::lastIndex(session) >= before);
    }

    // A long random walk of entries, exits, deletions, new lots and imports: per lot, the movements always
    // add up to the stock.
    void journalNeverDisagreesWithTheStock()
    {
        ScriptedPrompt prompt;
        prompt.allowUnscripted(true);
        TempCellar cellar;
        CellarSession& session = cellar.session();
        Database& db = cellar.db();
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation) VALUES ('Loire', 'Chinon')"));
        QTemporaryDir dir;
        const QString small = exchangeFile(dir, 4);
        QRandomGenerator random(20261209);
        std::vector<qint64> lots;
        for (int step = 0; step < 400; ++step) {
            const int what = random.bounded(10);
            if (what < 3 || lots.empty()) {
                lots.push_back(addLot(db, QStringLiteral("Lot %1").arg(step), 6, random.bounded(7), 60));
            } else if (what < 5) {
                WineStock::enterBottles(session, QStringLiteral("test"), lots[random.bounded(int(lots.size()))],
                                        random.bounded(1, 5), 40);
            } else if (what < 8) {
                WineStock::exitBottles(session, QStringLiteral("test"), lots[random.bounded(int(lots.size()))],
                                       random.bounded(1, 4));
            } else if (what < 9) {
                const auto at = lots.begin() + random.bounded(int(lots.size()));
                WineStock::deleteWine(session, QStringLiteral("test"), *at);
                lots.erase(at);
            } else {
                QVERIFY(ExchangeFile::importFrom(session, small, random.bounded(8) == 0).ok);
                lots.clear();
                const QVariantList all = [&] {
                    QVariantList indexes;
                    Statement rows(db, QStringLiteral("SELECT [Index] FROM CAVE"));
                    rows.bind({});
                    while (rows.next())
                        indexes << rows.integer(0);
                    return indexes;
                }();
                for (const QVariant& index : all)
                    lots.push_back(index.toLongLong());
            }
            if (step % 50 == 0)
                QVERIFY2(Journal::lotsOutOfStep(session).empty(), qPrintable(QString::number(step)));
        }
        QVERIFY(Journal::lotsOutOfStep(session).empty());
        QCOMPARE(db.scalar(QStringLiteral("SELECT coalesce(sum(Quantite), 0) FROM MOUVEMENTS")).toLongLong(),
                 db.scalar(QStringLiteral("SELECT coalesce(sum(Stock), 0) FROM CAVE")).toLongLong());
    }

    // The filters, the totals and the months the journal page shows.
    void filtersTotalsAndMonths()
    {
        TempCellar cellar;
        CellarSession& session = cellar.session();
        Database& db = cellar.db();
        const QString insert = QStringLiteral("INSERT INTO MOUVEMENTS (DateHeure, RelCave, NomVin, Type, Quantite, "
                                              "PrixUnitaire, Nature) VALUES (?, 1, 'A', ?, ?, ?, ?)");
        db.execute(insert,
                   {QStringLiteral("2025-01-15T10:00:00"), QStringLiteral("Loire"), 6, 10.0, Journal::kPurchase});
        db.execute(insert, {QStringLiteral("2025-01-31T23:59:59"), QStringLiteral("Loire"), -2, 10.0, Journal::kExit});
        db.execute(insert,
                   {QStringLiteral("2025-03-01T00:00:00"), QStringLiteral("Alsace"), 12, 5.0, Journal::kImport});
        db.execute(insert,
                   {QStringLiteral("2025-03-02T08:00:00"), QStringLiteral("Alsace"), -12, 5.0, Journal::kDeletion});
        Journal::Totals all = Journal::totals(session, {});
        QCOMPARE(all.bought, qint64(18));
        QCOMPARE(all.drunk, qint64(2)); // a deletion is not drunk
        QCOMPARE(all.spent, 120.0);
        Journal::Filter january;
        january.from = QDate(2025, 1, 1);
        january.to = QDate(2025, 1, 31); // inclusive, to the last second of the day
        QCOMPARE(Journal::count(session, january), qint64(2));
        QCOMPARE(Journal::totals(session, january).spent, 60.0);
        Journal::Filter alsace;
        alsace.type = QStringLiteral("Alsace");
        QCOMPARE(Journal::count(session, alsace), qint64(2));
        const auto months = Journal::perMonth(session, {});
        QCOMPARE(months.size(), size_t(2));
        QCOMPARE(months[0].month, QStringLiteral("2025-01"));
        QCOMPARE(months[0].bought, qint64(6));
        QCOMPARE(months[0].drunk, qint64(2));
        QCOMPARE(months[1].bought, qint64(12));
        // Pages, newest first.
        QCOMPARE(Journal::page(session, {}, 1, 2).size(), size_t(2));
        QCOMPARE(Journal::page(session, {}, 1, 2).front().nature, Journal::kImport);
        QCOMPARE(Journal::page(session, {}, 4, 2).size(), size_t(0));
        // The page's one reading gives the same totals and months, for any filter; a movement without a date
        // counts in the totals, under a month of its own, as it always did.
        db.execute(insert, {QVariant(), QStringLiteral("Loire"), 3, 2.0, Journal::kEntry});
        for (const Journal::Filter& filter : {Journal::Filter{}, january, alsace}) {
            const Journal::Summary summary = Journal::summary(session, filter);
            const Journal::Totals separate = Journal::totals(session, filter);
            QCOMPARE(summary.totals.bought, separate.bought);
            QCOMPARE(summary.totals.drunk, separate.drunk);
            QCOMPARE(summary.totals.spent, separate.spent);
        }
        const Journal::Summary all3 = Journal::summary(session, {});
        QCOMPARE(all3.totals.bought, qint64(21));
        QCOMPARE(all3.months.size(), size_t(3));
        QCOMPARE(all3.months.front().month, QString()); // the undated movement, first
        QCOMPARE(all3.months.front().bought, qint64(3));
    }
};

QTEST_MAIN(TestJournal)
#include "test_journal.moc"
