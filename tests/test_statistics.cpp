// The statistics' figures and the wines ready to drink, computed in the core without the page.
#include "statistics/CellarStatistics.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"

#include <QLocale>
#include <QTest>

namespace {

void addLot(Database& db, qint64 type, int vintage, double bought, double price, int stock, const QString& cru,
            const QString& date = QString(), int keeping = 99)
{
    db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, [Nbr Achat], [Prix Achat], Stock, Cru, "
                              "[Date Achat], Cote) VALUES ('Lot', ?, ?, ?, ?, ?, ?, ?, ?)"),
               {type, vintage, bought, price, stock, cru, date, keeping});
}

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void figuresByColourGroup()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        db.execute(QStringLiteral("INSERT INTO TYPEVIN ([Index], Type, Appellation, Etat) VALUES (1, 'Bordeaux', "
                                  "'Pauillac', '0'), (2, 'Alsace', 'Riesling', '1'), (3, 'Provence', 'Bandol', '2'), "
                                  "(4, 'Porto', 'Vintage', '3'), (5, 'Divers', 'Sans couleur', '9')"));
        addLot(db, 1, 2005, 6, 60, 4, QStringLiteral("Grand Cru"), QStringLiteral("15/03/2008"));
        addLot(db, 1, 2010, 12, 150, 12, QStringLiteral("Premier Cru"), QStringLiteral("02/11/2012"));
        addLot(db, 3, 2019, 2.5, 20, 1, QString(), QStringLiteral("20/05/2020"));
        addLot(db, 4, 2000, 2.5, 80, 2, QString(), QStringLiteral("01/06/2020"));
        addLot(db, 5, 2001, 3, 30, 3, QString());   // a colour no group has: in the total only
        addLot(db, 42, 2005, 6, 600, 6, QString()); // its wine type is gone: not read at all

        using namespace CellarStatistics;
        const Figures all = compute(cellar.session(), QStringLiteral("t"), {});
        QCOMPARE(all.groups[Red].bought, 18);
        QCOMPARE(all.groups[Red].remaining, 16);
        QCOMPARE(all.groups[Red].invested, 210.0);
        QCOMPARE(averageLine(all.groups[Red]), QStringLiteral("Soit 11,67 par bouteille"));
        // No white lot: zeros and no average.
        QCOMPARE(all.groups[White].bought, 0);
        QCOMPARE(averageLine(all.groups[White]), QString());
        // Rosé and other wines add up in one group; the bottles bought are truncated at each step (2 + 2.5 -> 4).
        QCOMPARE(all.groups[Others].bought, 4);
        QCOMPARE(all.groups[Others].remaining, 3);
        QCOMPARE(all.groups[Others].invested, 100.0);
        QCOMPARE(all.totalStock, 22); // the lot of no colour group counted too
        QCOMPARE(all.lots, 5);

        const Figures year = compute(cellar.session(), QStringLiteral("t"), {2005, QString()});
        QCOMPARE(year.groups[Red].bought, 6);
        QCOMPARE(year.totalStock, 4);
        const Figures cru = compute(cellar.session(), QStringLiteral("t"), {0, QStringLiteral("Premier Cru")});
        QCOMPARE(cru.groups[Red].remaining, 12);
        const Figures both = compute(cellar.session(), QStringLiteral("t"), {2005, QStringLiteral("Premier Cru")});
        QCOMPARE(both.lots, 0);
        QCOMPARE(both.groups[Red].bought, 0);

        const std::vector<YearSpending> spent = spendingPerYear(cellar.session(), QStringLiteral("t"), {});
        QVERIFY(spent.size() >= 3);
        for (size_t i = 1; i < spent.size(); ++i)
            QVERIFY(spent[i - 1].year < spent[i].year);
        double in2020 = 0;
        for (const YearSpending& y : spent) {
            if (y.year == 2020)
                in2020 = y.spent;
        }
        QCOMPARE(in2020, 100.0);
        QVERIFY(prompt.messages().isEmpty());
    }

    void winesReadyToDrink()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        db.execute(QStringLiteral("INSERT INTO TYPEVIN ([Index], Type, Appellation, Etat) VALUES (1, 'Bordeaux', "
                                  "'Pauillac', '0')"));
        addLot(db, 1, 2005, 6, 60, 4, QString(), QString(), 10); // 2015: ready in 2020
        addLot(db, 1, 2015, 6, 60, 4, QString(), QString(), 10); // 2025: not yet
        addLot(db, 1, 2010, 6, 60, 4, QString(), QString(), 10); // 2020: ready that very year
        addLot(db, 1, 1990, 6, 60, 4, QString(), QString(), 99); // no keeping time: never listed
        const std::vector<CellarStatistics::ReadyWine> ready =
            CellarStatistics::readyToDrink(cellar.session(), QStringLiteral("t"), 2020);
        QStringList vintages;
        for (const CellarStatistics::ReadyWine& wine : ready)
            vintages << QString::number(wine.vintage);
        vintages.sort();
        QCOMPARE(vintages, (QStringList{"2005", "2010"}));
        QVERIFY(prompt.messages().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "test_statistics.moc"
