// The rack dialogs: finding, placing and taking out bottles; the manual update with its counters.
#include "platform/Profile.h"
#include "rack/ui/RackDialog.h"
#include "rack/ui/RackGridWidget.h"
#include "rack/ui/RackManualUpdateDialog.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "widgets/ui/ColorLabel.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

using A = Prompt::Answer;
using Cell = RackGrid::Cell;

struct Cellar
{
    TempCellar file;
    qint64 red = 0;
    qint64 other = 0;
    qint64 six = 0;

    Cellar()
    {
        Database& db = file.db();
        db.execute(
            QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat) VALUES ('Bordeaux', 'Pauillac', '0')"));
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat) VALUES ('Porto', 'Vintage', '3')"));
        red = addLot(db, 1, "Grand Vin", 2005, 10);
        other = addLot(db, 2, "Quinta", 1997, 2);
        six = addLot(db, 1, "Six", 2010, 6);
    }

    static qint64 addLot(Database& db, int type, const char* name, int vintage, int stock)
    {
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock) VALUES (?, ?, ?, ?)"),
                   {QString::fromUtf8(name), type, vintage, stock});
        return db.lastInsertId();
    }

    void place(qint64 wine, int rack, int x, int y)
    {
        file.db().execute(QStringLiteral("INSERT INTO RAYONNAGE (Relation, Casier, [Coordonnees X], [Coordonnees Y]) "
                                         "VALUES (?, ?, ?, ?)"),
                          {wine, rack, x, y});
    }

    int positions(const QString& where = QStringLiteral("1"), const QVariantList& values = {})
    {
        return file.db().scalar(QStringLiteral("SELECT count(*) FROM RAYONNAGE WHERE ") + where, values).toInt();
    }
};

} // namespace

class TestRackDialogs : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void findingAWine()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        cellar.place(cellar.red, 3, 2, 2);
        cellar.place(cellar.other, 3, 5, 1);
        {
            RackDialog dialog(nullptr, cellar.red, QStringLiteral("Visualisation"), 0);
            QCOMPARE(dialog.shownRack(), 3);
            QCOMPARE(dialog.rackList()->currentText(), QStringLiteral("3"));
            QCOMPARE(dialog.grid().state(2, 2), int(RackGrid::Marked));
            QCOMPARE(dialog.grid().state(5, 1), int(RackGrid::Pink)); // a Porto ("3") is pink
            QVERIFY(dialog.notFoundLabel()->isHidden());
            QVERIFY(dialog.saveButton()->isHidden());
            QCOMPARE(dialog.legendText()->text(), QStringLiteral("Vin rechercher"));
            dialog.cellClicked({3, 3}); // nothing changes in this mode
            QCOMPARE(dialog.grid().state(3, 3), 0);
        }
        {
            RackDialog dialog(nullptr, cellar.six, QStringLiteral("Visualisation"), 0);
            QCOMPARE(dialog.shownRack(), 1);
            QVERIFY(!dialog.notFoundLabel()->isHidden());
            QVERIFY(dialog.notFoundLabel()->isBlinkTimerRunning());
        }
        {
            RackDialog browse(nullptr, 0, QString(), 0);
            QCOMPARE(browse.windowTitle(), QStringLiteral("Rangement de la cave en VISUALISATION"));
            QVERIFY(browse.saveButton()->isHidden());
            QVERIFY(browse.legendText()->text().isEmpty());
        }
        QVERIFY(prompt.messages().isEmpty());
    }

    void placingNewBottles()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        cellar.place(cellar.other, 1, 1, 1);
        RackDialog dialog(nullptr, cellar.red, QStringLiteral("Création"), 16);
        QCOMPARE(dialog.countLabel()->text(), QStringLiteral("Nb de bouteilles à ajouter : 16"));
        QCOMPARE(dialog.legendText()->text(), QStringLiteral("A ajouter"));
        QVERIFY(!dialog.notFoundLabel()->isHidden());
        QCOMPARE(dialog.columnList()->currentText(), QStringLiteral("14"));
        dialog.cellClicked({1, 1}); // a bottle stays as it is
        QCOMPARE(dialog.grid().state(1, 1), int(RackGrid::Pink));
        dialog.cellClicked({2, 1});
        QCOMPARE(dialog.countLabel()->text(), QStringLiteral("Nb de bouteilles à ajouter : 15"));
        dialog.cellClicked({2, 1}); // twice: empty again
        QCOMPARE(dialog.grid().state(2, 1), 0);
        QCOMPARE(dialog.countLabel()->text(), QStringLiteral("Nb de bouteilles à ajouter : 16"));
        dialog.cellClicked({3, 4});
        dialog.fillColumn({14, 1}); // 14 cells of column 14
        QCOMPARE(dialog.grid().cellsInState(RackGrid::Marked).size(), size_t(15));
        QCOMPARE(dialog.countLabel()->text(), QStringLiteral("Nb de bouteilles à ajouter : 1"));

        // Through the widget: a real click on cell (5, 5).
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint centre = dialog.grid().cellRect(5, 5).center();
        QTest::mouseClick(dialog.gridWidget(), Qt::LeftButton, {}, centre);
        QCOMPARE(dialog.grid().state(5, 5), int(RackGrid::Marked));
        // Hover: over the white of the occupied cell, then over its disc, then over a green mark.
        const QRect occupied = dialog.grid().cellRect(1, 1);
        QCOMPARE(dialog.gridWidget()->tipAt(occupied.topLeft() + QPoint(1, 1)), QStringLiteral("1 1"));
        QCOMPARE(dialog.gridWidget()->tipAt(occupied.center()), QStringLiteral("Quinta - Porto - Vintage - 1997"));
        QCOMPARE(dialog.gridWidget()->tipAt(centre), QString());

        QCOMPARE(dialog.countLabel()->text(), QStringLiteral("Nb de bouteilles à ajouter : 0"));
        // Every bottle has its cell: no further cell can be marked, by a click or a fill.
        dialog.cellClicked({6, 6});
        QCOMPARE(dialog.grid().state(6, 6), 0);
        dialog.fillRow({1, 10});
        QCOMPARE(dialog.grid().cellsInState(RackGrid::Marked).size(), size_t(16));
        dialog.save();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ?"), {cellar.red}), 16);
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ? AND [Coordonnees X] = 5 AND [Coordonnees Y] = 5"),
                                  {cellar.red}),
                 1);
        QCOMPARE(Profile::getString(QStringLiteral("Config"), QStringLiteral("Casier1")), QStringLiteral("14-14"));
        QVERIFY(prompt.messages().isEmpty());
    }

    void takingBottlesOutDeletesTheOneShown()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        // Two rows name cell (2, 2): the grid shows the last; that is the one to go.
        cellar.place(cellar.other, 1, 2, 2);
        cellar.place(cellar.red, 1, 2, 2);
        cellar.place(cellar.red, 1, 3, 3);
        RackDialog dialog(nullptr, cellar.red, QStringLiteral("Sortie"), 1);
        QCOMPARE(dialog.countLabel()->text(), QStringLiteral("Nb de bouteilles à sortir : 1"));
        QVERIFY(dialog.notFoundLabel()->isHidden()); // the wine is in this rack
        QCOMPARE(dialog.grid().state(2, 2), int(RackGrid::Red));
        dialog.cellClicked({2, 2});
        QCOMPARE(dialog.countLabel()->text(), QStringLiteral("Nb de bouteilles à sortir : 0"));
        dialog.cellClicked({3, 3}); // one bottle to take out: no second mark
        QCOMPARE(dialog.grid().state(3, 3), int(RackGrid::Red));
        dialog.cellClicked({2, 2}); // a second click takes the mark back
        QCOMPARE(dialog.grid().state(2, 2), int(RackGrid::Red));
        dialog.cellClicked({2, 2});
        QCOMPARE(dialog.grid().state(2, 2), int(RackGrid::Marked));
        dialog.cellClicked({4, 4}); // an empty cell stays empty
        QCOMPARE(dialog.grid().state(4, 4), 0);
        dialog.save();
        QCOMPARE(cellar.positions(), 2);
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ?"), {cellar.other}), 1);
        QCOMPARE(cellar.positions(QStringLiteral("[Coordonnees X] = 3"), {}), 1);
    }

    void nothingIsPlacedForAWineThatIsGone()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        RackDialog dialog(nullptr, 9999, QStringLiteral("Création"), 1);
        dialog.cellClicked({1, 1});
        prompt.queue(A::Ok);
        dialog.save();
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Erreur"));
        QCOMPARE(cellar.positions(), 0);
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    void otherRackWithItsGeometry()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Casier2"), QStringLiteral("10-06"));
        cellar.place(cellar.red, 2, 10, 6);
        RackDialog dialog(nullptr, cellar.red, QStringLiteral("Création"), 1);
        QVERIFY(!dialog.notFoundLabel()->isHidden()); // none of its bottles in rack 1
        dialog.rackList()->setCurrentIndex(1);
        QVERIFY(dialog.notFoundLabel()->isHidden()); // one in rack 2
        QCOMPARE(dialog.grid().columns(), 10);
        QCOMPARE(dialog.grid().rows(), 6);
        QCOMPARE(dialog.rowList()->currentText(), QStringLiteral("06"));
        QCOMPARE(dialog.grid().state(10, 6), int(RackGrid::Red));
        // Changing the geometry with the lists redraws, without clearing; Annuler writes nothing.
        dialog.columnList()->setCurrentText(QStringLiteral("05"));
        QCOMPARE(dialog.grid().columns(), 5);
        QCOMPARE(dialog.grid().state(10, 6), int(RackGrid::Red));
        dialog.reject();
        QCOMPARE(Profile::getString(QStringLiteral("Config"), QStringLiteral("Casier2")), QStringLiteral("10-06"));
    }

    void manualUpdateCounters()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        cellar.place(cellar.six, 1, 1, 1);
        cellar.place(cellar.six, 1, 2, 1);
        cellar.place(cellar.six, 1, 3, 1);
        cellar.place(cellar.six, 2, 1, 1);
        cellar.place(cellar.red, 1, 1, 2);
        RackManualUpdateDialog dialog;
        QCOMPARE(dialog.wineList()->model()->rowCount(), 3);

        prompt.queue(A::Ok);
        dialog.cellClicked({5, 5});
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous devez pour mettre à jour\nsélectionner un vin dans la liste"));

        dialog.wineChosen(2); // "Six": 6 in stock, 4 placed, 3 of them here
        QCOMPARE(dialog.grid().cellsInState(RackGrid::Hatched).size(), size_t(3));
        QCOMPARE(dialog.placedLabel()->text(), QStringLiteral("Nbr de vin rangés : 4"));
        QCOMPARE(dialog.stockLabel()->text(), QStringLiteral("Nbr de vin en stock : 6"));
        QCOMPARE(dialog.toPlaceLabel()->text(), QStringLiteral("Nbr de vin à ranger : 2"));

        dialog.cellClicked({5, 5});
        dialog.cellClicked({6, 5});
        prompt.queue(A::Ok);
        dialog.cellClicked({7, 5});
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Vous avez ranger toutes les bouteilles de ce vin !"));
        QCOMPARE(dialog.grid().state(7, 5), 0);
        dialog.cellClicked({6, 5}); // a green cell again: the bottle is to place again
        QCOMPARE(dialog.toPlace(), 1);

        // Taking one of its bottles out, then changing one's mind.
        dialog.cellClicked({1, 1});
        QCOMPARE(dialog.grid().state(1, 1), int(RackGrid::Selected));
        QCOMPARE(dialog.placed(), 3);
        QCOMPARE(dialog.toPlace(), 2);
        dialog.cellClicked({1, 1});
        QCOMPARE(dialog.grid().state(1, 1), int(RackGrid::Hatched));
        QCOMPARE(dialog.placed(), 4);
        QCOMPARE(dialog.toPlace(), 1);
        // Another wine's bottle taken out does not move this wine's counters.
        dialog.cellClicked({1, 2});
        QCOMPARE(dialog.placed(), 4);
        QCOMPARE(dialog.toPlace(), 1);

        QVERIFY(dialog.save());
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ?"), {cellar.red}), 0);
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ? AND Casier = 1"), {cellar.six}), 4);
        QCOMPARE(dialog.grid().state(5, 5), int(RackGrid::Hatched)); // reloaded from the cellar
    }

    void manualFillAndRackChange()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        RackManualUpdateDialog dialog;
        dialog.wineChosen(1); // "Quinta": 2 in stock, none placed
        prompt.queue(A::Ok);
        dialog.fillRow({1, 4});
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Vous avez ranger toutes les bouteilles de ce vin !"));
        QCOMPARE(dialog.grid().cellsInState(RackGrid::Marked), (std::vector<Cell>{{1, 4}, {2, 4}}));

        // Cancel keeps the rack, its marks and its number.
        prompt.queue(A::Cancel);
        dialog.rackList()->setCurrentIndex(4);
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Si vous changez de Casier sans enregistrer vous perdrez vos modifs\nEnregistrer ?"));
        QCOMPARE(dialog.rackList()->currentText(), QStringLiteral("1"));
        QCOMPARE(dialog.grid().cellsInState(RackGrid::Marked).size(), size_t(2));
        // Yes saves them, then shows rack 5.
        prompt.queue(A::Yes);
        dialog.rackList()->setCurrentIndex(4);
        QCOMPARE(dialog.shownRack(), 5);
        QCOMPARE(cellar.positions(QStringLiteral("Casier = 1 AND Relation = ?"), {cellar.other}), 2);
        // An unsaved geometry is not kept.
        dialog.columnList()->setCurrentText(QStringLiteral("08"));
        QCOMPARE(dialog.grid().columns(), 8);
        QVERIFY(!Profile::contains(QStringLiteral("Config"), QStringLiteral("Casier5")));
        dialog.saveRackSize();
        QCOMPARE(Profile::getString(QStringLiteral("Config"), QStringLiteral("Casier5")), QStringLiteral("08-14"));
    }

    // However the marks are set and undone, the positions saved for a wine never exceed its stock and the
    // counters tell what is saved.
    void manualUpdateNeverPlacesMoreThanTheStock()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        for (int x = 1; x <= 6; ++x)
            cellar.place(cellar.six, 1, x, 1);
        RackManualUpdateDialog dialog;
        dialog.wineChosen(2); // "Six": 6 in stock, 6 placed
        QCOMPARE(dialog.toPlace(), 0);
        dialog.cellClicked({1, 1}); // take one out...
        dialog.cellClicked({5, 5}); // ...its place goes to a new cell
        QCOMPARE(dialog.placed(), 5);
        QCOMPARE(dialog.toPlace(), 0);
        prompt.queue(A::Ok);
        dialog.cellClicked({1, 1}); // keeping the first one too would make 7
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Vous avez ranger toutes les bouteilles de ce vin !"));
        QCOMPARE(dialog.grid().state(1, 1), int(RackGrid::Selected));
        QCOMPARE(dialog.toPlace(), 0);
        QVERIFY(dialog.save());
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ?"), {cellar.six}), 6);
        QCOMPARE(dialog.placed(), 6);
        QCOMPARE(dialog.toPlace(), 0);

        // Undoing the new cell first, then the removal, is fine.
        dialog.cellClicked({2, 1});
        dialog.cellClicked({6, 6});
        dialog.cellClicked({6, 6});
        dialog.cellClicked({2, 1});
        QCOMPARE(dialog.grid().state(2, 1), int(RackGrid::Hatched));
        QVERIFY(dialog.save());
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ?"), {cellar.six}), 6);
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ? AND [Coordonnees X] = 2 AND [Coordonnees Y] = 1"),
                                  {cellar.six}),
                 1);
    }

    void manualUpdateSavesOnlyTheCellsShown()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        cellar.place(cellar.red, 1, 12, 3); // stored outside the geometry about to be chosen
        RackManualUpdateDialog dialog;
        dialog.wineChosen(0); // "Grand Vin": 10 in stock, 1 placed
        QCOMPARE(dialog.toPlace(), 9);
        dialog.cellClicked({13, 13});
        dialog.cellClicked({14, 14});
        dialog.cellClicked({2, 2});
        QCOMPARE(dialog.toPlace(), 6);
        dialog.columnList()->setCurrentText(QStringLiteral("10")); // hides columns 11 to 14
        QCOMPARE(dialog.grid().columns(), 10);
        QCOMPARE(dialog.toPlace(), 8); // the hidden marks are dropped
        QCOMPARE(dialog.placed(), 1);
        dialog.columnList()->setCurrentText(QStringLiteral("14"));
        QCOMPARE(dialog.grid().state(13, 13), int(RackGrid::Empty));
        dialog.columnList()->setCurrentText(QStringLiteral("10"));
        QVERIFY(dialog.save());
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ?"), {cellar.red}), 2);
        QCOMPARE(cellar.positions(QStringLiteral("[Coordonnees X] = 12 AND [Coordonnees Y] = 3")), 1);
        QCOMPARE(cellar.positions(QStringLiteral("[Coordonnees X] > 12")), 0);
    }

    void manualUpdateCountersAfterDiscardingARack()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        cellar.place(cellar.six, 2, 1, 1);
        RackManualUpdateDialog dialog;
        dialog.wineChosen(2); // 6 in stock, 1 placed (in rack 2)
        QCOMPARE(dialog.toPlace(), 5);
        dialog.cellClicked({3, 3});
        dialog.cellClicked({4, 3});
        QCOMPARE(dialog.toPlace(), 3);
        prompt.queue(A::No); // change without saving
        dialog.rackList()->setCurrentIndex(1);
        QCOMPARE(dialog.shownRack(), 2);
        QCOMPARE(dialog.toPlace(), 5);
        QCOMPARE(dialog.placed(), 1);
        QCOMPARE(dialog.grid().state(1, 1), int(RackGrid::Hatched));
        QCOMPARE(cellar.positions(), 1);
        // And the dialog can still place exactly the five left.
        prompt.queue(A::Ok);
        dialog.fillRow({2, 5});
        QCOMPARE(dialog.toPlace(), 0);
        QVERIFY(dialog.save());
        QCOMPARE(cellar.positions(QStringLiteral("Relation = ?"), {cellar.six}), 6);
    }
};

QTEST_MAIN(TestRackDialogs)
#include "test_rackdialogs.moc"
