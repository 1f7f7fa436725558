// The reference lists through their dialogs: wine types and appellations, crus, renaming, estates; what
// the entry page and the tree show afterwards; refusals that leave the cellar as it was.
#include "cellar/ui/BottleEntryPage.h"
#include "reference/Dishes.h"
#include "reference/ReferenceEvents.h"
#include "reference/ReferenceLists.h"
#include "reference/ui/AddCruOrAppellationDialog.h"
#include "reference/ui/EstatesDialog.h"
#include "reference/ui/NameList.h"
#include "reference/ui/RenameCruOrAppellationDialog.h"
#include "reference/ui/WineTypeDialog.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompt.h"
#include "support/TableDump.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "support/TreeSearch.h"
#include "view/ui/CellarView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

using A = Prompt::Answer;

QString dumpAll(Database& db)
{
    return dumpTables(db, {"TYPEVIN", "CRUS", "DOMAINES", "CAVE"});
}

void addType(Database& db, const QString& type, const QString& appellation, int etat, const QString& nic)
{
    db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES (?, ?, ?, ?)"),
               {type, appellation, etat, nic});
}

int count(Database& db, const QString& sql, const QVariantList& values = {})
{
    return db.scalar(sql, values).toInt();
}

// Fills the creation dialog.
void fillCreation(WineTypeDialog& dialog, const QString& name, const QString& appellation, const QString& colour,
                  const QString& country)
{
    dialog.nameEdit()->setText(name);
    dialog.appellationEdit()->setText(appellation);
    dialog.colourList()->setCurrentIndex(dialog.colourList()->findText(colour));
    dialog.countryList()->setCurrentIndex(dialog.countryList()->findText(country));
}

const QString kFrance = QStringLiteral("FR - FRANCE");

// Clicks a name of a list with the mouse, as a user does (the view's own press and release).
void clickName(NameList* list, const QString& name)
{
    const int row = static_cast<int>(list->names().indexOf(name));
    QVERIFY2(row >= 0, qPrintable(name));
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QCOMPARE(list->selectedName(), name);
}

void showAndWait(QWidget& dialog)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

} // namespace

class TestReference : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    // The lists are told of a change by the write that made it, once it is committed: not after a refusal
    // or a failure; a deletion of a row gone already tells them too, since they showed it.
    void changeNoticesComeFromTheWrite()
    {
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Complete);
        CellarSession& session = cellar.session();
        using W = ReferenceLists::Write;
        QSignalSpy crus(&ReferenceEvents::instance(), &ReferenceEvents::crusChanged);
        QSignalSpy types(&ReferenceEvents::instance(), &ReferenceEvents::wineTypesChanged);
        QSignalSpy estates(&ReferenceEvents::instance(), &ReferenceEvents::estatesChanged);
        QSignalSpy dishes(&ReferenceEvents::instance(), &ReferenceEvents::dishesChanged);
        QCOMPARE(ReferenceLists::addCru(session, QStringLiteral("Clos Neuf")), W::Done);
        QCOMPARE(ReferenceLists::addCru(session, QStringLiteral("clos neuf")), W::Duplicate);
        QCOMPARE(crus.count(), 1);
        QCOMPARE(ReferenceLists::createWineType(session, QStringLiteral("Jura"), QStringLiteral("Arbois"),
                                                QStringLiteral("FR"), Colour::White),
                 W::Done);
        QCOMPARE(ReferenceLists::modifyWineType(session, QStringLiteral("Absent"), QString(), QStringLiteral("X"),
                                                QStringLiteral("FR"), Colour::Red),
                 W::NotFound);
        QCOMPARE(types.count(), 1);
        QCOMPARE(ReferenceLists::addEstate(session, QStringLiteral("Jura"), QStringLiteral("Domaine")), W::Done);
        QCOMPARE(ReferenceLists::deleteEstate(session, QStringLiteral("Jura"), QStringLiteral("Domaine")), W::Done);
        QCOMPARE(ReferenceLists::deleteEstate(session, QStringLiteral("Jura"), QStringLiteral("Domaine")), W::NotFound);
        QCOMPARE(estates.count(), 3);
        const qint64 dish = Dishes::add(session, QStringLiteral("Comté"));
        QVERIFY(dish != 0);
        QCOMPARE(Dishes::rename(session, dish + 100, QStringLiteral("Autre")), W::NotFound);
        QCOMPARE(Dishes::remove(session, dish), W::Done);
        QCOMPARE(dishes.count(), 2);
        // A write the engine refuses tells nothing.
        cellar.db().execute(QStringLiteral("PRAGMA query_only = 1"));
        QCOMPARE(ReferenceLists::addCru(session, QStringLiteral("Refusé")), W::Failed);
        QCOMPARE(crus.count(), 1);
        cellar.db().execute(QStringLiteral("PRAGMA query_only = 0"));
    }

    void createAWineTypeAndSeeItEverywhere()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        cellar.closeSession();
        CellarView view;
        view.attachSession(std::make_unique<CellarSession>(OpenCellarFile(cellar.path(), false)));
        view.fillTreeByType();
        view.page2()->fillControls();
        Database& db = view.session()->database();
        // A new cellar has no wine type: the entry page says how to begin and opens the dialog.
        QVERIFY(view.page2()->firstWinePanel()->isVisibleTo(view.page2()));
        onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<WineTypeDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Création d'un Vin"));
            dialog->reject();
        });
        view.page2()->createWineButton()->click();

        WineTypeDialog dialog(nullptr, 1);
        QVERIFY(dialog.appellationList()->isHidden());
        fillCreation(dialog, QStringLiteral("Côtes du Rhône"), QStringLiteral("Gigondas"), QStringLiteral("Rouge"),
                     kFrance);
        prompt.queue(A::Ok);
        prompt.queue(A::Ok);
        dialog.applyAndClose();
        QCOMPARE(prompt.messages().at(0).text,
                 QStringLiteral("Merci de confirmer cette Création !\n\nVin\t\t: Côtes du Rhône\nAppellation\t: "
                                "Gigondas\nPays\t\t: FR\nCouleur\t\t: Rouge\n"));
        QCOMPARE(prompt.messages().at(0).caption, QStringLiteral("Attention"));
        QCOMPARE(prompt.messages().at(1).text, QStringLiteral("Votre enregistrement a été effectué !"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT Type || '|' || Appellation || '|' || Etat || '|' || Nic FROM TYPEVIN"))
                .toString(),
            QStringLiteral("Côtes du Rhône|Gigondas|0|FR"));
        // Without a restart: the entry page's lists and the tree.
        QVERIFY(!view.page2()->firstWinePanel()->isVisibleTo(view.page2()));
        QCOMPARE(view.page2()->typeList()->findText(QStringLiteral("Côtes du Rhône")), 0);
        // A lot of the type shows in the tree; renaming the type and changing its colour moves it there at once.
        db.execute(
            QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock) VALUES ('Lot', 1, 2015, 6)"));
        view.RefreshTree();
        QVERIFY(findNode(view.tree(), {"Rouge", "FR", "Côtes du Rhône"}));
        {
            WineTypeDialog modify(nullptr, 2);
            QVERIFY(modify.typeList()->selectName(QStringLiteral("Côtes du Rhône")));
            QCOMPARE(modify.countryList()->currentText(), kFrance);
            modify.appellationList()->setCurrentIndex(0); // _TOUTES
            modify.nameEdit()->setText(QStringLiteral("Rhône méridional"));
            modify.colourList()->setCurrentText(QStringLiteral("Rosé"));
            prompt.queue(A::Ok);
            prompt.queue(A::Ok);
            modify.applyAndClose();
        }
        QVERIFY(!findNode(view.tree(), {"Rouge", "FR", "Côtes du Rhône"}));
        QVERIFY(findNode(view.tree(), {"Rose", "FR", "Rhône méridional", "Gigondas", "2015"}));
        QCOMPARE(view.page2()->typeList()->findText(QStringLiteral("Rhône méridional")), 0);
        {
            WineTypeDialog back(nullptr, 2);
            QVERIFY(back.typeList()->selectName(QStringLiteral("Rhône méridional")));
            back.appellationList()->setCurrentIndex(0); // _TOUTES
            back.nameEdit()->setText(QStringLiteral("Côtes du Rhône"));
            back.colourList()->setCurrentText(QStringLiteral("Rouge"));
            prompt.queue(A::Ok);
            prompt.queue(A::Ok);
            back.applyAndClose();
        }

        // A second appellation, then its colour shows in the modification dialog.
        AddCruOrAppellationDialog second(2);
        QCOMPARE(second.windowTitle(), QStringLiteral("Ajout d'une Appellation"));
        QCOMPARE(second.typeList()->currentText(), QStringLiteral("Côtes du Rhône"));
        QCOMPARE(second.appellationList()->currentText(), QStringLiteral("Gigondas"));
        QVERIFY(!second.cruList()->isEnabled());
        second.nameEdit()->setText(QStringLiteral("Vacqueyras"));
        prompt.queue(A::Ok);
        second.applyAndClose();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Votre enregistrement a été effectué !"));
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM TYPEVIN WHERE Type = 'Côtes du Rhône'")), 2);
        view.page2()->typeList()->setCurrentIndex(0);
        view.page2()->wineTypeChanged();
        QVERIFY(view.page2()->appellationList()->findText(QStringLiteral("Vacqueyras")) >= 0);
        // The same appellation again, in another case: refused, nothing written.
        const QString before = dumpAll(db);
        AddCruOrAppellationDialog again(2);
        again.nameEdit()->setText(QStringLiteral("VACQUEYRAS"));
        prompt.queue(A::Ok);
        again.applyAndClose();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Déja présent dans les CRUS"));
        QCOMPARE(dumpAll(db), before);
        QVERIFY(prompt.pendingAnswers() == 0);
    }

    void creationRefusalsChangeNothing()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, QStringLiteral("Bordeaux"), QStringLiteral("Pauillac"), 0, QStringLiteral("FR"));
        const QString before = dumpAll(db);
        struct Case
        {
            QString name, appellation, colour, country, message;
        };
        const QList<Case> cases = {
            {"bordeaux", "Margaux", "Rouge", kFrance, "Le vin existe déja"},
            {"", "Margaux", "Rouge", kFrance, "Vous devez donner un nom au nouveau vin"},
            {" ", "Margaux", "Rouge", kFrance, "Vous devez donner un nom au nouveau vin"},
            {"  \t", "Margaux", "Rouge", kFrance, "Vous devez donner un nom au nouveau vin"},
            {"Loire", "  ", "Blanc", kFrance, "Vous devez donner un nom à la première appellation de ce vin"},
            {"Loire", "Sancerre", "", kFrance, "Vous devez donner une couleur à ce vin"},
            {"Loire", "Sancerre", "Blanc", "", "Vous devez donner un Pays d'origine à ce vin"},
        };
        for (const Case& c : cases) {
            WineTypeDialog dialog(nullptr, 1);
            fillCreation(dialog, c.name, c.appellation, c.colour, c.country);
            prompt.queue(A::Ok);
            dialog.applyAndClose();
            QCOMPARE(prompt.messages().last().text, c.message);
            QCOMPARE(prompt.messages().last().caption, QStringLiteral("Erreur"));
            QCOMPARE(dialog.result(), 0); // still open
        }
        // Cancelling the confirmation writes nothing either.
        WineTypeDialog dialog(nullptr, 1);
        fillCreation(dialog, QStringLiteral("Loire"), QStringLiteral("Sancerre"), QStringLiteral("Blanc"), kFrance);
        prompt.queue(A::Cancel);
        dialog.applyAndClose();
        QCOMPARE(dumpAll(db), before);
    }

    // Names with quotes, semicolons, slashes, accents and 2,000 characters are kept to the letter.
    void hostileNamesRoundTrip()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const QStringList names = {QStringLiteral("Côte d'Or"), QStringLiteral("Clos \"Le Pin\""),
                                   QStringLiteral("a; DROP TABLE CAVE; --/b"), QString(2000, QChar(0x00E9))};
        for (const QString& name : names) {
            WineTypeDialog dialog(nullptr, 1);
            fillCreation(dialog, name, name + QStringLiteral(" AOC"), QStringLiteral("Autres"), kFrance);
            prompt.queue(A::Ok);
            prompt.queue(A::Ok);
            dialog.applyAndClose();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            AddCruOrAppellationDialog cru(1);
            cru.nameEdit()->setText(name);
            prompt.queue(A::Ok);
            cru.applyAndClose();
            QCOMPARE(cru.result(), int(QDialog::Accepted));
        }
        QCOMPARE(ReferenceLists::wineTypes(cellar.session(), QStringLiteral("test")).size(), names.size());
        for (const QString& name : names) {
            QCOMPARE(count(db,
                           QStringLiteral("SELECT count(*) FROM TYPEVIN WHERE Type = ? AND Appellation = ? "
                                          "AND Etat = '3'"),
                           {name, name + QStringLiteral(" AOC")}),
                     1);
            QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM CRUS WHERE Nom = ?"), {name}), 1);
        }
        QVERIFY(db.tableExists(QStringLiteral("CAVE")));
        // Re-selecting a type shows its colour, "Autres".
        WineTypeDialog modify(nullptr, 2);
        QVERIFY(modify.typeList()->selectName(names[1]));
        QCOMPARE(modify.colourList()->currentText(), QStringLiteral("Autres"));
        QCOMPARE(modify.countryList()->currentText(), kFrance);
        QCOMPARE(modify.nameEdit()->text(), names[1]);
        // Rename the cru with the quote, then the appellation with the apostrophe.
        RenameCruOrAppellationDialog cru(nullptr, QStringLiteral("1"));
        QVERIFY(cru.mainList()->selectName(names[1]));
        QCOMPARE(cru.currentEdit()->text(), names[1]);
        cru.newEdit()->setText(QStringLiteral("Clos 'Le Pin' / \"Pomerol\""));
        cru.applyAndClose();
        QCOMPARE(cru.result(), int(QDialog::Accepted));
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM CRUS WHERE Nom = ?"),
                       {QStringLiteral("Clos 'Le Pin' / \"Pomerol\"")}),
                 1);
        // The estate of the 2,000-character type.
        EstatesDialog estate(nullptr, 1);
        QVERIFY(estate.typeList()->selectName(names[3]));
        estate.nameEdit()->setText(names[0]);
        estate.applyAndClose();
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM DOMAINES WHERE Type = ? AND Domaine = ?"),
                       {names[3], names[0]}),
                 1);
        QVERIFY(prompt.pendingAnswers() == 0);
    }

    void modifyingAWineType()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, QStringLiteral("Bourgogne"), QStringLiteral("Pommard"), 0, QStringLiteral("FR"));
        addType(db, QStringLiteral("Bourgogne"), QStringLiteral("Meursault"), 1, QStringLiteral("FR"));
        addType(db, QStringLiteral("Beaujolais"), QStringLiteral("Pommard"), 0, QStringLiteral("FR"));
        db.execute(QStringLiteral("INSERT INTO DOMAINES (Type, Domaine) VALUES ('Bourgogne', 'Leroy')"));
        {
            // One appellation: only that row changes.
            WineTypeDialog dialog(nullptr, 2);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Modificattion d'un Vin"));
            QCOMPARE(dialog.okButton()->text(), QStringLiteral("Modifier"));
            QVERIFY(dialog.typeList()->selectName(QStringLiteral("Bourgogne")));
            QCOMPARE(dialog.appellationList()->itemText(0), QStringLiteral("_TOUTES"));
            QCOMPARE(dialog.colourList()->currentText(), QStringLiteral("Blanc")); // the row read last
            dialog.appellationList()->setCurrentText(QStringLiteral("Meursault"));
            dialog.nameEdit()->setText(QStringLiteral("Bourgogne blanc"));
            prompt.queue(A::Ok);
            prompt.queue(A::Ok);
            dialog.applyAndClose();
            QCOMPARE(prompt.messages().last().text, QStringLiteral("Votre Modificetion a été effectuée !"));
            QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM TYPEVIN WHERE Type = 'Bourgogne'")), 1);
            QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM DOMAINES WHERE Type = 'Bourgogne'")), 1);
        }
        {
            // Renaming into a type that already has the appellation: refused whole.
            const QString before = dumpAll(db);
            WineTypeDialog dialog(nullptr, 2);
            QVERIFY(dialog.typeList()->selectName(QStringLiteral("Bourgogne")));
            dialog.appellationList()->setCurrentIndex(0); // _TOUTES
            dialog.nameEdit()->setText(QStringLiteral("Beaujolais"));
            prompt.queue(A::Ok);
            prompt.queue(A::Yes); // merge the two types
            prompt.queue(A::Ok);
            dialog.applyAndClose();
            QCOMPARE(prompt.messages().last().text, QStringLiteral("Déja présent dans les CRUS"));
            QCOMPARE(dumpAll(db), before);
        }
        {
            // _TOUTES renames every row, sets colour and country, and the estates follow the type.
            WineTypeDialog dialog(nullptr, 2);
            QVERIFY(dialog.typeList()->selectName(QStringLiteral("Bourgogne")));
            // Nothing is chosen for the user: "Modifier" asks which appellation.
            QCOMPARE(dialog.appellationList()->currentIndex(), -1);
            prompt.queue(A::Ok);
            dialog.applyAndClose();
            QCOMPARE(prompt.messages().last().text,
                     QStringLiteral("Vous devez selectionner une(ou toutes) Appellation de ce vin"));
            dialog.appellationList()->setCurrentIndex(0); // _TOUTES
            dialog.nameEdit()->setText(QStringLiteral("Côte de Beaune"));
            dialog.colourList()->setCurrentText(QStringLiteral("Rosé"));
            prompt.queue(A::Ok);
            prompt.queue(A::Ok);
            dialog.applyAndClose();
            QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM TYPEVIN WHERE Type = 'Côte de Beaune' AND "
                                              "Etat = '2' AND Nic = 'FR'")),
                     1);
            QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM DOMAINES WHERE Type = 'Côte de Beaune'")), 1);
        }
    }

    // A click shows the item clicked, not the one before it, in every dialog with a list of names; a
    // rename onto another wine type's name asks before merging, with what moves.
    void clickingANameShowsThatName()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, QStringLiteral("Côtes du Rhône"), QStringLiteral("Gigondas"), 0, QStringLiteral("FR"));
        addType(db, QStringLiteral("Toscane"), QStringLiteral("Chianti"), 0, QStringLiteral("IT"));
        addType(db, QStringLiteral("Toscane"), QStringLiteral("Montalcino"), 0, QStringLiteral("IT"));
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType) VALUES ('A', 2), ('B', 2), ('C', 3)"));
        db.execute(QStringLiteral("INSERT INTO DOMAINES (Type, Domaine) VALUES ('Toscane', 'Biondi'), "
                                  "('Toscane', 'Antinori'), ('Côtes du Rhône', 'Guigal')"));
        db.execute(QStringLiteral("DELETE FROM CRUS"));
        db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Grand Cru'), ('Premier Cru')"));
        {
            WineTypeDialog dialog(nullptr, 2);
            showAndWait(dialog);
            clickName(dialog.typeList(), QStringLiteral("Côtes du Rhône"));
            QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("Côtes du Rhône"));
            clickName(dialog.typeList(), QStringLiteral("Toscane"));
            QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("Toscane"));
            QCOMPARE(dialog.countryList()->currentText(), QStringLiteral("IT - ITALIE"));
            QCOMPARE(dialog.appellationList()->count(), 3); // _TOUTES, Chianti, Montalcino

            // Toscane renamed "Côtes du Rhône": the merge is asked, No leaves every row as it was.
            const QString before = dumpAll(db);
            dialog.appellationList()->setCurrentIndex(0);
            dialog.nameEdit()->setText(QStringLiteral("côtes du rhône"));
            prompt.queue(A::Ok);
            prompt.queue(A::No);
            dialog.applyAndClose();
            QCOMPARE(prompt.messages().last().text,
                     QStringLiteral("Le vin « côtes du rhône » existe déjà : « Toscane » sera réuni avec lui.\n"
                                    "3 lot(s) et 2 appellation(s) passeront sous « côtes du rhône ».\n\n"
                                    "Voulez-vous réunir ces deux vins ?"));
            QCOMPARE(prompt.messages().last().buttons, Prompt::Buttons::YesNoDefaultNo);
            QCOMPARE(dumpAll(db), before);
            QCOMPARE(dialog.result(), 0);
            // One appellation only: one lot moves.
            dialog.appellationList()->setCurrentText(QStringLiteral("Montalcino"));
            prompt.queue(A::Ok);
            prompt.queue(A::No);
            dialog.applyAndClose();
            QVERIFY(prompt.messages().last().text.contains(QStringLiteral("1 lot(s) et 1 appellation(s)")));
            QCOMPARE(dumpAll(db), before);
            // Yes merges: the lot of Montalcino is now under Côtes du Rhône.
            dialog.nameEdit()->setText(QStringLiteral("Côtes du Rhône"));
            prompt.queue(A::Ok);
            prompt.queue(A::Yes);
            prompt.queue(A::Ok);
            dialog.applyAndClose();
            QCOMPARE(prompt.messages().last().text, QStringLiteral("Votre Modificetion a été effectuée !"));
            QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM CAVE JOIN TYPEVIN ON RelType = TYPEVIN.[Index] "
                                              "WHERE Type = 'Côtes du Rhône'")),
                     1);
            db.execute(QStringLiteral("UPDATE TYPEVIN SET Type = 'Toscane' WHERE Appellation = 'Montalcino'"));
        }
        {
            // Crus: the current name follows the click.
            RenameCruOrAppellationDialog cru(nullptr, QStringLiteral("1"));
            showAndWait(cru);
            clickName(cru.mainList(), QStringLiteral("Premier Cru"));
            QCOMPARE(cru.currentEdit()->text(), QStringLiteral("Premier Cru"));
            clickName(cru.mainList(), QStringLiteral("Grand Cru"));
            QCOMPARE(cru.currentEdit()->text(), QStringLiteral("Grand Cru"));
        }
        {
            // Appellations: the type clicked gives its own appellations; the appellation clicked is the one renamed.
            RenameCruOrAppellationDialog rename(nullptr, QStringLiteral("2"));
            showAndWait(rename);
            clickName(rename.mainList(), QStringLiteral("Côtes du Rhône"));
            clickName(rename.mainList(), QStringLiteral("Toscane"));
            QCOMPARE(rename.appellationList()->names(), (QStringList{"Chianti", "Montalcino"}));
            clickName(rename.appellationList(), QStringLiteral("Chianti"));
            clickName(rename.appellationList(), QStringLiteral("Montalcino"));
            QCOMPARE(rename.currentEdit()->text(), QStringLiteral("Montalcino"));
            rename.newEdit()->setText(QStringLiteral("Brunello di Montalcino"));
            rename.applyAndClose();
            QCOMPARE(rename.result(), int(QDialog::Accepted));
            QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM TYPEVIN WHERE Type = 'Toscane' AND "
                                              "Appellation IN ('Chianti', 'Brunello di Montalcino')")),
                     2);
        }
        {
            // Estates: the estates of the type clicked; the estate clicked fills the name.
            EstatesDialog estates(nullptr, 2);
            showAndWait(estates);
            clickName(estates.typeList(), QStringLiteral("Côtes du Rhône"));
            clickName(estates.typeList(), QStringLiteral("Toscane"));
            QCOMPARE(estates.estateList()->names(), (QStringList{"Antinori", "Biondi"}));
            clickName(estates.estateList(), QStringLiteral("Biondi"));
            clickName(estates.estateList(), QStringLiteral("Antinori"));
            QCOMPARE(estates.nameEdit()->text(), QStringLiteral("Antinori"));
        }
        QCOMPARE(prompt.pendingAnswers(), 0);
    }

    void crusAndTheirNames()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        db.execute(QStringLiteral("DELETE FROM CRUS"));
        db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Grand Cru'), ('Premier Cru')"));
        addType(db, QStringLiteral("Chablis"), QStringLiteral("Chablis"), 1, QStringLiteral("FR"));
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Cru) VALUES ('Les Clos', 1, 'Grand Cru')"));
        AddCruOrAppellationDialog add(1);
        QCOMPARE(add.windowTitle(), QStringLiteral("Ajout d'un Cru"));
        QCOMPARE(add.cruList()->count(), 2);
        QVERIFY(!add.typeList()->isEnabled());
        for (const QString& bad : {QString(), QStringLiteral(" "), QStringLiteral("   ")}) {
            add.nameEdit()->setText(bad);
            prompt.queue(A::Ok);
            add.applyAndClose();
            QCOMPARE(prompt.messages().last().text, QStringLiteral("Impossible d'écrire un enregistrement vide"));
        }
        add.nameEdit()->setText(QStringLiteral("grand cru"));
        prompt.queue(A::Ok);
        add.applyAndClose();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Déja présent dans les CRUS"));
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM CRUS")), 2);

        // Renaming: nothing chosen, a blank name, a duplicate are refused; lots keep their cru's old name.
        RenameCruOrAppellationDialog rename(nullptr, QStringLiteral("1"));
        QCOMPARE(rename.windowTitle(), QStringLiteral("Modification d'un Cru"));
        QVERIFY(rename.appellationList()->isHidden());
        const QString before = dumpAll(db);
        rename.newEdit()->setText(QStringLiteral("Grand Cru Classé"));
        prompt.queue(A::Ok);
        rename.applyAndClose();
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("choisir")));
        QVERIFY(rename.mainList()->selectName(QStringLiteral("Grand Cru")));
        rename.newEdit()->setText(QStringLiteral(" "));
        prompt.queue(A::Ok);
        rename.applyAndClose();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer cette modif sans donner la nouvelle valeur !"));
        rename.newEdit()->setText(QStringLiteral("PREMIER CRU"));
        prompt.queue(A::Ok);
        rename.applyAndClose();
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("existe déjà")));
        QCOMPARE(dumpAll(db), before);
        QCOMPARE(rename.result(), 0);
        rename.newEdit()->setText(QStringLiteral("Grand Cru Classé"));
        rename.applyAndClose();
        QCOMPARE(rename.result(), int(QDialog::Accepted));
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM CRUS WHERE Nom = 'Grand Cru Classé'")), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT Cru FROM CAVE")).toString(), QStringLiteral("Grand Cru"));
    }

    void renamingAnAppellation()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, QStringLiteral("Bordeaux"), QStringLiteral("Pauillac"), 0, QStringLiteral("FR"));
        addType(db, QStringLiteral("Bordeaux"), QStringLiteral("Margaux"), 0, QStringLiteral("FR"));
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType) VALUES ('Lot', 1)"));
        RenameCruOrAppellationDialog rename(nullptr, QStringLiteral("2"));
        QCOMPARE(rename.windowTitle(), QStringLiteral("Modification d'une Appellation"));
        QVERIFY(rename.mainList()->selectName(QStringLiteral("Bordeaux")));
        QCOMPARE(rename.appellationList()->names(), (QStringList{"Margaux", "Pauillac"}));
        QCOMPARE(rename.currentEdit()->text(), QStringLiteral("Margaux")); // the first, selected by default
        const QString before = dumpAll(db);
        rename.appellationList()->selectName(QStringLiteral("Pauillac"));
        rename.newEdit()->setText(QStringLiteral("margaux"));
        prompt.queue(A::Ok);
        rename.applyAndClose();
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("rien n'a été modifié")));
        QCOMPARE(dumpAll(db), before);
        rename.newEdit()->setText(QStringLiteral("Pauillac d'Or"));
        rename.applyAndClose();
        QCOMPARE(rename.result(), int(QDialog::Accepted));
        // The lot follows by key.
        QCOMPARE(db.scalar(QStringLiteral("SELECT Appellation FROM TYPEVIN JOIN CAVE ON TYPEVIN.[Index] = "
                                          "CAVE.RelType"))
                     .toString(),
                 QStringLiteral("Pauillac d'Or"));
    }

    // A full disk: the write is refused in French and the lists stay as they were.
    void fullDiskRefusesTheWrite()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, QStringLiteral("Bordeaux"), QStringLiteral("Pauillac"), 0, QStringLiteral("FR"));
        const QString before = dumpAll(db);
        db.scalar(
            QStringLiteral("PRAGMA max_page_count = %1").arg(db.scalar(QStringLiteral("PRAGMA page_count")).toInt()));
        WineTypeDialog dialog(nullptr, 1);
        fillCreation(dialog, QString(5000, QLatin1Char('L')), QString(5000, QLatin1Char('S')), QStringLiteral("Blanc"),
                     kFrance);
        prompt.queue(A::Ok);
        prompt.queue(A::Ok);
        dialog.applyAndClose();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Impossible d'écrire l'enregistrement Applelation"));
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(dumpAll(db), before);
    }

    void appellationWithoutAnyWineType()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        const QString before = dumpAll(cellar.db());
        AddCruOrAppellationDialog dialog(2);
        QCOMPARE(dialog.typeList()->count(), 0);
        dialog.nameEdit()->setText(QStringLiteral("Orpheline"));
        prompt.queue(A::Ok);
        dialog.applyAndClose();
        QVERIFY(prompt.messages().last().text.startsWith(QStringLiteral("Il n'y a encore aucun vin")));
        QCOMPARE(dumpAll(cellar.db()), before);
    }

    void estatesOfAWineType()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        cellar.closeSession();
        CellarView view;
        view.attachSession(std::make_unique<CellarSession>(OpenCellarFile(cellar.path(), false)));
        Database& db = view.session()->database();
        addType(db, QStringLiteral("Côtes du Rhône"), QStringLiteral("Gigondas"), 0, QStringLiteral("FR"));
        addType(db, QStringLiteral("Côtes du Rhône"), QStringLiteral("Vacqueyras"), 0, QStringLiteral("FR"));
        addType(db, QStringLiteral("Alsace"), QStringLiteral("Riesling"), 1, QStringLiteral("FR"));
        view.page2()->fillControls();
        // Every wine type is offered, though none has an estate yet.
        EstatesDialog add(nullptr, 1);
        QCOMPARE(add.windowTitle(), QStringLiteral("Création d'un nom de domaine"));
        QVERIFY(add.deleteButton()->isHidden());
        QCOMPARE(add.typeList()->names(), (QStringList{"Alsace", "Côtes du Rhône"}));
        add.nameEdit()->setText(QStringLiteral("Domaine du Cayron"));
        prompt.queue(A::Ok);
        add.applyAndClose();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Vous devez sélectionner un type de vin"));
        QVERIFY(add.typeList()->selectName(QStringLiteral("Côtes du Rhône")));
        add.nameEdit()->setText(QString(256, QLatin1Char('x')));
        prompt.queue(A::Ok);
        add.applyAndClose();
        QVERIFY(prompt.messages().last().text.contains(QStringLiteral("255")));
        add.nameEdit()->setText(QStringLiteral("Domaine du Cayron"));
        add.applyAndClose();
        QCOMPARE(add.result(), int(QDialog::Accepted));
        // Offered on the entry page for every appellation of the type.
        view.page2()->typeList()->setCurrentText(QStringLiteral("Côtes du Rhône"));
        view.page2()->wineTypeChanged();
        for (const QString& appellation : {QStringLiteral("Gigondas"), QStringLiteral("Vacqueyras")}) {
            view.page2()->appellationList()->setCurrentText(appellation);
            view.page2()->lookUpKeepingTime();
            QCOMPARE(view.page2()->nameList()->findText(QStringLiteral("Domaine du Cayron")), 0);
        }
        // The same name in another case is refused.
        EstatesDialog twice(nullptr, 1);
        QVERIFY(twice.typeList()->selectName(QStringLiteral("Côtes du Rhône")));
        QCOMPARE(twice.estateList()->names(), (QStringList{"Domaine du Cayron"}));
        twice.nameEdit()->setText(QStringLiteral("DOMAINE DU CAYRON"));
        prompt.queue(A::Ok);
        twice.applyAndClose();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Ce domaine existe déja !!!"));
        twice.nameEdit()->setText(QStringLiteral("Domaine du Cayron Vieilles Vignes")); // begins like it: fine
        twice.applyAndClose();
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM DOMAINES")), 2);

        // Deleting: nothing selected is refused; a deletion removes the row and the list entry at once.
        EstatesDialog remove(nullptr, 2);
        QCOMPARE(remove.windowTitle(), QStringLiteral("Suppression d'un nom de domaine"));
        QVERIFY(remove.saveButton()->isHidden());
        QVERIFY(remove.typeList()->selectName(QStringLiteral("Côtes du Rhône")));
        prompt.queue(A::Ok);
        remove.deleteEstate();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Pour supprimer un domaine, vous devez le sélectionner !"));
        QVERIFY(remove.estateList()->selectName(QStringLiteral("Domaine du Cayron")));
        QCOMPARE(remove.nameEdit()->text(), QStringLiteral("Domaine du Cayron"));
        remove.deleteEstate();
        QCOMPARE(remove.estateList()->names(), (QStringList{"Domaine du Cayron Vieilles Vignes"}));
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM DOMAINES WHERE Domaine = 'Domaine du Cayron'")), 0);
        QCOMPARE(view.page2()->nameList()->findText(QStringLiteral("Domaine du Cayron")), -1);
        QVERIFY(prompt.pendingAnswers() == 0);
    }
};

QTEST_MAIN(TestReference)
#include "test_reference.moc"
