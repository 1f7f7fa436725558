// The bottle entry page, the modification dialog and the picture dialog.
#include "cellar/EntryChoices.h"
#include "cellar/EntryRules.h"
#include "cellar/SharedImagePath.h"
#include "cellar/WineStock.h"
#include "cellar/ui/BottleEntryPage.h"
#include "cellar/ui/EditLotDialog.h"
#include "cellar/ui/LotPictureDialog.h"
#include "cellar/ui/WineListModel.h"
#include "cellar/ui/WineSheetPage.h"
#include "db/Schema.h"
#include "rack/RackStore.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "widgets/ui/ColorLabel.h"
#include "widgets/ui/NotifyingEdit.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

using A = Prompt::Answer;

void addType(Database& db, const QString& type, const QString& appellation, const QString& garde,
             const QString& nic = QStringLiteral("FR"))
{
    db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic, Garde) VALUES (?, ?, '0', ?, ?)"),
               {type, appellation, nic, garde});
}

QVariant caveField(Database& db, const QString& field)
{
    return db.scalar(QStringLiteral("SELECT [%1] FROM CAVE ORDER BY [Index] DESC LIMIT 1").arg(field));
}

} // namespace

class TestEntryPage : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void rules()
    {
        QCOMPARE(EntryRules::keepingFor(QStringLiteral("5 à 10 ans")), QStringLiteral("5"));
        QCOMPARE(EntryRules::keepingFor(QStringLiteral("15 ans")), QStringLiteral("15"));
        QCOMPARE(EntryRules::keepingFor(QString()), QString());
        QCOMPARE(EntryRules::firstWord(QStringLiteral("Côtes du Rhône")), QStringLiteral("Côtes"));
        QCOMPARE(EntryRules::firstWord(QStringLiteral("Loire")), QStringLiteral("Loire"));
        QCOMPARE(EntryRules::purchaseDate("5", "3", "2006"), QStringLiteral("05/03/2006"));
        QCOMPARE(EntryRules::purchaseDate("", "3", "2006"), QString());
        QCOMPARE(EntryRules::bottlePrice("100", "6"), QStringLiteral("16,67"));
        QCOMPARE(EntryRules::bottlePrice("100", "0"), QString());
        QCOMPARE(EntryRules::bottlePrice("100", ""), QString());
        QCOMPARE(EntryRules::entrySizes().size(), 21);
        QCOMPARE(EntryRules::modificationSizes().size(), 21);
        QVERIFY(!EntryRules::modificationSizes().contains(QStringLiteral("0,62 CL (le clavelin)")));
        QCOMPARE(EntryRules::vintageItems(2026).first(), QStringLiteral("2028"));
        QCOMPARE(EntryRules::vintageItems(2026).last(), QStringLiteral("1801"));

        std::vector<VintageEntry> table;
        for (const QString& region : VintageTable::regions())
            table.push_back({QStringLiteral("2005"), region, QString::number(10 + table.size())});
        QCOMPARE(EntryRules::ratingText(QStringLiteral("Bordeaux Rouge"), "2005", table),
                 QStringLiteral("La côte de l'année de ce vin est de : 10"));
        QCOMPARE(EntryRules::ratingText(QStringLiteral("Beaujolais"), "2005", table),
                 QStringLiteral("La côte de l'année de ce vin est de : 11"));
        QCOMPARE(EntryRules::ratingText(QStringLiteral("Alsace"), "2005", table),
                 QStringLiteral("La côte de l'année de ce vin est de : 18"));
        QCOMPARE(EntryRules::ratingText(QStringLiteral("Alsace"), "1999", table),
                 QStringLiteral("Pas de côte pour ce vin"));
    }

    // What the windows read through the core: duplicates kept once, unknown keys giving nothing, lots whose
    // wine type is gone left out of the rack's list.
    void coreReadsOfTheWindows()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        CellarSession& session = cellar.session();
        const QString label = QStringLiteral("test");
        addType(db, "Bordeaux", "Pauillac", "15 ans");
        addType(db, "BORDEAUX", "Margaux", "8 ans");
        addType(db, "Chianti", "Classico", "4 ans", "IT");
        QCOMPARE(EntryChoices::wineTypes(session, label, QString(), true), (QStringList{"Bordeaux", "Chianti"}));
        QCOMPARE(EntryChoices::wineTypes(session, label, QString(), false),
                 (QStringList{"Bordeaux", "BORDEAUX", "Chianti"}));
        QCOMPARE(EntryChoices::wineTypes(session, label, QStringLiteral("IT"), true), QStringList{"Chianti"});
        QCOMPARE(EntryChoices::wineTypes(session, label, QStringLiteral("XX"), true), QStringList());
        QCOMPARE(EntryChoices::appellations(session, label, QStringLiteral("Bordeaux")),
                 (QStringList{"Margaux", "Pauillac"})); // names compare without case
        QCOMPARE(EntryChoices::standardKeeping(session, label, QStringLiteral("Bordeaux"), QStringLiteral("Pauillac")),
                 std::optional<QString>(QStringLiteral("15 ans")));
        QCOMPARE(EntryChoices::standardKeeping(session, label, QStringLiteral("Bordeaux"), QStringLiteral("Yquem")),
                 std::nullopt);
        QVERIFY(EntryChoices::countries(session, label).contains(QStringLiteral("FR - FRANCE")));
        QCOMPARE(EntryChoices::countryName(session, label, QStringLiteral("IT")), QStringLiteral("ITALIE"));
        QCOMPARE(EntryChoices::countryName(session, label, QStringLiteral("XX")), QString());
        db.execute(QStringLiteral("INSERT INTO DOMAINES VALUES ('Château B', 'Côtes du Rhône')"));
        db.execute(QStringLiteral("INSERT INTO DOMAINES VALUES ('Château A', 'Côtes')"));
        db.execute(QStringLiteral("INSERT INTO DOMAINES VALUES ('Château B', 'Côtes')"));
        db.execute(QStringLiteral("INSERT INTO DOMAINES VALUES ('Château C', 'Bordeaux')"));
        QCOMPARE(EntryChoices::estates(session, label, QStringLiteral("Côtes du Rhône"), QStringLiteral("Côtes")),
                 (QStringList{"Château B", "Château A"}));

        db.execute(QStringLiteral("INSERT INTO CAVE ([Index], [Nom vin], RelType, Millesime, Stock, Cru, "
                                  "Proprietaire, Contenance, Cote, Images) VALUES (5, 'Lavergne', 1, 2005, 9, "
                                  "'Grand Cru', 'Dubreuil', '0,75 L', 99, '/photos/l.png')"));
        db.execute(QStringLiteral("INSERT INTO CAVE ([Index], [Nom vin], RelType, Stock) VALUES (3, 'Orphelin', "
                                  "99, 2)"));
        db.execute(QStringLiteral("INSERT INTO CAVE ([Index], [Nom vin], RelType, Stock) VALUES (1, 'Classico', 3, "
                                  "0)"));
        const std::vector<RackStore::PlaceableWine> wines = RackStore::placeableWines(session, label);
        QCOMPARE(wines.size(), size_t(2));
        QCOMPARE(wines[0].index, 1);
        QCOMPARE(wines[1].name, QStringLiteral("Lavergne"));
        QCOMPARE(wines[1].vintage, 2005);
        QCOMPARE(RackStore::stockOf(session, label, 3), std::optional<qint64>(2));
        QCOMPARE(RackStore::stockOf(session, label, 42), std::nullopt);
        const std::optional<WineStock::LotFields> fields = WineStock::lotFields(session, label, 5);
        QVERIFY(fields);
        QCOMPARE(fields->type, QStringLiteral("Bordeaux"));
        QCOMPARE(fields->appellation, QStringLiteral("Pauillac"));
        QCOMPARE(fields->keeping, 99);
        QCOMPARE(fields->size, QStringLiteral("0,75 L"));
        QVERIFY(!WineStock::lotFields(session, label, 3)); // its wine type is gone
        QCOMPARE(WineStock::picture(session, label, 5), std::optional<QString>(QStringLiteral("/photos/l.png")));
        QCOMPARE(WineStock::picture(session, label, 1), std::optional<QString>(QString()));
        QCOMPARE(WineStock::picture(session, label, 42), std::nullopt);

        db.execute(QStringLiteral("DELETE FROM INFO"));
        QCOMPARE(Schema::recordedVersion(session, label), std::nullopt);
        db.execute(QStringLiteral("INSERT INTO INFO ([Version Base]) VALUES ('5.00')"));
        db.execute(QStringLiteral("INSERT INTO INFO ([Version Base]) VALUES ('6.00')"));
        QCOMPARE(Schema::recordedVersion(session, label), std::optional<QString>(QStringLiteral("6.00")));
        QVERIFY(prompt.messages().isEmpty());
    }

    void listsOfThePage()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, "Bordeaux Supérieur", "Bordeaux Supérieur", "5 à 10 ans");
        addType(db, "Bordeaux", "Pauillac", "15 ans");
        addType(db, "Bordeaux", "Margaux", "8 à 12 ans");
        addType(db, "Côtes du Rhône", "Gigondas", "4 ans", "FR");
        addType(db, "Rioja", "Reserva", "6 ans", "ES");
        db.execute(QStringLiteral("INSERT INTO DOMAINES VALUES ('Domaine de la Janasse', 'Côtes')"));
        db.execute(QStringLiteral("INSERT INTO DOMAINES VALUES ('Château Margaux', 'Bordeaux')"));
        BottleEntryPage page;
        page.fillControls();
        QStringList types;
        for (int i = 0; i < page.typeList()->count(); ++i)
            types << page.typeList()->itemText(i);
        QCOMPARE(types, (QStringList{"Bordeaux", "Bordeaux Supérieur", "Côtes du Rhône", "Rioja"}));
        QCOMPARE(page.countryList()->currentText(), QStringLiteral("FR - FRANCE"));
        QCOMPARE(page.cruList()->itemText(0), QString());
        QCOMPARE(page.sizeList()->currentText(), QStringLiteral("0,75 L"));

        page.typeList()->setCurrentText(QStringLiteral("Bordeaux"));
        page.wineTypeChanged();
        QCOMPARE(page.appellationList()->count(), 2);
        QCOMPARE(page.appellationList()->currentText(), QStringLiteral("Margaux"));
        QCOMPARE(page.standardKeeping()->text(), QStringLiteral("8 à 12 ans"));
        QCOMPARE(page.keepingList()->currentText(), QStringLiteral("8"));
        page.appellationList()->setCurrentText(QStringLiteral("Pauillac"));
        page.lookUpKeepingTime();
        QCOMPARE(page.keepingList()->currentText(), QStringLiteral("15"));
        QCOMPARE(page.nameList()->count(), 1);

        page.typeList()->setCurrentText(QStringLiteral("Côtes du Rhône"));
        page.wineTypeChanged();
        QCOMPARE(page.nameList()->itemText(0), QStringLiteral("Domaine de la Janasse"));

        // A country narrows the types.
        page.countryList()->setCurrentText(QStringLiteral("ES - ESPAGNE"));
        page.countryChanged();
        QCOMPARE(page.typeList()->count(), 1);
        QCOMPARE(page.appellationList()->currentText(), QStringLiteral("Reserva"));

        page.bottlesEdit()->setText(QStringLiteral("6"));
        page.amountEdit()->setText(QStringLiteral("100"));
        QCOMPARE(page.priceEdit()->text(), QStringLiteral("16,67"));
        QVERIFY(prompt.messages().isEmpty());
    }

    void savingANewLot()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, "Loire", "Sancerre", "3 ans");
        BottleEntryPage page;
        page.fillControls();
        QSignalSpy racks(&page, &BottleEntryPage::rackViewRequested);
        page.typeList()->setCurrentText(QStringLiteral("Loire"));
        page.wineTypeChanged();
        page.nameList()->setEditText(QStringLiteral("Les Monts d'Or"));
        page.ownerEdit()->setText(QStringLiteral("Domaine \"Vacheron\""));
        page.bottlesEdit()->setText(QStringLiteral("6"));
        page.amountEdit()->setText(QStringLiteral("100.10"));
        page.dayEdit()->setText(QStringLiteral("5"));
        page.monthEdit()->setText(QStringLiteral("3"));
        page.yearEdit()->setText(QStringLiteral("2006"));
        page.vintageList()->setCurrentText(QStringLiteral("2004"));
        page.keepingList()->setCurrentIndex(0); // no keeping chosen
        SharedImagePath() = QStringLiteral("/photos/sancerre.png");
        prompt.queue(A::Yes);
        page.recordPurchase();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral(
                     "Votre enregistrement a été effectué !\nVoulez vous positionner vos bouteilles dans votre cave"));
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Information"));
        QCOMPARE(caveField(db, "Nom vin").toString(), QStringLiteral("Les Monts d'Or"));
        QCOMPARE(caveField(db, "Proprietaire").toString(), QStringLiteral("Domaine \"Vacheron\""));
        QCOMPARE(caveField(db, "Date Achat").toString(), QStringLiteral("05/03/2006"));
        QCOMPARE(caveField(db, "Cote").toInt(), 99);
        QCOMPARE(caveField(db, "Prix Achat").toDouble(), 100.10); // not rounded to single precision
        QCOMPARE(caveField(db, "Stock").toInt(), 6);
        QCOMPARE(caveField(db, "Nbr Achat").toInt(), 6);
        QCOMPARE(caveField(db, "Millesime").toInt(), 2004);
        QCOMPARE(caveField(db, "Contenance").toString(), QStringLiteral("0,75 L"));
        QCOMPARE(caveField(db, "Images").toString(), QStringLiteral("/photos/sancerre.png"));
        QVERIFY(SharedImagePath().isEmpty());
        QCOMPARE(page.dayEdit()->text(), QStringLiteral("05"));
        QCOMPARE(page.monthEdit()->text(), QStringLiteral("03"));
        QCOMPARE(racks.count(), 1);
        QCOMPARE(racks.first().at(0).toLongLong(), caveField(db, "Index").toLongLong());
        QCOMPARE(racks.first().at(2).toInt(), 6);

        // No date at all, confirmed; a year far ahead, confirmed and written as typed.
        page.dayEdit()->clear();
        page.monthEdit()->clear();
        page.yearEdit()->clear();
        prompt.queue(A::Yes);
        prompt.queue(A::No);
        page.recordPurchase();
        QCOMPARE(prompt.messages().at(prompt.messages().size() - 2).text,
                 QStringLiteral("Confirmer vous qu'aucune date est votre choix"));
        QCOMPARE(caveField(db, "Date Achat").toString(), QString());
        page.dayEdit()->setText(QStringLiteral("1"));
        page.monthEdit()->setText(QStringLiteral("12"));
        page.yearEdit()->setText(QStringLiteral("2250"));
        prompt.queue(A::Yes);
        prompt.queue(A::No);
        page.recordPurchase();
        QCOMPARE(caveField(db, "Date Achat").toString(), QStringLiteral("01/12/2250"));

        // Refusals.
        const int lots = db.scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt();
        page.monthEdit()->setText(QStringLiteral("13"));
        page.yearEdit()->setText(QStringLiteral("2006"));
        prompt.queue(A::Ok);
        page.recordPurchase();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Mois entre 1 et 12"));
        page.monthEdit()->setText(QStringLiteral("2"));
        page.dayEdit()->setText(QStringLiteral("32"));
        prompt.queue(A::Ok);
        page.recordPurchase();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Jour entre 1 et 31"));
        page.bottlesEdit()->setText(QStringLiteral("0"));
        prompt.queue(A::Ok);
        page.recordPurchase();
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Vous ne pouvez enregistrer un vin sans un Nbr de bouteilles"));
        page.nameList()->setEditText(QString());
        prompt.queue(A::No);
        page.recordPurchase();
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Confirmer vous que le vin n'a pas de nom"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), lots);
    }

    void modificationRoundTrips()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, "Jura", "Château-Chalon", "20 ans");
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock, [Nbr Achat], [Prix Achat], "
                                  "[Date Achat], Cote, Contenance, Cru, Images) VALUES ('Vin jaune', 1, 1999, 3, 6, "
                                  "150.5, '01/02/2005', 99, '0,62 CL (le clavelin)', '', '/p.bmp')"));
        WineSheetPage sheet;
        sheet.refreshWineList(QStringLiteral("Jura"), QStringLiteral("Château-Chalon"), {}, {}, 1);
        QCOMPARE(sheet.model()->rowCount(), 1);

        EditLotDialog dialog(nullptr, 1);
        QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("Vin jaune"));
        QCOMPARE(dialog.typeEdit()->text(), QStringLiteral("Jura"));
        QVERIFY(dialog.typeEdit()->isReadOnly());
        QCOMPARE(dialog.keepingList()->currentText(), QString());
        QCOMPARE(dialog.vintageList()->currentText(), QStringLiteral("1999"));
        QCOMPARE(dialog.cruList()->currentText(), QString());
        // The clavelin is not offered to new choices, but this wine keeps it when saved unchanged.
        QCOMPARE(dialog.sizeList()->currentText(), QStringLiteral("0,62 CL (le clavelin)"));
        dialog.applyAndClose();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(db.scalar(QStringLiteral("SELECT Cote FROM CAVE")).toInt(), 99); // no keeping stays none
        QCOMPARE(db.scalar(QStringLiteral("SELECT Contenance FROM CAVE")).toString(),
                 QStringLiteral("0,62 CL (le clavelin)"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT Cru FROM CAVE")).toString(), QString());
        QCOMPARE(db.scalar(QStringLiteral("SELECT Stock || ' ' || [Nbr Achat] || ' ' || [Prix Achat] || ' ' || "
                                          "[Date Achat] || ' ' || Images FROM CAVE"))
                     .toString(),
                 QStringLiteral("3 6.0 150.5 01/02/2005 /p.bmp"));
        QCOMPARE(sheet.model()->rowCount(), 1); // the list is not emptied by a change

        EditLotDialog again(nullptr, 1);
        again.nameEdit()->setText(QStringLiteral("Vin jaune d'Arbois"));
        again.keepingList()->setCurrentText(QStringLiteral("30"));
        again.sizeList()->setCurrentText(QString());
        again.applyAndClose();
        QCOMPARE(db.scalar(QStringLiteral("SELECT [Nom vin] || '|' || Cote || '|' || Contenance FROM CAVE")).toString(),
                 QStringLiteral("Vin jaune d'Arbois|30|"));
        // Choosing the empty keeping entry writes 0.
        EditLotDialog third(nullptr, 1);
        QCOMPARE(third.keepingList()->currentText(), QStringLiteral("30"));
        third.keepingList()->setCurrentIndex(0);
        third.applyAndClose();
        QCOMPARE(db.scalar(QStringLiteral("SELECT Cote FROM CAVE")).toInt(), 0);
        QVERIFY(prompt.messages().isEmpty());
    }

    // Lists select the first entry that begins with the stored value, whatever its case; a value no entry
    // offers is shown as it is; and a save that changes no list writes the lot back exactly as it was.
    void modificationKeepsStoredValues()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        addType(db, "Bordeaux", "Margaux", "10 ans");
        db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Château Margaux')"));
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock, Cote, Contenance, Cru) "
                                  "VALUES ('Vieux', 1, 1750, 1, 7, '1,5', 'château margaux')"));
        const auto row = [&db] {
            return db
                .scalar(QStringLiteral("SELECT Millesime || '|' || Cote || '|' || Contenance || '|' || Cru "
                                       "FROM CAVE"))
                .toString();
        };
        const QString stored = row();
        {
            EditLotDialog dialog(nullptr, 1);
            QCOMPARE(dialog.vintageList()->currentText(), QStringLiteral("1750"));
            QCOMPARE(dialog.sizeList()->currentText(), QStringLiteral("1,5 L (Magnum)"));
            QCOMPARE(dialog.cruList()->currentText(), QStringLiteral("Château Margaux"));
            QCOMPARE(dialog.keepingList()->currentText(), QStringLiteral("7"));
            dialog.applyAndClose();
            QCOMPARE(row(), stored);
        }
        {
            // A list that is changed writes the entry chosen; the empty keeping entry writes 0.
            EditLotDialog dialog(nullptr, 1);
            dialog.keepingList()->setCurrentIndex(0);
            dialog.sizeList()->setCurrentText(QStringLiteral("0,75 L"));
            dialog.applyAndClose();
            QCOMPARE(row(), QStringLiteral("1750|0|0,75 L|château margaux"));
        }
        QVERIFY(prompt.messages().isEmpty());
    }

    void pictureDialog()
    {
        ScriptedPrompt prompt;
        TempCellar cellar;
        Database& db = cellar.db();
        const QString picture = cellar.dir() + QStringLiteral("/label.png");
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkRed);
        QVERIFY(image.save(picture));
        addType(db, "Loire", "Sancerre", "3 ans");
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Images) VALUES ('Avec', 1, ?)"), {picture});
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Images) VALUES ('Sans', 1, '')"));
        SharedImagePath() = QStringLiteral("untouched");
        {
            LotPictureDialog dialog(nullptr, 1, QStringLiteral("1"));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Image associée à ce vin"));
            QVERIFY(dialog.saveButton()->isHidden());
            QVERIFY(dialog.browseButton()->isHidden());
            QVERIFY(!dialog.pathEdit()->isEnabled());
            QCOMPARE(dialog.pathEdit()->text(), picture);
            QVERIFY(dialog.pictureLoaded());
            dialog.reject();
            QCOMPARE(SharedImagePath(), QStringLiteral("untouched"));
        }
        {
            prompt.queue(A::No);
            LotPictureDialog dialog(nullptr, 1, QStringLiteral("2"));
            QCOMPARE(prompt.messages().last().text,
                     QStringLiteral("Vous n'avez pas associé d'image à ce vin\rVoulez vous en associer une ?"));
            QVERIFY(dialog.closesAtOnce());
            QCOMPARE(dialog.exec(), int(QDialog::Accepted));
            QVERIFY(SharedImagePath().isEmpty());
        }
        {
            prompt.queue(A::Yes);
            LotPictureDialog dialog(nullptr, 1, QStringLiteral("2"));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Choix de l'image associée à ce vin"));
            QVERIFY(!dialog.saveButton()->isHidden());
            prompt.queueFile(picture);
            dialog.browse();
            dialog.preview();
            QVERIFY(dialog.pictureLoaded());
            dialog.save();
            QCOMPARE(SharedImagePath(), picture);
        }
        {
            LotPictureDialog dialog(nullptr, 0, QStringLiteral("0"));
            QVERIFY(dialog.path().isEmpty());
            QVERIFY(!dialog.pictureLoaded());
            prompt.queueFile(cellar.dir() + QStringLiteral("/missing.bmp"));
            dialog.browse();
            dialog.preview();
            QVERIFY(!dialog.pictureLoaded()); // a file that does not load shows the placeholder, no message
        }
        // A picture the size of the screen fills the area; a smaller one keeps its share, centred.
        QCOMPARE(PicturePreview::pictureRect({1920, 1080}, {300, 200}, {1920, 1080}), QRect(0, 0, 300, 200));
        QCOMPARE(PicturePreview::pictureRect({960, 540}, {300, 200}, {1920, 1080}), QRect(75, 50, 150, 100));
        SharedImagePath().clear();
    }
};

QTEST_MAIN(TestEntryPage)
#include "test_entrypage.moc"
