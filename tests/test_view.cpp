// The main view: tree shapes in both groupings, node selection, colour option, vintage table.
#include "calculator/ui/CalculatorPage.h"
#include "cellar/ui/BottleEntryPage.h"
#include "cellar/ui/WineListModel.h"
#include "cellar/ui/WineSheetPage.h"
#include "db/CellarEvents.h"
#include "journal/ui/JournalPage.h"
#include "platform/Profile.h"
#include "reference/ui/LibraryPage.h"
#include "statistics/ui/StatisticsPage.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "support/TreeSearch.h"
#include "view/ui/CellarView.h"
#include "vintages/VintageTable.h"
#include "vintages/ui/VintageRatingsPage.h"
#include "widgets/ui/ColorLabel.h"
#include "widgets/ui/Pictures.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

void addLot(Database& db, const QString& type, const QString& appellation, const QVariant& etat, const QString& nic,
            int vintage, const QString& name)
{
    db.execute(QStringLiteral("INSERT OR IGNORE INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES (?, ?, ?, ?)"),
               {type, appellation, etat, nic});
    const qint64 t =
        db.scalar(QStringLiteral("SELECT [Index] FROM TYPEVIN WHERE Type = ? AND Appellation = ?"), {type, appellation})
            .toLongLong();
    db.execute(
        QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock, [Nbr Achat], [Prix Achat], Cote) "
                       "VALUES (?, ?, ?, 1, 1, 10, 5)"),
        {name, t, vintage});
}

// The tree as text, every node expanded: one line per node, indented by depth.
QStringList shape(QTreeWidgetItem* item, int depth = 0)
{
    QStringList lines;
    item->setExpanded(true);
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* c = item->child(i);
        lines << QString(depth * 2, QLatin1Char(' ')) + c->text(0);
        lines << shape(c, depth + 1);
    }
    return lines;
}

} // namespace

class TestView : public QObject
{
    Q_OBJECT

    TempProfile m_profile;
    std::unique_ptr<TempCellar> m_cellar;
    std::unique_ptr<CellarView> m_view;

private Q_SLOTS:
    void init()
    {
        m_cellar = std::make_unique<TempCellar>();
        Database& db = m_cellar->db();
        addLot(db, "Bordeaux", "Pauillac", "0", "FR", 2005, "A");
        addLot(db, "Bordeaux", "Pauillac", "0", "FR", 2005, "B");
        addLot(db, "Loire", "Sancerre", "1", "FR", 2010, "C");
        addLot(db, "Genever", "Schiedam", "3", "NL", 2001, "D");
        addLot(db, "Mystère", "Inconnu", "9", "FR", 1999, "E"); // unknown colour: under the previous root
        addLot(db, "Tavel", "Tavel", "2", "FR", 2018, "F");
        m_cellar->closeSession();
        m_view = std::make_unique<CellarView>();
        m_view->attachSession(std::make_unique<CellarSession>(OpenCellarFile(m_cellar->path(), false)));
        m_view->fillTreeByType();
        m_view->radioType()->setChecked(true);
    }

    void cleanup()
    {
        m_view.reset();
        m_cellar.reset();
    }

    void typeTreeShape()
    {
        const QStringList expected = {"Contenu de la cave", "Rouge",  "  FR",        "    Bordeaux",  "      Pauillac",
                                      "        2005",       "Blanc",  "  FR",        "    Loire",     "      Sancerre",
                                      "        2010",       "Rose",   "  FR",        "    Tavel",     "      Tavel",
                                      "        2018",       "Autres", "  NL",        "    Genever",   "      Schiedam",
                                      "        2001",       "  FR",   "    Mystère", "      Inconnu", "        1999"};
        QCOMPARE(shape(m_view->tree()->invisibleRootItem()), expected);
        const QTreeWidgetItem* nl = findNode(m_view->tree(), {"Autres", "NL"});
        QCOMPARE(nl->icon(0).cacheKey(), Pictures::treeImage(9).cacheKey());
        const QTreeWidgetItem* fr = findNode(m_view->tree(), {"Rouge", "FR"});
        QCOMPARE(fr->icon(0).cacheKey(), Pictures::treeImage(10).cacheKey());
        QCOMPARE(findNode(m_view->tree(), {"Rose", "FR", "Tavel"})->icon(0).cacheKey(),
                 Pictures::treeImage(8).cacheKey());
    }

    void vintageTreeShapeAndRadios()
    {
        QTest::mouseClick(m_view->radioAnnee(), Qt::LeftButton);
        QVERIFY(m_view->anneeChecked());
        QVERIFY(findNode(m_view->tree(), {"Rouge", "FR", "2005", "Bordeaux", "Pauillac"}));
        QVERIFY(findNode(m_view->tree(), {"Autres", "FR", "1999", "Mystère", "Inconnu"}));
        m_view->page1()->refreshWineList(QStringLiteral("Rouge"), QStringLiteral("Bordeaux"), {}, {}, 7);
        QTest::mouseClick(m_view->radioType(), Qt::LeftButton);
        QVERIFY(!m_view->anneeChecked());
        QVERIFY(findNode(m_view->tree(), {"Rouge", "FR", "Bordeaux", "Pauillac", "2005"}));
        // Regrouping leaves the list alone until a node is chosen.
        QCOMPARE(m_view->page1()->model()->rowCount(), 2);
    }

    void selectingNodesFillsTheList()
    {
        auto select = [this](const QStringList& path) {
            QTreeWidgetItem* node = findNode(m_view->tree(), path);
            QVERIFY2(node, qPrintable(path.join('/')));
            m_view->tree()->setCurrentItem(node);
        };
        auto rows = [this] { return m_view->page1()->model()->rowCount(); };
        m_view->sheet()->setCurrentIndex(0);
        select({"Rouge", "FR", "Bordeaux", "Pauillac", "2005"}); // mode 2
        QCOMPARE(rows(), 2);
        select({"Rouge", "FR"}); // a country lists nothing
        QCOMPARE(rows(), 0);
        select({"Rouge", "FR", "Bordeaux"}); // mode 7
        QCOMPARE(rows(), 2);
        QCOMPARE(m_view->page1()->vinEdit()->text(), QStringLiteral("0"));
        select({"Blanc", "FR", "Loire", "Sancerre"}); // mode 1
        QCOMPARE(rows(), 1);
        select({"Contenu de la cave"});
        QCOMPARE(rows(), 0);

        QTest::mouseClick(m_view->radioAnnee(), Qt::LeftButton);
        select({"Rouge", "FR", "2005"}); // mode 3
        QCOMPARE(rows(), 2);
        select({"Blanc", "FR", "2010", "Loire"}); // mode 6
        QCOMPARE(rows(), 1);
        select({"Rose", "FR", "2018", "Tavel", "Tavel"}); // mode 5
        QCOMPARE(rows(), 1);
        QCOMPARE(m_view->page1()->model()->text(0, WineListModel::Nom), QStringLiteral("F"));
    }

    // A node lists exactly the lots counted under it: a type with a red and a white appellation, and a type
    // grown in two countries, are split by the colour and the country on the node's path.
    void nodesListOnlyTheirOwnLots()
    {
        m_view.reset();
        m_cellar = std::make_unique<TempCellar>();
        Database& db = m_cellar->db();
        addLot(db, "Bourgogne", "Pommard", "0", "FR", 2005, "Rouge 1");
        addLot(db, "Bourgogne", "Pommard", "0", "FR", 2006, "Rouge 2");
        addLot(db, "Bourgogne", "Meursault", "1", "FR", 2005, "Blanc 1");
        addLot(db, "Merlot", "Pays d'Oc", "0", "FR", 2005, "Merlot FR");
        addLot(db, "Merlot", "Toscana", "0", "IT", 2005, "Merlot IT");
        addLot(db, "Merlot", "Toscana", "0", "IT", 2006, "Merlot IT 2");
        m_cellar->closeSession();
        m_view = std::make_unique<CellarView>();
        m_view->attachSession(std::make_unique<CellarSession>(OpenCellarFile(m_cellar->path(), false)));
        m_view->radioType()->setChecked(true);
        m_view->fillTreeByType();
        m_view->sheet()->setCurrentIndex(0);
        auto names = [this](const QStringList& path) {
            QTreeWidgetItem* node = findNode(m_view->tree(), path);
            if (!node)
                return QStringList{QStringLiteral("no node ") + path.join('/')};
            m_view->tree()->setCurrentItem(node);
            QStringList list;
            for (int r = 0; r < m_view->page1()->model()->rowCount(); ++r)
                list << m_view->page1()->model()->text(r, WineListModel::Nom);
            list.sort();
            return list;
        };
        QCOMPARE(names({"Rouge", "FR", "Bourgogne"}), (QStringList{"Rouge 1", "Rouge 2"}));
        QCOMPARE(names({"Blanc", "FR", "Bourgogne"}), (QStringList{"Blanc 1"}));
        QCOMPARE(names({"Rouge", "FR", "Merlot"}), (QStringList{"Merlot FR"}));
        QCOMPARE(names({"Rouge", "IT", "Merlot"}), (QStringList{"Merlot IT", "Merlot IT 2"}));
        QCOMPARE(names({"Rouge", "IT", "Merlot", "Toscana", "2005"}), (QStringList{"Merlot IT"}));

        QTest::mouseClick(m_view->radioAnnee(), Qt::LeftButton);
        QCOMPARE(names({"Rouge", "FR", "2005"}), (QStringList{"Merlot FR", "Rouge 1"}));
        QCOMPARE(names({"Rouge", "FR", "2005", "Bourgogne"}), (QStringList{"Rouge 1"}));
        QCOMPARE(names({"Blanc", "FR", "2005", "Bourgogne"}), (QStringList{"Blanc 1"}));
        QCOMPARE(names({"Rouge", "IT", "2005", "Merlot"}), (QStringList{"Merlot IT"}));
        QCOMPARE(names({"Rouge", "FR", "2005", "Merlot", "Pays d'Oc"}), (QStringList{"Merlot FR"}));
    }

    // A change after nodes were expanded: the tree is read again in the grouping shown, collapsed, and the
    // new lots are under their nodes, which list them.
    void expandThenChange()
    {
        Database& db = m_view->session()->database();
        QVERIFY(findNode(m_view->tree(), {"Rouge", "FR", "Bordeaux", "Pauillac"}));
        addLot(db, "Bordeaux", "Pauillac", "0", "FR", 2015, "G");
        addLot(db, "Chianti", "Classico", "0", "IT", 2016, "H");
        CellarEvents::instance().notifyLotsChanged();
        QTreeWidgetItem* fr = findNode(m_view->tree(), {"Rouge", "FR"});
        QCOMPARE(fr->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
        QTreeWidgetItem* italy = findNode(m_view->tree(), {"Rouge"})->child(1);
        QCOMPARE(italy->text(0), QStringLiteral("IT"));
        QVERIFY(!italy->isExpanded());
        QCOMPARE(italy->childCount(), 0); // not read yet, but shown as expandable
        QCOMPARE(italy->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        m_view->sheet()->setCurrentIndex(0);
        m_view->tree()->setCurrentItem(findNode(m_view->tree(), {"Rouge", "FR", "Bordeaux", "Pauillac", "2015"}));
        QCOMPARE(m_view->page1()->model()->rowCount(), 1);
        QCOMPARE(m_view->page1()->model()->text(0, WineListModel::Nom), QStringLiteral("G"));
        m_view->tree()->setCurrentItem(findNode(m_view->tree(), {"Rouge", "IT", "Chianti", "Classico", "2016"}));
        QCOMPARE(m_view->page1()->model()->rowCount(), 1);

        // Grouped by vintage: a change keeps the grouping; lots gone take their nodes with them.
        QTest::mouseClick(m_view->radioAnnee(), Qt::LeftButton);
        QVERIFY(findNode(m_view->tree(), {"Rouge", "FR", "2005", "Bordeaux"}));
        db.execute(QStringLiteral("DELETE FROM CAVE WHERE Millesime = 2005"));
        CellarEvents::instance().notifyLotsChanged();
        QVERIFY(m_view->anneeChecked());
        QVERIFY(!findNode(m_view->tree(), {"Rouge", "FR", "2005"}));
        QVERIFY(findNode(m_view->tree(), {"Rouge", "FR", "2015", "Bordeaux", "Pauillac"}));
        // The lot under "Autres" that took its colour from the lot before it keeps it.
        QVERIFY(findNode(m_view->tree(), {"Autres", "FR", "1999", "Mystère", "Inconnu"}));
    }

    // The start builds only the page it shows: the others, and what they read, come when first shown or
    // asked for, and a restored cellar does not build them either.
    void pagesAreBuiltWhenFirstShown()
    {
        m_view.reset();
        CellarView view;
        QVERIFY(view.initialUpdate(m_cellar->path()));
        Database& db = view.session()->database();
        db.execute(QStringLiteral("INSERT INTO ANNEES VALUES ('Tonnelix', '2001')"));
        db.execute(QStringLiteral("INSERT INTO ANNEES VALUES ('BR', '17')"));
        view.resize(900, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto built = [&view] {
            return QStringList{view.findChildren<BottleEntryPage*>().isEmpty() ? "" : "entry",
                               view.findChildren<VintageRatingsPage*>().isEmpty() ? "" : "vintages",
                               view.findChildren<StatisticsPage*>().isEmpty() ? "" : "statistics",
                               view.findChildren<LibraryPage*>().isEmpty() ? "" : "library",
                               view.findChildren<JournalPage*>().isEmpty() ? "" : "journal",
                               view.findChildren<CalculatorPage*>().isEmpty() ? "" : "calculator"}
                .join(QLatin1Char(' '))
                .simplified();
        };
        QCOMPARE(built(), QString());
        QCOMPARE(view.sheet()->count(), 7);
        QCOMPARE(view.sheet()->tabText(3), QStringLiteral("Stat sur la Cave"));
        CellarEvents::instance().notifyCellarReplaced();
        QCOMPARE(built(), QString());
        view.sheet()->setCurrentIndex(3);
        QCOMPARE(built(), QStringLiteral("statistics"));
        QVERIFY(view.page4()->isVisible());
        // Shown while a lot is written elsewhere (an import from the menu, say): its figures follow.
        const QString total = view.page4()->totalText()->text();
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock, [Nbr Achat]) "
                                  "SELECT 'Arrivé', [Index], 2010, 7, 7 FROM TYPEVIN LIMIT 1"));
        CellarEvents::instance().notifyLotsChanged();
        QVERIFY(view.page4()->totalText()->text() != total);
        // Asked for by a command: built, filled from the cellar, then shown.
        BottleEntryPage* entry = view.page2();
        QCOMPARE(built(), QStringLiteral("entry statistics"));
        QVERIFY(entry->findChildren<QComboBox*>().first()->count() > 0);
        view.showPage(entry);
        QCOMPARE(view.sheet()->currentIndex(), 1);
        QVERIFY(entry->isVisible());
        // The vintage table was read when first used, after the start.
        QCOMPARE(VintageTable::entries().size(), size_t(1));
    }

    void colourOption()
    {
        Profile::writeInt(QStringLiteral("Config"), QStringLiteral("Couleur"), 3);
        m_view->applyTreeColour();
        QCOMPARE(m_view->tree()->palette().color(QPalette::Base), QColor(178, 244, 152));
        Profile::writeInt(QStringLiteral("Config"), QStringLiteral("Couleur"), 7);
        m_view->applyTreeColour();
        QCOMPARE(m_view->tree()->palette().color(QPalette::Base), QColor(178, 244, 152)); // unchanged
        Profile::writeInt(QStringLiteral("Config"), QStringLiteral("Couleur"), 1);
        m_view->applyTreeColour();
        QCOMPARE(m_view->tree()->palette().color(QPalette::Base), QColor(176, 240, 244));
        // A dark desktop theme gives light text: on these light backgrounds the tree's text stays black.
        QPalette dark = m_view->tree()->palette();
        dark.setColor(QPalette::Text, Qt::white);
        m_view->tree()->setPalette(dark);
        m_view->applyTreeColour();
        QCOMPARE(m_view->tree()->palette().color(QPalette::Text), QColor(Qt::black));
    }

    void vintageTableNineEntriesPerYear()
    {
        Database& db = m_view->session()->database();
        for (int year : {2001, 2002}) {
            db.execute(QStringLiteral("INSERT INTO ANNEES VALUES ('Tonnelix', ?)"), {QString::number(year)});
            for (int r = 0; r < 9; ++r)
                db.execute(QStringLiteral("INSERT INTO ANNEES VALUES (?, ?)"),
                           {VintageTable::regions().at(r), QString::number(year - 2000 + r)});
        }
        // A group cut short at the end of the table keeps what it has.
        db.execute(QStringLiteral("INSERT INTO ANNEES VALUES ('Tonnelix', '2003')"));
        db.execute(QStringLiteral("INSERT INTO ANNEES VALUES ('BR', '17')"));
        m_view->fillVintageTable();
        const auto& table = VintageTable::entries();
        QCOMPARE(table.size(), size_t(19));
        QCOMPARE(table[9].year, QStringLiteral("2002"));
        QCOMPARE(table[9].region, QStringLiteral("BR"));
        QCOMPARE(table[17].region, QStringLiteral("Alsace"));
        QCOMPARE(table[17].rating, QStringLiteral("10"));
        QCOMPARE(table[18].rating, QStringLiteral("17"));
    }

    void emptyCellarHasTheFiveRoots()
    {
        TempCellar empty;
        empty.closeSession();
        CellarView view;
        view.attachSession(std::make_unique<CellarSession>(OpenCellarFile(empty.path(), false)));
        view.fillTreeByType();
        QCOMPARE(shape(view.tree()->invisibleRootItem()),
                 (QStringList{"Contenu de la cave", "Rouge", "Blanc", "Rose", "Autres"}));
    }
};

QTEST_MAIN(TestView)
#include "test_view.moc"
