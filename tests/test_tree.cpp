// The cellar tree read level by level gives the tree the one pass over every lot gave: same nodes, same
// order, same colours for lots whose type has none, same merging of texts that show alike.
#include "db/engine/Statement.h"
#include "support/TempCellar.h"
#include "view/CellarTree.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

struct Built
{
    QString text;
    std::vector<Built> children;
    Built& child(const QString& t)
    {
        for (Built& c : children)
            if (c.text == t)
                return c;
        children.push_back({t, {}});
        return children.back();
    }
};

void lines(const std::vector<Built>& nodes, int depth, QStringList& out)
{
    for (const Built& n : nodes) {
        out << QString(depth * 2, QLatin1Char(' ')) + n.text;
        lines(n.children, depth + 1, out);
    }
}

// The tree as the one pass over the joined rows, in lot order, builds it.
QStringList everyLot(Database& db, bool byVintage)
{
    Built roots[4];
    int colour = 3;
    Statement rows(db, QStringLiteral("SELECT TYPEVIN.Etat, TYPEVIN.Nic, TYPEVIN.Type, TYPEVIN.Appellation, "
                                      "CAVE.Millesime FROM TYPEVIN INNER JOIN CAVE ON TYPEVIN.[Index] = CAVE.RelType "
                                      "ORDER BY CAVE.[Index]"));
    rows.bind({});
    while (rows.next()) {
        const QString etat = rows.value(0).toString();
        if (etat.size() == 1 && etat[0] >= QLatin1Char('0') && etat[0] <= QLatin1Char('3'))
            colour = etat[0].digitValue();
        Built& country = roots[colour].child(rows.value(1).toString());
        const QString vintage = QString::number(static_cast<qint16>(rows.value(4).toInt()));
        const QString type = rows.value(2).toString();
        const QString appellation = rows.value(3).toString();
        if (byVintage)
            country.child(vintage).child(type).child(appellation);
        else
            country.child(type).child(appellation).child(vintage);
    }
    QStringList out;
    for (const Built& root : roots) {
        out << QStringLiteral("*");
        lines(root.children, 1, out);
    }
    return out;
}

void expand(CellarTree& tree, const std::vector<CellarTree::Node>& nodes, int depth, QStringList& out)
{
    for (const CellarTree::Node& n : nodes) {
        out << QString(depth * 2, QLatin1Char(' ')) + n.text;
        expand(tree, tree.children(n.groups, depth), depth + 1, out);
    }
}

QStringList levelByLevel(Database& db, bool byVintage)
{
    CellarTree tree(db, byVintage);
    QStringList out;
    for (int colour = 0; colour < 4; ++colour) {
        out << QStringLiteral("*");
        expand(tree, tree.countries(colour), 1, out);
    }
    return out;
}

} // namespace

class TestTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyCellar()
    {
        TempCellar cellar;
        CellarTree tree(cellar.db(), false);
        for (int colour = 0; colour < 4; ++colour)
            QVERIFY(tree.countries(colour).empty());
        QVERIFY(tree.children({}, 1).empty());
    }

    // Random cellars with every oddity the files hold: types without a colour (first lots included),
    // countries and names missing or differing by case, vintages missing, not numbers or out of range
    // (70000 shows as 4464, like the vintage 4464), lots whose type is gone, lots deleted and added again.
    void sameTreeAsEveryLot_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }
    void sameTreeAsEveryLot()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        TempCellar cellar;
        Database& db = cellar.db();
        const QVariantList etats = {"0", "1", "2", "3", "9", "", QVariant(), "10"};
        const QVariantList nics = {"FR", "IT", "fr", "", QVariant(), "ES"};
        const QStringList typeNames = {"Bordeaux", "bordeaux", "Loire", "Rhône", ""};
        const QVariantList vintages = {2001, 2005, 0, QVariant(), 70000, 4464, "abc", -1, 2019};
        const int types = 12 + static_cast<int>(random.bounded(10));
        Transaction writing(db); // one commit (and one sync) for the whole cellar
        for (int t = 0; t < types; ++t)
            db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES (?, ?, ?, ?)"),
                       {typeNames[random.bounded(typeNames.size())], QStringLiteral("App %1").arg(t),
                        etats[random.bounded(etats.size())], nics[random.bounded(nics.size())]});
        for (int lot = 0; lot < 400; ++lot)
            db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock) VALUES (?, ?, ?, 1)"),
                       {QStringLiteral("Lot %1").arg(lot), 1 + random.bounded(types + 2),
                        vintages[random.bounded(vintages.size())]});
        db.execute(QStringLiteral("DELETE FROM CAVE WHERE [Index] % 7 = 3"));
        db.execute(
            QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock) VALUES ('Tard', 1, 1990, 1)"));
        writing.commit();
        for (bool byVintage : {false, true}) {
            const QStringList expected = everyLot(db, byVintage);
            QVERIFY(expected.size() > 20);
            QCOMPARE(levelByLevel(db, byVintage), expected);
        }
    }

    // What a node reads when it is expanded is the cellar at that moment: a lot added after the first
    // level was read shows under an existing node, and the first level reads it only when built again.
    void expandAfterAChange()
    {
        TempCellar cellar;
        Database& db = cellar.db();
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES ('Bordeaux', 'Pauillac', "
                                  "'0', 'FR')"));
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock) VALUES ('A', 1, 2005, 1)"));
        CellarTree tree(db, false);
        QCOMPARE(tree.countries(0).size(), size_t(1));
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock) VALUES ('B', 1, 2010, 1)"));
        const auto types = tree.children(tree.countries(0).front().groups, 1);
        const auto appellations = tree.children(types.front().groups, 2);
        const auto years = tree.children(appellations.front().groups, 3);
        QCOMPARE(years.size(), size_t(2));
        QCOMPARE(years[1].text, QStringLiteral("2010"));
        QVERIFY(tree.children(years[0].groups, 4).empty()); // a vintage is a leaf
    }
};

QTEST_GUILESS_MAIN(TestTree)
#include "test_tree.moc"
