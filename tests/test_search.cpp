// The search, the vintage ratings, the statistics and the wines ready to drink, through their dialogs and
// pages, against figures computed here from the rows the test wrote.
#include "cellar/EntryRules.h"
#include "cellar/ui/WineListModel.h"
#include "platform/LocaleFormat.h"
#include "rack/ui/RackDialog.h"
#include "search/ui/SearchDialog.h"
#include "statistics/ui/ReadyToDrinkDialog.h"
#include "statistics/ui/StatisticsPage.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "vintages/VintageRatings.h"
#include "vintages/ui/VintageRatingsPage.h"
#include "vintages/ui/VintageYearDialog.h"
#include "widgets/ui/ColorLabel.h"

#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>
#include <cmath>

namespace {

using A = Prompt::Answer;

struct Lot
{
    QString name;
    qint64 type;
    int vintage;
    int stock;
    double bought;
    double price;
    QString cru;
    QString size;
    int cote;
    QString date;
};

qint64 addType(Database& db, const QString& type, const QString& appellation, const QString& etat,
               const QString& relPlats = QString())
{
    db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic, RelPlats) VALUES (?, ?, ?, 'FR', ?)"),
               {type, appellation, etat, relPlats});
    return db.lastInsertId();
}

qint64 addLot(Database& db, const Lot& lot)
{
    db.execute(
        QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock, [Nbr Achat], [Prix Achat], "
                       "Cru, Contenance, Cote, [Date Achat]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {lot.name, lot.type, lot.vintage, lot.stock, lot.bought, lot.price, lot.cru, lot.size, lot.cote, lot.date});
    return db.lastInsertId();
}

QStringList names(const WineListModel* model)
{
    QStringList list;
    for (int r = 0; r < model->rowCount(); ++r)
        list << model->text(r, WineListModel::Nom);
    list.sort();
    return list;
}

void choose(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
}

// A small cellar: reds, whites, a rosé and an "other", two crus, vintages 1990 to 2010.
struct Cellar
{
    TempCellar file;
    qint64 pauillac, margaux, sauternes, tavel, porto;
    qint64 dishGame = 0, dishOne = 0, dishEleven = 0;

    Cellar()
    {
        Database& db = file.db();
        db.execute(QStringLiteral("INSERT OR IGNORE INTO CRUS (Nom) VALUES ('Grand Cru'), ('Cru d''Exception')"));
        db.execute(QStringLiteral("DELETE FROM PLATS"));
        for (int i = 1; i <= 11; ++i)
            db.execute(QStringLiteral("INSERT INTO PLATS (IndexPlats, Plat) VALUES (?, ?)"),
                       {i, i == 1 ? QStringLiteral("Gibier") : QStringLiteral("Plat %1").arg(i)});
        db.execute(QStringLiteral("INSERT INTO PLATS (IndexPlats, Plat) VALUES (12, ?)"),
                   {QString(300, QChar(0x00E9))});
        pauillac = addType(db, QStringLiteral("Bordeaux"), QStringLiteral("Pauillac"), QStringLiteral("0"),
                           QStringLiteral("*1,*12,"));
        margaux = addType(db, QStringLiteral("Bordeaux"), QStringLiteral("Margaux d'Or"), QStringLiteral("0"),
                          QStringLiteral("*11,"));
        sauternes = addType(db, QStringLiteral("Bordeaux"), QStringLiteral("Sauternes"), QStringLiteral("1"));
        tavel = addType(db, QStringLiteral("Rhône"), QStringLiteral("Tavel"), QStringLiteral("2"));
        porto = addType(db, QStringLiteral("Porto"), QStringLiteral("Vintage"), QStringLiteral("3"));
        const QList<Lot> lots = {
            {"Rouge 1990", pauillac, 1990, 4, 6, 60, "Grand Cru", "0,75 L", 10, "01/02/2001"},
            {"Rouge 2000", pauillac, 2000, 12, 12, 150, "Cru d'Exception", "1,5 L (Magnum)", 5, "15/06/2005"},
            {"Rouge 1995", margaux, 1995, 0, 6, 90, "Grand Cru", "0,75 L", 99, "01/01/2001"},
            {"Blanc 2005", sauternes, 2005, 3, 6, 120, "Grand Cru", "0,75 L", 21, "10/10/2006"},
            {"Rosé 2010", tavel, 2010, 5, 6, 30, "", "0,75 L", 0, "01/07/2011"},
            {"Autre 2000", porto, 2000, 2, 3, 45, "", "0,75 L", 26, "01/07/2011"},
            {"Sans achat", porto, 1989, 1, 0, 0, "", "0,75 L", 99, ""},
        };
        for (const Lot& lot : lots)
            addLot(db, lot);
    }
};

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void criteriaAloneAndCombined()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        SearchDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Recherche d'un vin"));
        QCOMPARE(dialog.sizeList()->count(), 21); // a blank and 20 sizes, no clavelin
        QCOMPARE(dialog.sizeList()->findText(QStringLiteral("0,62 CL (le clavelin)")), -1);
        // Every criterion empty: every wine.
        dialog.search();
        QCOMPARE(dialog.model()->rowCount(), 7);
        QVERIFY(dialog.emptyText()->isHidden());
        // Each criterion alone.
        choose(dialog.typeList(), QStringLiteral("Bordeaux"));
        dialog.search();
        QCOMPARE(names(dialog.model()), (QStringList{"Blanc 2005", "Rouge 1990", "Rouge 1995", "Rouge 2000"}));
        choose(dialog.appellationList(), QStringLiteral("Margaux d'Or")); // an apostrophe
        dialog.search();
        QCOMPARE(names(dialog.model()), (QStringList{"Rouge 1995"}));
        dialog.clearCriteria();
        QCOMPARE(dialog.model()->rowCount(), 0);
        choose(dialog.cruList(), QStringLiteral("Cru d'Exception"));
        dialog.search();
        QCOMPARE(names(dialog.model()), (QStringList{"Rouge 2000"}));
        dialog.clearCriteria();
        choose(dialog.sizeList(), QStringLiteral("1,5 L (Magnum)"));
        dialog.search();
        QCOMPARE(names(dialog.model()), (QStringList{"Rouge 2000"}));
        // Combined: type and cru.
        dialog.clearCriteria();
        choose(dialog.typeList(), QStringLiteral("Bordeaux"));
        choose(dialog.cruList(), QStringLiteral("Grand Cru"));
        dialog.search();
        QCOMPARE(names(dialog.model()), (QStringList{"Blanc 2005", "Rouge 1990", "Rouge 1995"}));
        // Nothing found: said under the list.
        choose(dialog.sizeList(), QStringLiteral("150 L"));
        dialog.search();
        QCOMPARE(dialog.model()->rowCount(), 0);
        QVERIFY(!dialog.emptyText()->isHidden());
        QCOMPARE(dialog.emptyText()->text(), QStringLiteral("Aucun vin ne répondant aux critéres"));
        // A lot with no bottle bought has an empty unit price.
        dialog.clearCriteria();
        choose(dialog.typeList(), QStringLiteral("Porto"));
        dialog.search();
        for (int r = 0; r < dialog.model()->rowCount(); ++r) {
            if (dialog.model()->text(r, WineListModel::Nom) == QLatin1String("Sans achat"))
                QCOMPARE(dialog.model()->text(r, WineListModel::PrixUnite), QString());
        }
        QVERIFY(prompt.messages().isEmpty());
    }

    void vintageBoundsAreInclusive()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        SearchDialog dialog;
        choose(dialog.fromList(), QStringLiteral("1990"));
        choose(dialog.toList(), QStringLiteral("2000"));
        dialog.search();
        QCOMPARE(names(dialog.model()), (QStringList{"Autre 2000", "Rouge 1990", "Rouge 1995", "Rouge 2000"}));
        dialog.clearCriteria();
        choose(dialog.fromList(), QStringLiteral("2005"));
        dialog.search();
        QCOMPARE(names(dialog.model()), (QStringList{"Blanc 2005", "Rosé 2010"}));
        dialog.clearCriteria();
        choose(dialog.toList(), QStringLiteral("1990"));
        dialog.search();
        QCOMPARE(names(dialog.model()), (QStringList{"Rouge 1990", "Sans achat"}));
    }

    void searchByDish()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        SearchDialog dialog;
        choose(dialog.dishList(), QStringLiteral("Gibier")); // dish 1: not dish 11
        dialog.search();
        QCOMPARE(names(dialog.model()), (QStringList{"Rouge 1990", "Rouge 2000"}));
        // A dish name far past the original's 154 characters is listed whole and found.
        choose(dialog.dishList(), QString(300, QChar(0x00E9)));
        dialog.search();
        QCOMPARE(dialog.model()->rowCount(), 2);
        // A dish and another criterion: refused, no search.
        choose(dialog.cruList(), QStringLiteral("Grand Cru"));
        dialog.model()->clear();
        prompt.queue(A::Ok);
        dialog.search();
        QCOMPARE(
            prompt.messages().last().text,
            QStringLiteral("Pour lancer une recherche sur un plat\nvous devez mettre à blanc les autres critères !"));
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Attention !"));
        QCOMPARE(dialog.model()->rowCount(), 0);
        // The reset keeps the dish: the next search is by dish.
        dialog.clearCriteria();
        QCOMPARE(dialog.dishList()->currentIndex() > 0, true);
        dialog.search();
        QCOMPARE(dialog.model()->rowCount(), 2);
    }

    void doubleClickOpensTheRackOnTheWine()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        const qint64 lot = cellar.file.db()
                               .scalar(QStringLiteral("SELECT [Index] FROM CAVE WHERE [Nom vin] = "
                                                      "'Rouge 2000'"))
                               .toLongLong();
        cellar.file.db().execute(QStringLiteral("INSERT INTO RAYONNAGE (Relation, Casier, [Coordonnees X], "
                                                "[Coordonnees Y]) VALUES (?, 1, 3, 2)"),
                                 {lot});
        SearchDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        choose(dialog.cruList(), QStringLiteral("Cru d'Exception"));
        dialog.search();
        QCOMPARE(dialog.lotAt(0), lot);
        bool opened = false;
        onNextModal([&](QWidget* modal) {
            auto* rack = qobject_cast<RackDialog*>(modal);
            QVERIFY(rack);
            opened = true;
            QCOMPARE(rack->grid().state(3, 2) != 0, true);
            rack->reject();
        });
        const QPoint cell = dialog.resultList()->visualRect(dialog.resultList()->model()->index(0, 0)).center();
        QTest::mouseClick(dialog.resultList()->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(dialog.resultList()->viewport(), Qt::LeftButton, {}, cell);
        QVERIFY(opened);
    }

    void vintageRatingsAddModifyAndEntryPage()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        // 2003 and 2004 are rated; the current year is 2006.
        QStringList ratings = {"12", "13", "14", "15", "16", "17", "18", "19", "20"};
        QVERIFY(VintageRatings::addYears(cellar.session(), {"2003", "2004"}, "2004", ratings));
        VintageTable::load(cellar.session());
        VintageRatingsPage page(nullptr, 2006);
        page.fillTable();
        QCOMPARE(page.list()->rowCount(), 2);
        QCOMPARE(page.list()->item(1, 1)->text(), QStringLiteral("12"));
        QCOMPARE(page.list()->item(0, 1)->text(), QString()); // 2003 listed before the chosen one: empty
        QVERIFY(!page.addButton()->isHidden());
        {
            VintageYearDialog add(nullptr, 0, 2006);
            QCOMPARE(add.windowTitle(), QStringLiteral("Ajout d'une année"));
            QStringList offered;
            for (int i = 0; i < add.yearList()->count(); ++i)
                offered << add.yearList()->itemText(i);
            // Only years without a group are offered: 1915 to 2002, then 2005 and 2006.
            QCOMPARE(offered.first(), QStringLiteral("1915"));
            QCOMPARE(offered.size(), 2002 - 1915 + 1 + 2);
            QVERIFY(!offered.contains(QStringLiteral("2003")) && !offered.contains(QStringLiteral("2004")));
            QCOMPARE(offered.mid(offered.size() - 2), (QStringList{"2005", "2006"}));
            QCOMPARE(add.yearList()->currentText(), QStringLiteral("2006"));
            // Choose 2005: only its group is written, after 2004.
            add.yearList()->setCurrentText(QStringLiteral("2005"));
            add.regionList(0)->setCurrentText(QStringLiteral("21")); // no such rating
            prompt.queue(A::Ok);
            const int rows = db.scalar(QStringLiteral("SELECT count(*) FROM ANNEES")).toInt();
            add.applyAndClose();
            QVERIFY(prompt.messages().last().text.contains(QStringLiteral("n'est pas une note de 0 à 20")));
            QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM ANNEES")).toInt(), rows);
            add.regionList(0)->setCurrentText(QStringLiteral("17"));
            prompt.queue(A::Ok);
            add.applyAndClose();
            QCOMPARE(prompt.messages().last().text, QStringLiteral("Votre enregistrement a été effectué !"));
            QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM ANNEES")).toInt(), rows + 10);
        }
        auto ratingsOf = [&cellar](const QString& year) {
            for (const auto& y : VintageRatings::load(cellar.session(), QStringLiteral("t"))) {
                if (y.year == year)
                    return y.ratings;
            }
            return QStringList{QStringLiteral("absent")};
        };
        auto yearsInOrder = [&cellar] {
            QStringList years;
            for (const auto& y : VintageRatings::load(cellar.session(), QStringLiteral("t")))
                years << y.year;
            return years;
        };
        QCOMPARE(ratingsOf("2005").first(), QStringLiteral("17"));
        QCOMPARE(ratingsOf("2006").first(), QStringLiteral("absent"));
        QCOMPARE(ratingsOf("2004").first(), QStringLiteral("12"));
        QCOMPARE(yearsInOrder(), (QStringList{"2003", "2004", "2005"}));
        {
            // An earlier year goes before the first group, with empty groups for the years up to it.
            VintageYearDialog add(nullptr, 0, 2006);
            add.yearList()->setCurrentText(QStringLiteral("2000"));
            add.regionList(8)->setCurrentText(QStringLiteral("11"));
            prompt.queue(A::Ok);
            add.applyAndClose();
        }
        QCOMPARE(yearsInOrder(), (QStringList{"2000", "2001", "2002", "2003", "2004", "2005"}));
        QCOMPARE(ratingsOf("2000").last(), QStringLiteral("11"));
        QCOMPARE(ratingsOf("2001"), QStringList(9, QString()));
        QCOMPARE(ratingsOf("2003"), QStringList(9, QString()));
        QCOMPARE(ratingsOf("2004").last(), QStringLiteral("20"));
        // A year already there is refused by the core, nothing written.
        const int rows = db.scalar(QStringLiteral("SELECT count(*) FROM ANNEES")).toInt();
        QVERIFY(!VintageRatings::addYear(cellar.session(), 2004, ratings));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM ANNEES")).toInt(), rows);
        {
            VintageYearDialog add(nullptr, 0, 2006);
            QCOMPARE(add.yearList()->currentText(), QStringLiteral("2006"));
            prompt.queue(A::Ok);
            add.applyAndClose(); // 2006, the current year, after 2005
        }
        // Modify 2004: "12" shows as "12", not "1"; the entry page reads the new rating.
        {
            VintageYearDialog modify(nullptr, 1, 2006);
            modify.yearList()->setCurrentText(QStringLiteral("2004"));
            QCOMPARE(modify.regionList(0)->currentText(), QStringLiteral("12"));
            modify.regionList(0)->setCurrentText(QStringLiteral("9"));
            prompt.queue(A::Ok);
            modify.applyAndClose();
        }
        QCOMPARE(ratingsOf("2004").first(), QStringLiteral("9"));
        QCOMPARE(ratingsOf("2004").last(), QStringLiteral("20"));
        QCOMPARE(
            EntryRules::ratingText(QStringLiteral("Bordeaux Rouge"), QStringLiteral("2004"), VintageTable::entries()),
            QStringLiteral("La côte de l'année de ce vin est de : 9"));
        page.fillTable();
        QVERIFY(page.addButton()->isHidden()); // 2006, the current year, is rated
    }

    // Ratings that start later than 1915 (the demo cellar's start in 1990), and a cellar where an older release
    // wrote years twice: no year is ever written a second time, nothing is removed, each year shows once.
    void vintageYearsAreNeverWrittenTwice()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        QStringList years;
        for (int y = 1990; y <= 2025; ++y)
            years << QString::number(y);
        const QStringList ratings(9, QStringLiteral("15"));
        QVERIFY(VintageRatings::addYears(cellar.session(), years, QStringLiteral("2025"), ratings));
        VintageTable::load(cellar.session());
        {
            VintageYearDialog add(nullptr, 0, 2026);
            QStringList offered;
            for (int i = 0; i < add.yearList()->count(); ++i)
                offered << add.yearList()->itemText(i);
            QCOMPARE(offered.size(), 1989 - 1915 + 1 + 1);
            QCOMPARE(offered.last(), QStringLiteral("2026"));
            QVERIFY(!offered.contains(QStringLiteral("1990")));
            add.yearList()->setCurrentText(QStringLiteral("1985"));
            prompt.queue(A::Ok);
            add.applyAndClose();
        }
        QStringList shown;
        for (const auto& y : VintageRatings::load(cellar.session(), QStringLiteral("t")))
            shown << y.year;
        QCOMPARE(shown.size(), 2025 - 1985 + 1);
        QCOMPARE(shown.first(), QStringLiteral("1985"));
        QCOMPARE(shown.last(), QStringLiteral("2025"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM ANNEES")).toInt(), 10 * (2025 - 1985 + 1));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(DISTINCT Cote) FROM ANNEES WHERE Type = 'Tonnelix'")).toInt(),
                 2025 - 1985 + 1);
        // The years are still in increasing order in the table itself.
        QCOMPARE(db.scalar(QStringLiteral("SELECT group_concat(Cote, ',') FROM (SELECT Cote FROM ANNEES WHERE Type = "
                                          "'Tonnelix' ORDER BY rowid)"))
                     .toString(),
                 shown.join(QLatin1Char(',')));

        // An older release appended 1990 a second time: its rows stay, the page and dialogs show 1990 once,
        // with its first group's ratings, and nothing offers to write it again.
        QVERIFY(VintageRatings::addYears(cellar.session(), {QStringLiteral("1990")}, QStringLiteral("1990"),
                                         QStringList(9, QStringLiteral("3"))));
        VintageTable::load(cellar.session());
        const int rows = db.scalar(QStringLiteral("SELECT count(*) FROM ANNEES")).toInt();
        VintageRatingsPage page(nullptr, 2026);
        page.fillTable();
        QCOMPARE(page.list()->rowCount(), 2025 - 1985 + 1);
        {
            VintageYearDialog modify(nullptr, 1, 2026);
            QCOMPARE(modify.yearList()->count(), 2025 - 1985 + 1);
            modify.yearList()->setCurrentText(QStringLiteral("1990"));
            QCOMPARE(modify.regionList(0)->currentText(), QString()); // the first group's, not the copy's "3"
            VintageYearDialog add(nullptr, 0, 2026);
            for (int i = 0; i < add.yearList()->count(); ++i)
                QVERIFY(add.yearList()->itemText(i).toInt() < 1985 || add.yearList()->itemText(i) == "2026");
            add.yearList()->setCurrentText(QStringLiteral("2026"));
            prompt.queue(A::Ok);
            add.applyAndClose();
        }
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM ANNEES")).toInt(), rows + 10);
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT count(*) FROM ANNEES WHERE Type = 'Tonnelix' AND Cote = '1990'")).toInt(),
            2);
    }

    void statisticsAgainstIndependentTotals()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        Database& db = cellar.file.db();
        StatisticsPage page;
        page.fillControls();
        page.fillFigures(1, QString(), QString());
        // Totals computed here, row by row.
        struct Sum
        {
            qint64 bought = 0, remaining = 0;
            double invested = 0;
        };
        auto expected = [&db](const QString& where) {
            Sum sums[3];
            qint64 total = 0;
            Recordset rs = db.openQuery(QStringLiteral("SELECT TYPEVIN.Etat, CAVE.[Nbr Achat], CAVE.Stock, "
                                                       "CAVE.[Prix Achat] FROM TYPEVIN JOIN CAVE ON TYPEVIN.[Index] = "
                                                       "CAVE.RelType ") +
                                        where);
            if (rs.recordCount() > 0) {
                for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
                    const int etat = rs.value(0).toInt();
                    Sum& s = sums[etat >= 2 ? 2 : etat];
                    s.bought += static_cast<qint64>(rs.value(1).toDouble());
                    s.remaining += rs.value(2).toLongLong();
                    s.invested += rs.value(3).toDouble();
                    total += rs.value(2).toLongLong();
                }
            }
            return std::make_pair(std::vector<Sum>(sums, sums + 3), total);
        };
        auto check = [&page](const std::vector<Sum>& sums, int group) {
            QCOMPARE(page.boughtEdit(group)->text(), QString::number(sums[group].bought));
            QCOMPARE(page.remainingEdit(group)->text(), QString::number(sums[group].remaining));
            QCOMPARE(page.investedEdit(group)->text(), LocaleFormat::euros(sums[group].invested));
        };
        auto [all, total] = expected(QString());
        for (int g = 0; g < 3; ++g)
            check(all, g);
        QCOMPARE(page.totalText()->text(), QString::number(total) + QStringLiteral(" bouteilles dans la cave"));
        // The scales of both charts go by round steps: 1, 2 or 5 times a power of ten (or 2.5, as Qt rounds).
        for (QChart* chart : {page.stockChart(), page.spendingChart()}) {
            for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) {
                auto* values = qobject_cast<QValueAxis*>(axis);
                QVERIFY(values && values->tickCount() > 1);
                const double step = (values->max() - values->min()) / (values->tickCount() - 1);
                const double power = std::pow(10.0, std::floor(std::log10(step)));
                const double mantissa = step / power;
                QVERIFY2(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                             std::abs(mantissa - 2.5) < 1e-9 || std::abs(mantissa - 5) < 1e-9,
                         qPrintable(QString::number(step)));
            }
        }
        QCOMPARE(page.averageText(0)->text(),
                 QStringLiteral("Soit ") + LocaleFormat::fixed(300.0 / 24.0, 2) + QStringLiteral(" par bouteille"));
        // One year.
        page.periodList()->setCurrentText(QStringLiteral("Pour l'année 2000"));
        page.periodChanged();
        auto [year2000, total2000] = expected(QStringLiteral("WHERE CAVE.Millesime = 2000"));
        for (int g = 0; g < 3; ++g)
            check(year2000, g);
        QCOMPARE(page.totalText()->text(), QString::number(total2000) + QStringLiteral(" bouteilles dans la cave"));
        QCOMPARE(page.boughtEdit(1)->text(), QStringLiteral("0"));
        QCOMPARE(page.averageText(1)->text(), QString()); // no bottle bought: no average
        // One cru, red, within the year chosen.
        page.cruList(0)->setCurrentText(QStringLiteral("Grand Cru"));
        page.cruChanged(0);
        auto [cruYear, unused] = expected(QStringLiteral("WHERE CAVE.Millesime = 2000 AND CAVE.Cru = 'Grand Cru'"));
        Q_UNUSED(unused);
        check(cruYear, 0);
        // A white cru ignores the year, as the page always did.
        page.cruList(1)->setCurrentText(QStringLiteral("Grand Cru"));
        page.cruChanged(1);
        auto [cruWhite, unused2] = expected(QStringLiteral("WHERE CAVE.Cru = 'Grand Cru'"));
        Q_UNUSED(unused2);
        check(cruWhite, 1);
        // The charts follow: bottles remaining per group, money spent per purchase year.
        QCOMPARE(page.stockChart()->series().size(), 1);
        QCOMPARE(page.spendingChart()->series().size(), 1);
        // Activating the page again: the whole cellar.
        page.showWholeCellar();
        check(all, 0);
        QCOMPARE(page.periodList()->currentIndex(), 0);
        QVERIFY(prompt.messages().isEmpty());
    }

    void readyToDrinkOnAFixedYear()
    {
        ScriptedPrompt prompt;
        Cellar cellar;
        // In 2026: 1990+10, 2000+5, 2005+21 (exactly at the end), 2010+0, 2000+26 (exactly); never 99.
        ReadyToDrinkDialog dialog(nullptr, 2026);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Liste de vos vins étant arrivés a la fin de leur garde"));
        QStringList listed;
        for (int r = 0; r < dialog.model()->rowCount(); ++r)
            listed << dialog.model()->wine(r).name;
        listed.sort();
        QCOMPARE(listed, (QStringList{"Autre 2000", "Blanc 2005", "Rosé 2010", "Rouge 1990", "Rouge 2000"}));
        ReadyToDrinkDialog earlier(nullptr, 2025);
        QStringList before;
        for (int r = 0; r < earlier.model()->rowCount(); ++r)
            before << earlier.model()->wine(r).name;
        QVERIFY(!before.contains(QStringLiteral("Blanc 2005")));
        QVERIFY(!before.contains(QStringLiteral("Autre 2000")));
        QVERIFY(before.contains(QStringLiteral("Rosé 2010")));
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"
