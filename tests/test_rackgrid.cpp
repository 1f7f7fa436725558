// The rack grid without a display: geometry, hit test, discs, fills; the stored geometry; the positions
// kept in RAYONNAGE.
#include "rack/RackGeometry.h"
#include "rack/RackGrid.h"
#include "rack/RackStore.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"

#include <QTest>

class TestRackGrid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exactMultipleKeepsTheLastColumnAndRow()
    {
        RackGrid grid;
        grid.setColumns(14);
        grid.setRows(9);
        grid.setFrame(QRect(10, 20, 300, 200)); // 300 = 20 x 15 exactly; 200 = 20 x 10
        QCOMPARE(grid.cellWidth(), 20);
        QCOMPARE(grid.cellHeight(), 20);
        QCOMPARE(grid.cellRect(14, 9), QRect(290, 200, 20, 20));
        QCOMPARE(grid.hitTest(QPoint(309, 219)), std::optional<RackGrid::Cell>({14, 9}));
        QVERIFY(!grid.hitTest(QPoint(310, 100))); // just right of the last column
        QVERIFY(!grid.hitTest(QPoint(100, 220))); // just below the last row
        QVERIFY(!grid.hitTest(QPoint(25, 50)));   // the letters' column
        QVERIFY(!grid.hitTest(QPoint(50, 30)));   // the numbers' row
        QVERIFY(!grid.hitTest(QPoint(5, 50)));    // left of the frame
        QCOMPARE(grid.hitTest(QPoint(30, 40)), std::optional<RackGrid::Cell>({1, 1}));
    }

    void leftoverStripNamesNoCell()
    {
        RackGrid grid;
        grid.setColumns(10);
        grid.setRows(6);
        grid.setFrame(QRect(0, 0, 117, 75)); // cells of 10 x 10, strips of 7 and 5 pixels
        QCOMPARE(grid.cellWidth(), 10);
        QCOMPARE(grid.cellHeight(), 10);
        QCOMPARE(grid.hitTest(QPoint(109, 69)), std::optional<RackGrid::Cell>({10, 6}));
        QVERIFY(!grid.hitTest(QPoint(112, 30)));
        QVERIFY(!grid.hitTest(QPoint(30, 72)));
    }

    void fullSizeRackHeadersAndDiscs()
    {
        RackGrid grid;
        grid.setColumns(25);
        grid.setRows(25);
        grid.setFrame(QRect(0, 0, 520, 520));
        QCOMPARE(RackGrid::headerText(0, 1), QStringLiteral("A"));
        QCOMPARE(RackGrid::headerText(0, 25), QStringLiteral("Y"));
        QCOMPARE(RackGrid::headerText(25, 0), QStringLiteral("25"));
        QCOMPARE(RackGrid::headerText(0, 0), QString());
        const QRect last = grid.cellRect(25, 25);
        QCOMPARE(grid.hitTest(last.center()), std::optional<RackGrid::Cell>({25, 25}));
        // White of a cell, then its disc once it holds a bottle.
        QVERIFY(!grid.isOverDisc(last.center()));
        grid.setState(25, 25, RackGrid::Red);
        QVERIFY(grid.isOverDisc(last.center()));
        QVERIFY(!grid.isOverDisc(last.topLeft() + QPoint(1, 1)));
        QCOMPARE(grid.discRect(25, 25), last.adjusted(2, 2, -2, -2));
    }

    void coloursOfTheBottles()
    {
        QCOMPARE(RackGrid::stateForColour(Colour::Red), 1);
        QCOMPARE(RackGrid::stateForColour(Colour::White), 2);
        QCOMPARE(RackGrid::stateForColour(Colour::Rose), 3);
        QCOMPARE(RackGrid::stateForColour(Colour::Other), 3); // other wines drawn like rosé
    }

    void fillsStopAtBottlesAndTheGrid()
    {
        RackGrid grid;
        grid.setColumns(10);
        grid.setRows(6);
        grid.setState(4, 2, RackGrid::Red);
        QCOMPARE(grid.fillColumn({4, 1}).size(), size_t(5)); // rows 1..6 but the bottle's
        QCOMPARE(grid.state(4, 7), 0);
        QCOMPARE(grid.state(4, 2), int(RackGrid::Red));
        QVERIFY(grid.fillColumn({4, 2}).empty()); // a bottle's cell fills nothing
        QCOMPARE(grid.fillRow({1, 3}, 3).size(), size_t(3));
        QCOMPARE(grid.cellsInState(RackGrid::Marked).size(), size_t(8));
    }

    void storedGeometry()
    {
        TempProfile profile;
        QCOMPARE(RackGeometry::load(7).text(), QStringLiteral("14-14"));
        RackGeometry::save(7, {14, 9});
        QCOMPARE(RackGeometry::load(7).columns, 14);
        QCOMPARE(RackGeometry::load(7).rows, 9);
        QCOMPARE(RackGeometry::parse(QStringLiteral("25-02")).text(), QStringLiteral("25-02"));
        QCOMPARE(RackGeometry::parse(QStringLiteral("30-01")).text(), QStringLiteral("14-14"));
        QCOMPARE(RackGeometry::parse(QStringLiteral("ab")).text(), QStringLiteral("14-14"));
        QCOMPARE(RackGeometry::countItems().size(), 24);
    }

    // Positions: found, described and loaded by rack; a set of changes is written whole or not at all.
    void positionsInTheRacks()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        CellarSession& session = cellar.session();
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES ('Bordeaux', "
                                  "'Pauillac', '0', 'FR'), ('Alsace', 'Riesling', '1', 'FR')"));
        db.execute(QStringLiteral("INSERT INTO CAVE ([Index], [Nom vin], RelType, Millesime, Stock) VALUES "
                                  "(1, 'Lavergne', 1, 2005, 3), (2, 'Schlossberg', 2, 2001, 1)"));
        QCOMPARE(RackStore::findRack(session, 1), 1); // no bottle placed yet
        QCOMPARE(RackStore::apply(session, QStringLiteral("t"), 3, {{2, 4, 1, 0}, {3, 4, 1, 0}, {5, 1, 2, 0}}),
                 RackStore::Outcome::Written);
        QCOMPARE(RackStore::findRack(session, 2), 3);
        QVERIFY(RackStore::wineExists(session, 2));
        QVERIFY(!RackStore::wineExists(session, 9));
        QCOMPARE(RackStore::describeCell(session, QStringLiteral("t"), 3, 5, 1),
                 QStringLiteral("Schlossberg - Alsace - Riesling - 2001"));
        QCOMPARE(RackStore::describeCell(session, QStringLiteral("t"), 3, 1, 1), QString());

        RackGrid grid;
        RackStore::CellOwners owners{};
        bool found = false;
        QVERIFY(RackStore::loadRack(session, QStringLiteral("t"), 3, 1, grid, owners, &found));
        QVERIFY(found);
        QCOMPARE(owners[2][4].wine, 1);
        QCOMPARE(owners[5][1].wine, 2);
        QCOMPARE(owners[1][1].wine, 0);
        const RackStore::Placed placed = RackStore::placedBottles(session, QStringLiteral("t"), 1, 3);
        QCOMPARE(placed.total, 2);
        QCOMPARE(placed.inRack.size(), size_t(2));

        // A removal of a row that is not there undoes the bottle placed before it in the same set.
        const int before = db.scalar(QStringLiteral("SELECT count(*) FROM RAYONNAGE")).toInt();
        QCOMPARE(RackStore::apply(session, QStringLiteral("t"), 3, {{7, 7, 1, 0}, {2, 4, 0, 999999}}),
                 RackStore::Outcome::RemoveFailed);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM RAYONNAGE")).toInt(), before);
        // The very row of the cell goes.
        QCOMPARE(RackStore::apply(session, QStringLiteral("t"), 3, {{2, 4, 0, owners[2][4].rowid}}),
                 RackStore::Outcome::Written);
        QCOMPARE(RackStore::placedBottles(session, QStringLiteral("t"), 1, 3).total, 1);
        QVERIFY(prompt.messages().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRackGrid)
#include "test_rackgrid.moc"
