// The library page, its attribute editor and the dishes: facts written and read back after reopening the
// cellar, dishes kept by their index, RelPlats of any length, deletions that leave no dangling reference.
#include "reference/Dishes.h"
#include "reference/Library.h"
#include "reference/ui/AddDishDialog.h"
#include "reference/ui/DishList.h"
#include "reference/ui/DishesForWineDialog.h"
#include "reference/ui/EditDishDialog.h"
#include "reference/ui/LibraryFactDialog.h"
#include "reference/ui/LibraryPage.h"
#include "reference/ui/WinesForDishDialog.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

namespace {

using A = Prompt::Answer;

qint64 addType(Database& db, const QString& type, const QString& appellation, const QString& relPlats = QString())
{
    db.execute(
        QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic, RelPlats) VALUES (?, ?, '0', 'FR', ?)"),
        {type, appellation, relPlats});
    return db.lastInsertId();
}

qint64 addDish(Database& db, const QString& name)
{
    db.execute(QStringLiteral("INSERT INTO PLATS (Plat) VALUES (?)"), {name});
    return db.lastInsertId();
}

QString relPlats(Database& db, const QString& type, const QString& appellation)
{
    return db
        .scalar(QStringLiteral("SELECT RelPlats FROM TYPEVIN WHERE Type = ? AND Appellation = ?"), {type, appellation})
        .toString();
}

QStringList names(const DishList* list)
{
    QStringList out;
    for (const Dishes::Dish& dish : list->dishes())
        out << dish.name;
    return out;
}

} // namespace

class TestLibrary : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void relPlatsDecoding()
    {
        using V = std::vector<qint64>;
        QCOMPARE(Dishes::decode(QStringLiteral("*3,*12,*7,")), (V{3, 12, 7}));
        QCOMPARE(Dishes::decode(QStringLiteral("*1,*11,*1,")), (V{1, 11, 1}));
        QCOMPARE(Dishes::decode(QStringLiteral(" ")), V{});
        QCOMPARE(Dishes::decode(QString()), V{});
        QCOMPARE(Dishes::decode(QStringLiteral(",,*3,*x,*4")), (V{3, 4}));
        QCOMPARE(Dishes::encode({3, 12, 7}), QStringLiteral("*3,*12,*7,"));
        QCOMPARE(Library::splitTemperature(QStringLiteral("12-14")).maximum, QStringLiteral("14"));
        QCOMPARE(Library::splitTemperature(QStringLiteral("16")).minimum, QString());
    }

    void everyFactIsWrittenAndReadBack()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, QStringLiteral("Bordeaux"), QStringLiteral("Pauillac"));
        addType(db, QStringLiteral("Bordeaux"), QStringLiteral("Margaux"));
        const qint64 lamb = addDish(db, QStringLiteral("Agneau rôti"));
        addDish(db, QStringLiteral("Bœuf \"bourguignon\"; sauce/vin"));
        LibraryPage page;
        page.fillControls();
        QCOMPARE(page.list()->model()->rowCount(), 2);
        // Before any selection: refused, nothing opens.
        prompt.queue(A::Ok);
        page.editFact(Library::Grapes);
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Vous devez selectionner un Type de vin"));
        QVERIFY(page.selectRow(QStringLiteral("Bordeaux"), QStringLiteral("Margaux")));
        QCOMPARE(page.areaEdit()->text(), QStringLiteral(" hectares"));

        const QList<QPair<int, QString>> texts = {{Library::Grapes, QStringLiteral("Cabernet-Sauvignon; Merlot")},
                                                  {Library::Soil, QStringLiteral("Graves d'\"Haut-Médoc\"")},
                                                  {Library::Character, QString(3000, QLatin1Char('x'))},
                                                  {Library::Vintages, QStringLiteral("1961, 1982/2005")},
                                                  {Library::Area, QStringLiteral("1 500")},
                                                  {Library::Keeping, QStringLiteral("10 à 20 ans")}};
        for (const auto& [attribute, value] : texts) {
            onNextModal([attribute, value](QWidget* modal) {
                auto* editor = qobject_cast<LibraryFactDialog*>(modal);
                QVERIFY(editor);
                QCOMPARE(editor->windowTitle(), LibraryFactDialog::titleOf(attribute));
                editor->newValue()->setText(value);
                editor->applyAndClose();
            });
            page.updateButton(attribute)->click();
        }
        // The serving temperature: bounds in order; equal bounds accepted.
        {
            LibraryFactDialog editor(nullptr, Library::Temperature, QStringLiteral("Bordeaux"),
                                     QStringLiteral("Margaux"));
            QVERIFY(editor.newValue()->isHidden());
            editor.minimumList()->setCurrentText(QStringLiteral("14"));
            editor.maximumList()->setCurrentText(QStringLiteral("12"));
            prompt.queue(A::Ok);
            editor.applyAndClose();
            QCOMPARE(prompt.messages().last().text,
                     QStringLiteral("la température maximum doit être supérieure à la mini!"));
            QCOMPARE(editor.result(), 0);
            editor.maximumList()->setCurrentText(QStringLiteral("14"));
            editor.applyAndClose();
            QCOMPARE(editor.result(), int(QDialog::Accepted));
        }
        // The dishes: added with "<<"; "<<" and ">>" with nothing selected do nothing.
        {
            LibraryFactDialog editor(nullptr, Library::Dishes, QStringLiteral("Bordeaux"), QStringLiteral("Margaux"));
            QCOMPARE(editor.referenceDishes()->count(), 2);
            editor.addDish();
            editor.removeDish();
            QCOMPARE(editor.wineDishes()->count(), 0);
            editor.referenceDishes()->selectRow(1);
            editor.addDish();
            editor.addDish(); // twice: once
            editor.referenceDishes()->selectRow(0);
            editor.addDish();
            QCOMPARE(names(editor.wineDishes()), (QStringList{"Agneau rôti", "Bœuf \"bourguignon\"; sauce/vin"}));
            editor.applyAndClose();
        }
        page.readFacts();
        QCOMPARE(page.dishesText()->toPlainText(), QStringLiteral("Agneau rôti; Bœuf \"bourguignon\"; sauce/vin; "));
        QCOMPARE(page.temperatureEdit()->text(), QStringLiteral("14-14"));
        // Written to the chosen row only, and read back from a reopened cellar.
        cellar.closeSession();
        CellarSession reopened(OpenCellarFile(cellar.path(), false));
        const Library::Facts facts =
            Library::facts(reopened, QStringLiteral("test"), QStringLiteral("Bordeaux"), QStringLiteral("Margaux"));
        for (const auto& [attribute, value] : texts)
            QCOMPARE(facts.value(attribute), value);
        QCOMPARE(facts.temperature, QStringLiteral("14-14"));
        QVERIFY(facts.relPlats.startsWith(QStringLiteral("*%1,").arg(lamb)));
        const Library::Facts other =
            Library::facts(reopened, QStringLiteral("test"), QStringLiteral("Bordeaux"), QStringLiteral("Pauillac"));
        QVERIFY(other.raisin.isEmpty() && other.relPlats.isEmpty());
        QVERIFY(prompt.pendingAnswers() == 0);
    }

    // A wine type with 200 suggested dishes: nothing cut, nothing lost, saved back unchanged.
    void longDishListsRoundTrip()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        std::vector<qint64> indexes;
        for (int i = 1; i <= 200; ++i)
            indexes.push_back(addDish(db, QStringLiteral("Plat %1").arg(i, 3, 10, QLatin1Char('0'))));
        const QString all = Dishes::encode(indexes);
        QVERIFY(all.size() > 800); // far past the 100 characters of the original field
        addType(db, QStringLiteral("Jura"), QStringLiteral("Arbois"), all);
        LibraryPage page;
        page.fillControls();
        QVERIFY(page.selectRow(QStringLiteral("Jura"), QStringLiteral("Arbois")));
        QCOMPARE(page.dishesText()->toPlainText().count(QStringLiteral("; ")), 200);
        LibraryFactDialog editor(nullptr, Library::Dishes, QStringLiteral("Jura"), QStringLiteral("Arbois"));
        QCOMPARE(editor.wineDishes()->count(), 200);
        editor.applyAndClose();
        QCOMPARE(relPlats(db, QStringLiteral("Jura"), QStringLiteral("Arbois")), all);
        // Removing every dish writes an empty text; the page then shows none.
        LibraryFactDialog empty(nullptr, Library::Dishes, QStringLiteral("Jura"), QStringLiteral("Arbois"));
        while (empty.wineDishes()->count() > 0) {
            empty.wineDishes()->selectRow(0);
            empty.removeDish();
        }
        empty.applyAndClose();
        QCOMPARE(relPlats(db, QStringLiteral("Jura"), QStringLiteral("Arbois")), QString());
        page.readFacts();
        QVERIFY(page.dishesText()->toPlainText().isEmpty());
    }

    // Dishes are named by their index: two dishes of one name, and renamed dishes, stay the one chosen.
    void dishesAreKeptByIndex()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 game1 = addDish(db, QStringLiteral("Gibier"));
        const qint64 game2 = addDish(db, QStringLiteral("Gibier"));
        QVector<qint64> filler;
        for (int i = 0; i < 8; ++i)
            filler << addDish(db, QStringLiteral("Plat %1").arg(i));
        const qint64 eleven = addDish(db, QStringLiteral("Onzième"));
        QCOMPARE(eleven, 11);
        addType(db, QStringLiteral("Rhône"), QStringLiteral("Cornas"), QStringLiteral("*2,*11,*2,"));
        addType(db, QStringLiteral("Rhône"), QStringLiteral("Hermitage"), QStringLiteral("*1,"));

        // The second "Gibier" is renamed; the first keeps its name.
        EditDishDialog rename;
        QCOMPARE(rename.dishList()->count(), 11);
        rename.dishList()->selectRow(1);
        QCOMPARE(rename.dishList()->selectedDish()->index, game2);
        rename.newEdit()->setText(QStringLiteral("Gibier à plume"));
        rename.applyAndClose();
        QCOMPARE(db.scalar(QStringLiteral("SELECT Plat FROM PLATS WHERE IndexPlats = ?"), {game1}).toString(),
                 QStringLiteral("Gibier"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT Plat FROM PLATS WHERE IndexPlats = ?"), {game2}).toString(),
                 QStringLiteral("Gibier à plume"));

        // The wines of a dish: 1 and 11 told apart; a row naming a dish twice is listed twice.
        WinesForDishDialog search;
        QVERIFY(search.dishList()->selectName(QStringLiteral("Gibier à plume")));
        QCOMPARE(search.wineModel()->rowCount(), 2);
        QCOMPARE(search.wineModel()->item(0, 1)->text(), QStringLiteral("Cornas"));
        QVERIFY(search.dishList()->selectName(QStringLiteral("Gibier")));
        QCOMPARE(search.wineModel()->rowCount(), 1);
        QCOMPARE(search.wineModel()->item(0, 1)->text(), QStringLiteral("Hermitage"));
        search.findWine(11);
        QCOMPARE(search.wineModel()->rowCount(), 1);

        // A dish that wine types suggest: the user is told how many; "Non" keeps everything.
        EditDishDialog remove;
        remove.dishList()->selectRow(1); // "Gibier à plume"
        prompt.queue(A::No);
        remove.deleteDish();
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("1 vin(s)")));
        QCOMPARE(prompt.messages().last().buttons, Prompt::Buttons::YesNoDefaultNo);
        QCOMPARE(relPlats(db, QStringLiteral("Rhône"), QStringLiteral("Cornas")), QStringLiteral("*2,*11,*2,"));
        prompt.queue(A::Yes);
        remove.deleteDish();
        QCOMPARE(relPlats(db, QStringLiteral("Rhône"), QStringLiteral("Cornas")), QStringLiteral("*11,"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM PLATS WHERE IndexPlats = ?"), {game2}).toInt(), 0);
        QCOMPARE(remove.dishList()->count(), 10);
        // Nothing selected: refused.
        remove.dishList()->clearSelection();
        prompt.queue(A::Ok);
        remove.deleteDish();
        QVERIFY(prompt.messages().last().text.startsWith(QStringLiteral("Vous n'avez pas selectionné de plat")));
        QVERIFY(prompt.pendingAnswers() == 0);
    }

    void addingAndShowingDishes()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const qint64 cheese = addDish(db, QStringLiteral("Fromages"));
        const int before = db.scalar(QStringLiteral("SELECT count(*) FROM PLATS")).toInt();
        {
            AddDishDialog add;
            QCOMPARE(add.windowTitle(), QStringLiteral("Rajout d'une réference de plat"));
            add.applyAndClose(); // no name: closes, writes nothing
            QCOMPARE(add.result(), int(QDialog::Accepted));
            QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM PLATS")).toInt(), before);
        }
        const QString hostile = QStringLiteral("Coq au vin d'Arbois; \"jaune\" / morilles");
        {
            AddDishDialog add;
            add.nameEdit()->setText(hostile);
            add.applyAndClose();
        }
        const qint64 coq =
            db.scalar(QStringLiteral("SELECT IndexPlats FROM PLATS WHERE Plat = ?"), {hostile}).toLongLong();
        QVERIFY(coq > 0);
        // The dishes of a wine, a deleted one left out.
        DishesForWineDialog shown(nullptr, Dishes::encode({coq, 999, cheese}));
        QCOMPARE(shown.windowTitle(), QStringLiteral("Plats / Vins"));
        QCOMPARE(names(shown.dishList()), (QStringList{hostile, QStringLiteral("Fromages")}));
        DishesForWineDialog none(nullptr, QString());
        QCOMPARE(none.dishList()->count(), 0);
        // Renaming needs a dish and a new name.
        EditDishDialog rename;
        prompt.queue(A::Ok);
        rename.applyAndClose();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous n'avez pas selectionné de plat\ndonc pas de modification"));
        QVERIFY(rename.dishList()->selectName(hostile));
        QCOMPARE(rename.oldEdit()->text(), hostile);
        prompt.queue(A::Ok);
        rename.applyAndClose();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Vous devez donner une nouvelle valeur à ce plat"));
    }
};

QTEST_MAIN(TestLibrary)
#include "test_library.moc"
