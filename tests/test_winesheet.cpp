// The wine sheet: list selection modes, keeping status, entries, exits and deletion.
#include "cellar/KeepingStatus.h"
#include "cellar/WineListQuery.h"
#include "cellar/ui/WineListModel.h"
#include "cellar/ui/WineSheetPage.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "widgets/ui/ColorLabel.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

using A = Prompt::Answer;

qint64 addType(Database& db, const QString& type, const QString& appellation, const QString& etat,
               const QString& nic = QStringLiteral("FR"), const QString& temperature = QString())
{
    db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic, Temperature) VALUES (?, ?, ?, ?, ?)"),
               {type, appellation, etat, nic, temperature});
    return db.lastInsertId();
}

qint64 addLot(Database& db, qint64 type, const QString& name, int vintage, int stock, double bought, double price,
              int cote = 10)
{
    db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock, [Nbr Achat], [Prix Achat], "
                              "Cote, Cru, Proprietaire, [Date Achat], Contenance) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                              "?, ?)"),
               {name, type, vintage, stock, bought, price, cote, QStringLiteral("Grand Cru"),
                QStringLiteral("Château d'Yquem"), QStringLiteral("05/03/2006"), QStringLiteral("0,75 L")});
    return db.lastInsertId();
}

qint64 stockOf(Database& db, qint64 lot)
{
    return db.scalar(QStringLiteral("SELECT Stock FROM CAVE WHERE [Index] = ?"), {lot}).toLongLong();
}

} // namespace

class TestWineSheet : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    // Each mode selects the lots of its node and no other: the rows, not the statement's text.
    void lotsOfTheSixModes()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        db.execute(QStringLiteral(
            "INSERT INTO TYPEVIN ([Index], Type, Appellation, Etat, Nic) VALUES (1, 'Bordeaux', 'Pauillac', '0', "
            "'FR'), (2, 'Bordeaux', 'Margaux', '0', 'FR'), (3, 'Alsace', 'Riesling', '1', 'FR'), (4, 'Provence', "
            "'Bandol', '2', 'FR'), (5, 'Loire', 'Chinon', '0', 'FR')"));
        // name, type, vintage
        const QList<std::tuple<QString, int, int>> lots = {{"Pauillac 2005", 1, 2005}, {"Pauillac 2010", 1, 2010},
                                                           {"Margaux 2005", 2, 2005},  {"Riesling 1998", 3, 1998},
                                                           {"Riesling 2001", 3, 2001}, {"Bandol 2010", 4, 2010},
                                                           {"Chinon 2002", 5, 2002},   {"Chinon 2003", 5, 2003}};
        for (const auto& [name, type, vintage] : lots)
            db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock) VALUES (?, ?, ?, 1)"),
                       {name, type, vintage});
        struct Case
        {
            int mode;
            QStringList args;
            QStringList names;
            QString vin;
        };
        const QList<Case> cases = {
            {1, {"Bordeaux", "Pauillac", "", ""}, {"Pauillac 2005", "Pauillac 2010"}, "Bordeaux"},
            {2, {"Pauillac", "Bordeaux", "2005", ""}, {"Pauillac 2005"}, "Pauillac"},
            {3, {"Blanc", "", "1998", ""}, {"Riesling 1998"}, "1"},
            {5, {"Rose", "Provence", "2010", "Bandol"}, {"Bandol 2010"}, "2"},
            {6, {"Loire", "", "2002", ""}, {"Chinon 2002"}, "Loire"},
            {7, {"Rouge", "Bordeaux", "", ""}, {"Margaux 2005", "Pauillac 2005", "Pauillac 2010"}, "0"},
        };
        for (const Case& c : cases) {
            const WineListQuery q = WineListQuery::build(c.args[0], c.args[1], c.args[2], c.args[3], c.mode);
            QVERIFY(q.valid);
            QStringList names;
            for (const WineRow& row : q.load(cellar.session()))
                names << row.nomVin;
            names.sort();
            QCOMPARE(names, c.names);
            QCOMPARE(q.vinText, c.vin);
            QCOMPARE(q.appellationText, c.args[1]);
        }
        QVERIFY(!WineListQuery::build(QStringLiteral("x"), {}, {}, {}, 4).valid);
        QCOMPARE(WineListQuery::colourCode(QStringLiteral("Autres")), QStringLiteral("3"));
        QCOMPARE(WineListQuery::colourCode(QStringLiteral("Rosé")), QStringLiteral("Rosé")); // the tree says "Rose"
        QVERIFY(prompt.messages().isEmpty());
    }

    void keepingStatusAcrossYears()
    {
        QCOMPARE(KeepingStatus::of("5", "2000", 2004).status, QStringLiteral("Vin à garder"));
        QCOMPARE(KeepingStatus::of("5", "2000", 2005).status, QStringLiteral("Vin à boire"));
        QCOMPARE(KeepingStatus::of("5", "2000", 2005).garde, QStringLiteral("5"));
        const KeepingStatus none = KeepingStatus::of("99", "2000", 2030);
        QCOMPARE(none.garde, QString());
        QCOMPARE(none.status, QStringLiteral("Pas de garde"));
        QCOMPARE(KeepingStatus::of("0", "2000", 1990).status, QStringLiteral("Pas de garde"));
        QCOMPARE(KeepingStatus::of("0", "2000", 1990).garde, QStringLiteral("0"));
    }

    void fillsTheListAndFollowsTheKeyboard()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 red = addType(db, "Bordeaux", "Pauillac", "0", "FR", "16-18");
        const qint64 other = addType(db, "Bordeaux", "Côte d'Or", "0", "IT", "14-16");
        const qint64 white = addType(db, "Bordeaux", "Sauternes", "1");
        addLot(db, red, "Premier", 2000, 3, 6, 60, 99);
        addLot(db, other, "Second d'Ici", 2010, 4, 4, 40, 5);
        addLot(db, white, "Blanc", 2001, 1, 1, 10);

        WineSheetPage page;
        QAbstractItemModelTester tester(page.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        page.refreshWineList(QStringLiteral("Rouge"), QStringLiteral("Bordeaux"), {}, {}, 7);
        QCOMPARE(page.model()->rowCount(), 2);
        QCOMPARE(page.vinEdit()->text(), QStringLiteral("0"));
        QCOMPARE(page.appellationEdit()->text(), QStringLiteral("Bordeaux"));
        QCOMPARE(page.temperatureBox()->text(), QString()); // nothing highlighted yet
        QCOMPARE(page.model()->text(0, WineListModel::PrixUnite), QStringLiteral("10,00"));

        page.list()->setFocus();
        page.selectRow(0);
        QCOMPARE(page.nomVinEdit()->text(), QStringLiteral("Premier"));
        QCOMPARE(page.gardeEdit()->text(), QString());
        QCOMPARE(page.statusText()->text(), QStringLiteral("Pas de garde"));
        QCOMPARE(page.paysText()->text(), QStringLiteral("FRANCE"));
        QCOMPARE(page.contenanceText()->text(), QStringLiteral("0,75 L"));
        // The serving temperature is that of the wine's own appellation, not of the last row read.
        QCOMPARE(page.temperatureBox()->text(), QStringLiteral("16-18"));
        // Moving with the keyboard refreshes the details: the buttons act on the highlighted wine.
        QTest::keyClick(page.list(), Qt::Key_Down);
        QCOMPARE(page.nomVinEdit()->text(), QStringLiteral("Second d'Ici"));
        QCOMPARE(page.temperatureBox()->text(), QStringLiteral("14-16"));
        QCOMPARE(page.paysText()->text(), QStringLiteral("ITALIE"));
        QCOMPARE(page.vintageEdit()->text(), QStringLiteral("2010"));

        // A name with an apostrophe selects like any other.
        page.clearList();
        page.refreshWineList(QStringLiteral("Bordeaux"), QStringLiteral("Côte d'Or"), {}, {}, 1);
        QCOMPARE(page.model()->rowCount(), 1);
        page.refreshWineList(QStringLiteral("Nowhere"), QString(), QStringLiteral("1999"), {}, 6);
        QCOMPARE(page.model()->rowCount(), 0);
        QVERIFY(prompt.messages().isEmpty());
    }

    void unknownCountryShowsNoCountry()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addLot(db, addType(db, "Chianti", "Classico", "0", "IT", "16-18"), "Italien", 2010, 1, 1, 10);
        addLot(db, addType(db, "Chianti", "Nulle part", "0", "ZZ", "16-18"), "Sans pays", 2011, 1, 1, 10);
        WineSheetPage page;
        page.refreshWineList(QStringLiteral("Rouge"), QStringLiteral("Chianti"), {}, {}, 7);
        QCOMPARE(page.model()->rowCount(), 2);
        page.selectRow(0);
        QCOMPARE(page.paysText()->text(), QStringLiteral("ITALIE"));
        page.selectRow(1);
        QCOMPARE(page.nomVinEdit()->text(), QStringLiteral("Sans pays"));
        QCOMPARE(page.paysText()->text(), QString());
    }

    void entryArithmeticAndPrices()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 type = addType(db, "Loire", "Sancerre", "1");
        const qint64 lot = addLot(db, type, "Les Monts", 2015, 2, 6, 60);
        WineSheetPage page;
        QSignalSpy racks(&page, &WineSheetPage::rackViewRequested);
        page.refreshWineList(QStringLiteral("Loire"), QStringLiteral("Sancerre"), {}, {}, 1);
        page.selectRow(0);

        page.entryCountEdit()->setText(QStringLiteral("6"));
        page.entryPriceEdit()->setText(QStringLiteral("30.5"));
        prompt.queue(A::Yes);
        page.recordEntry();
        QCOMPARE(
            prompt.messages().last().text,
            QStringLiteral("Votre entrée a été effectué !\nVoulez vous positionner vos bouteilles dans votre cave"));
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Information !"));
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT Stock || '/' || [Nbr Achat] || '/' || [Prix Achat] FROM CAVE")).toString(),
            QStringLiteral("8/12.0/90.5"));
        QCOMPARE(page.model()->text(0, WineListModel::PrixUnite), QStringLiteral("7,54"));
        QCOMPARE(page.model()->text(0, WineListModel::Stock), QStringLiteral("8"));
        QCOMPARE(page.model()->text(0, WineListModel::NbrAchat), QStringLiteral("12"));
        QCOMPARE(page.stockEdit()->text(), QStringLiteral("8"));
        QCOMPARE(racks.count(), 1);
        QCOMPARE(racks.first(), (QList<QVariant>{lot, QStringLiteral("Création"), 6}));
        QVERIFY(page.entryCountEdit()->text().isEmpty());
        QVERIFY(page.entryPriceEdit()->text().isEmpty());

        // A comma works whatever the locale; an empty price adds nothing.
        QLocale::setDefault(QLocale::c());
        page.entryCountEdit()->setText(QStringLiteral("1"));
        page.entryPriceEdit()->setText(QStringLiteral("9,50"));
        prompt.queue(A::No);
        page.recordEntry();
        page.entryCountEdit()->setText(QStringLiteral("1"));
        prompt.queue(A::No);
        page.recordEntry();
        QCOMPARE(db.scalar(QStringLiteral("SELECT [Prix Achat] FROM CAVE")).toDouble(), 100.0);
        QCOMPARE(stockOf(db, lot), 10);

        // An unreadable price is refused, not taken as 0.
        page.entryCountEdit()->setText(QStringLiteral("2"));
        page.entryPriceEdit()->setText(QStringLiteral("douze"));
        prompt.queue(A::Ok);
        page.recordEntry();
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Erreur"));
        QCOMPARE(stockOf(db, lot), 10);

        // Refusals, in order.
        page.entryPriceEdit()->clear();
        page.entryCountEdit()->clear();
        prompt.queue(A::Ok);
        page.recordEntry();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer une entrée vin sans un Nbr de bouteilles"));
        page.entryCountEdit()->setText(QStringLiteral("0"));
        prompt.queue(A::Ok);
        page.recordEntry();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer une entrée de vin sans un Nbr de bouteilles > à 0"));
        QCOMPARE(prompt.messages().last().icon, Prompt::Icon::Stop);
    }

    void exitsAreCheckedAgainstTheCellar()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 type = addType(db, "Loire", "Sancerre", "1");
        const qint64 lot = addLot(db, type, "Les Monts", 2015, 5, 6, 60);
        WineSheetPage page;
        QSignalSpy racks(&page, &WineSheetPage::rackViewRequested);

        prompt.queue(A::Ok);
        page.recordExit();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer une sortie vin sans selectionner un vin"));
        page.showInRack(); // nothing selected yet: no rack view
        QCOMPARE(racks.count(), 0);

        page.refreshWineList(QStringLiteral("Loire"), QStringLiteral("Sancerre"), {}, {}, 1);
        page.selectRow(0);
        prompt.queue(A::Ok);
        page.recordExit();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer une sortie vin sans un Nbr de bouteilles"));
        page.exitCountEdit()->setText(QStringLiteral("6"));
        prompt.queue(A::Ok);
        page.recordExit();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer une sortie vin qui dépasse votre stock"));
        page.exitCountEdit()->setText(QStringLiteral("-1"));
        prompt.queue(A::Ok);
        page.recordExit();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer une sortie vin sans un Nbr de bouteilles > à 0"));

        page.exitCountEdit()->setText(QStringLiteral("3"));
        prompt.queue(A::Yes);
        page.recordExit();
        QCOMPARE(
            prompt.messages().last().text,
            QStringLiteral("Votre sortie a été effectuée !\nVoulez vous supprimer vos bouteilles dans votre cave"));
        QCOMPARE(stockOf(db, lot), 2);
        QCOMPARE(page.stockEdit()->text(), QStringLiteral("2"));
        QCOMPARE(racks.last(), (QList<QVariant>{lot, QStringLiteral("Sortie"), 3}));
        QVERIFY(page.exitCountEdit()->text().isEmpty());
        // The second exit sees the 2 bottles left, not the 5 shown before.
        page.exitCountEdit()->setText(QStringLiteral("3"));
        prompt.queue(A::Ok);
        page.recordExit();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer une sortie vin qui dépasse votre stock"));
        // Exactly the stock is accepted; the price and count bought are kept.
        page.exitCountEdit()->setText(QStringLiteral("2"));
        prompt.queue(A::No);
        page.recordExit();
        QCOMPARE(stockOf(db, lot), 0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT [Prix Achat] FROM CAVE")).toDouble(), 60.0);

        page.showInRack();
        QCOMPARE(racks.last(), (QList<QVariant>{lot, QStringLiteral("Visualisation"), 0}));
    }

    void deletionTakesTheRackPositionsAlong()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 type = addType(db, "Loire", "Sancerre", "1");
        const qint64 kept = addLot(db, type, "Kept", 2015, 5, 6, 60);
        const qint64 gone = addLot(db, type, "Gone", 2016, 2, 2, 20);
        for (const qint64 lot : {kept, gone, gone})
            db.execute(QStringLiteral("INSERT INTO RAYONNAGE VALUES (?, 1, 1, ?)"), {lot, lot});
        WineSheetPage page;
        page.refreshWineList(QStringLiteral("Loire"), QStringLiteral("Sancerre"), {}, {}, 1);

        prompt.queue(A::Ok);
        page.deleteLot();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez supprimer un vin sans le selectionner "));

        page.selectRow(1);
        QCOMPARE(page.nomVinEdit()->text(), QStringLiteral("Gone"));
        prompt.queue(A::No);
        page.deleteLot();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Confirmer vous la suppression ?"));
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Attention !"));
        QCOMPARE(prompt.messages().last().buttons, Prompt::Buttons::YesNoDefaultNo); // Enter keeps the wine
        QCOMPARE(page.model()->rowCount(), 2);

        prompt.queue(A::Yes);
        prompt.queue(A::Ok);
        page.deleteLot();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Votre suppression a été effectuée !"));
        QCOMPARE(page.model()->rowCount(), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM CAVE WHERE [Index] = ?"), {gone}).toInt(), 0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM RAYONNAGE WHERE Relation = ?"), {gone}).toInt(), 0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM RAYONNAGE")).toInt(), 1);
        // The details are cleared: an exit now asks for a wine instead of writing to a row that is gone.
        QVERIFY(page.nomVinEdit()->text().isEmpty());
        QCOMPARE(page.selectedIndex(), 0);
        page.exitCountEdit()->setText(QStringLiteral("1"));
        prompt.queue(A::Ok);
        page.recordExit();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer une sortie vin sans selectionner un vin"));
        QCOMPARE(stockOf(db, kept), 5);
    }

    // A long list shows its rows by pages; sorting orders every row, shown or not, keeps equal keys in their
    // order and the current lot under the cursor; a new list keeps the order chosen.
    void longListsShowByPagesAndSortWhole()
    {
        WineListModel model;
        auto rows = [](int count) {
            std::vector<WineRow> list;
            for (int i = 0; i < count; ++i) {
                WineRow w;
                w.index = i + 1;
                w.nomVin = QStringLiteral("Vin %1").arg(i % 7);
                w.vintage = 1990 + (i * 37) % 30;
                w.dateAchat = QStringLiteral("%1/%2/%3")
                                  .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                  .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                  .arg(2000 + i % 20);
                w.stock = i % 5;
                w.nbrAchat = 6;
                list.push_back(w);
            }
            return list;
        };
        model.setRows(rows(2500));
        QCOMPARE(model.rowCount(), WineListModel::kPageRows);
        QCOMPARE(model.allRows(), 2500);
        // Qt's model checker watches the pages come (it fetches more itself when a list is replaced or
        // sorted, which it then reports as a fault: it is set aside for those).
        auto tester =
            std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        while (model.canFetchMore({}))
            model.fetchMore({});
        QCOMPARE(model.rowCount(), 2500);
        tester.reset();
        model.setRows(rows(2500));
        QCOMPARE(model.rowCount(), WineListModel::kPageRows);

        // The lot of the current row follows the sort.
        QTableView view;
        view.setModel(&model);
        view.setCurrentIndex(model.index(10, 0));
        const qint64 current = model.row(10).index;
        model.sort(WineListModel::Millesime, Qt::DescendingOrder);
        QCOMPARE(model.text(0, WineListModel::Millesime), QStringLiteral("2019")); // from the rows not shown too
        for (int r = 1; r < model.allRows(); ++r)
            QVERIFY(model.row(r - 1).vintage >= model.row(r).vintage);
        if (view.currentIndex().isValid())
            QCOMPARE(model.row(view.currentIndex().row()).index, current);
        // Equal vintages keep the order they were given in, in either direction.
        for (int r = 1; r < model.allRows(); ++r) {
            if (model.row(r - 1).vintage == model.row(r).vintage)
                QVERIFY(model.row(r - 1).index < model.row(r).index);
        }
        // Dates by year, month, day; a new list comes sorted the same way.
        model.sort(WineListModel::DateAchat, Qt::AscendingOrder);
        model.setRows(rows(1500));
        auto key = [&model](int r) {
            const QString d = model.row(r).dateAchat;
            return d.mid(6, 4) + d.mid(3, 2) + d.left(2);
        };
        for (int r = 1; r < model.allRows(); ++r)
            QVERIFY(key(r - 1) <= key(r));
        // Column -1: the order given.
        model.sort(-1);
        model.setRows(rows(3));
        QCOMPARE(model.row(0).index, qint64(1));

        // Changes to rows not shown yet: no signal for the view, the row changed all the same.
        model.setRows(rows(2500));
        const int far = 2400;
        model.setCounts(far, 42, 43, 10.0);
        QCOMPARE(model.row(far).stock, qint64(42));
        const qint64 next = model.row(far + 1).index;
        model.removeLot(far);
        QCOMPARE(model.allRows(), 2499);
        QCOMPARE(model.rowCount(), WineListModel::kPageRows);
        QCOMPARE(model.row(far).index, next);
        model.removeLot(0);
        QCOMPARE(model.rowCount(), WineListModel::kPageRows - 1);
        model.showUpTo(far);
        QCOMPARE(model.rowCount(), far + 1);
        model.showUpTo(100000);
        QCOMPARE(model.rowCount(), 2498);
    }
};

QTEST_MAIN(TestWineSheet)
#include "test_winesheet.moc"
