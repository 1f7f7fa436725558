// Whole flows through the main window: an entry then its placement, a new lot then its placement, the
// menu's rack dialogs, a modification and a picture from the wine sheet, the trace of a start.
#include "app/CommandTable.h"
#include "app/ui/HelpTopics.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/TonnelixApplication.h"
#include "backup/ui/RestoreDialog.h"
#include "calculator/ui/CalculatorPage.h"
#include "cellar/WineStock.h"
#include "cellar/ui/BottleEntryPage.h"
#include "cellar/ui/EditLotDialog.h"
#include "cellar/ui/LotPictureDialog.h"
#include "cellar/ui/WineListModel.h"
#include "cellar/ui/WineSheetPage.h"
#include "db/CellarEvents.h"
#include "journal/ui/JournalModel.h"
#include "journal/ui/JournalPage.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "rack/ui/RackDialog.h"
#include "rack/ui/RackManualUpdateDialog.h"
#include "reference/ui/DishList.h"
#include "reference/ui/DishesForWineDialog.h"
#include "reference/ui/LibraryPage.h"
#include "statistics/ui/StatisticsPage.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "support/TreeSearch.h"
#include "trace/Trace.h"
#include "view/ui/CellarView.h"
#include "vintages/ui/VintageRatingsPage.h"
#include "widgets/ui/ColorLabel.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

using A = Prompt::Answer;

int count(Database& db, const QString& sql, const QVariantList& values = {})
{
    return db.scalar(sql, values).toInt();
}

// Marks the first free cells of the rack shown, then saves.
void placeBottles(QWidget* modal, int bottles)
{
    auto* rack = qobject_cast<RackDialog*>(modal);
    QVERIFY(rack);
    QCOMPARE(rack->countLabel()->text().right(QString::number(bottles).size()), QString::number(bottles));
    int placed = 0;
    for (int y = 1; y <= rack->grid().rows() && placed < bottles; ++y) {
        for (int x = 1; x <= rack->grid().columns() && placed < bottles; ++x) {
            if (rack->grid().state(x, y) == 0) {
                rack->cellClicked({x, y});
                ++placed;
            }
        }
    }
    rack->save();
}

} // namespace

class TestFlows : public QObject
{
    Q_OBJECT

    TempProfile m_profile;
    std::unique_ptr<TempCellar> m_cellar;
    std::unique_ptr<TonnelixApplication> m_app;

    MainWindow* frame() { return m_app->mainFrame(); }
    CellarView* view() { return frame()->view(); }
    Database& db() { return view()->session()->database(); }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        m_cellar = std::make_unique<TempCellar>(TempCellar::Content::Demo);
        m_cellar->closeSession();
        m_app = std::make_unique<TonnelixApplication>();
        QVERIFY(m_app->start({m_cellar->path()}));
    }

    void cleanup()
    {
        m_app.reset();
        m_cellar.reset();
    }

    // The demo cellar tells a story: its purchases and exits are dated over the years (not all today) and its
    // wine types are ones the vintage ratings know, so the entry page shows a rating.
    void demoCellarHasDatesAndRatings()
    {
        ScriptedPrompt prompt;
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(
            count(db(), QStringLiteral("SELECT count(*) FROM MOUVEMENTS WHERE substr(DateHeure, 1, 10) > ?"), {today}),
            0);
        QVERIFY(count(db(), QStringLiteral("SELECT count(DISTINCT substr(DateHeure, 1, 7)) FROM MOUVEMENTS")) > 12);
        QVERIFY(count(db(), QStringLiteral("SELECT count(*) FROM MOUVEMENTS WHERE Nature = 'sortie'")) > 0);
        // The journal adds up to the stock.
        QCOMPARE(count(db(), QStringLiteral("SELECT sum(Quantite) FROM MOUVEMENTS")),
                 count(db(), QStringLiteral("SELECT sum(Stock) FROM CAVE")));
        BottleEntryPage* entry = view()->page2();
        entry->typeList()->setCurrentText(QStringLiteral("Bordeaux Rouge"));
        entry->wineTypeChanged();
        entry->vintageList()->setCurrentText(QStringLiteral("2005"));
        entry->vintageChanged();
        QVERIFY2(entry->ratingText()->text().startsWith(QStringLiteral("La côte de l'année de ce vin est de : ")),
                 qPrintable(entry->ratingText()->text()));
        QVERIFY(prompt.messages().isEmpty());
    }

    void entryThenPlacement()
    {
        ScriptedPrompt prompt;
        QTreeWidgetItem* bordeaux = findNode(view()->tree(), {"Rouge", "FR", "Bordeaux Rouge"});
        QVERIFY(bordeaux);
        view()->tree()->setCurrentItem(bordeaux);
        WineSheetPage* page = view()->page1();
        QVERIFY(page->model()->rowCount() > 0);
        page->selectRow(0);
        const qint64 lot = page->selectedIndex();
        const int before = count(db(), QStringLiteral("SELECT count(*) FROM RAYONNAGE WHERE Relation = ?"), {lot});
        page->entryCountEdit()->setText(QStringLiteral("2"));
        page->entryPriceEdit()->setText(QStringLiteral("40"));
        prompt.queue(A::Yes);
        onNextModal([](QWidget* modal) { placeBottles(modal, 2); });
        page->recordEntry();
        QCOMPARE(count(db(), QStringLiteral("SELECT count(*) FROM RAYONNAGE WHERE Relation = ?"), {lot}), before + 2);

        // Then the bottles are found again with a double-click.
        onNextModal([lot](QWidget* modal) {
            auto* rack = qobject_cast<RackDialog*>(modal);
            QVERIFY(rack);
            QVERIFY(!rack->grid().cellsInState(RackGrid::Marked).empty());
            QVERIFY(rack->notFoundLabel()->isHidden());
            rack->reject();
            Q_UNUSED(lot);
        });
        page->showInRack();
    }

    void newLotThenPlacementAndTree()
    {
        ScriptedPrompt prompt;
        BottleEntryPage* entry = view()->page2();
        entry->typeList()->setCurrentText(QStringLiteral("Porto"));
        entry->wineTypeChanged();
        entry->nameList()->setEditText(QStringLiteral("Quinta do Vale"));
        entry->bottlesEdit()->setText(QStringLiteral("3"));
        entry->amountEdit()->setText(QStringLiteral("75"));
        entry->vintageList()->setCurrentText(QStringLiteral("1977"));
        prompt.queue(A::Yes);
        onNextModal([](QWidget* modal) { placeBottles(modal, 3); });
        entry->recordPurchase();
        const qint64 lot = db().scalar(QStringLiteral("SELECT max([Index]) FROM CAVE")).toLongLong();
        QCOMPARE(db().scalar(QStringLiteral("SELECT [Nom vin] FROM CAVE WHERE [Index] = ?"), {lot}).toString(),
                 QStringLiteral("Quinta do Vale"));
        QCOMPARE(count(db(), QStringLiteral("SELECT count(*) FROM RAYONNAGE WHERE Relation = ?"), {lot}), 3);
        // The tree shows the new vintage at once.
        QVERIFY(findNode(view()->tree(), {"Autres", "PT", "Porto", "Porto Vintage", "1977"}));
    }

    // "Configuration de l'impression" is the page set-up, not a print dialog that prints nothing.
    void printSetupIsThePageSetup()
    {
        ScriptedPrompt prompt;
        QString type;
        QString title;
        onNextModal([&](QWidget* modal) {
            type = QString::fromLatin1(modal->metaObject()->className());
            title = modal->windowTitle();
            QVERIFY(qobject_cast<QPageSetupDialog*>(modal));
            qobject_cast<QDialog*>(modal)->accept();
        });
        frame()->action(Commands::PrintSetup)->trigger();
        QVERIFY2(!type.isEmpty(), "no dialog");
        QCOMPARE(title, QStringLiteral("Configuration de l'impression"));
        QVERIFY(prompt.messages().isEmpty());
    }

    // F1 opens the guide at the section of the page shown, and of the dialog open; every section exists.
    void helpOpensTheSectionOfEachPageAndDialog()
    {
        ScriptedPrompt prompt;
        QFile guide(QStringLiteral(":/guide/guide.html"));
        HelpWindow::showGuide(); // registers the guide's resources
        QVERIFY(guide.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(guide.readAll());
        for (const QString& section : HelpTopics::sections())
            QVERIFY2(html.contains(QStringLiteral("id=\"%1\"").arg(section)), qPrintable(section));
        const QList<QPair<QWidget*, QString>> pages = {
            {view()->page1(), QStringLiteral("fiche")},          {view()->page2(), QStringLiteral("achat")},
            {view()->page3(), QStringLiteral("annees")},         {view()->page4(), QStringLiteral("statistiques")},
            {view()->page5(), QStringLiteral("bibliotheque")},   {view()->journal(), QStringLiteral("journal")},
            {view()->calculator(), QStringLiteral("calculette")}};
        for (const auto& [page, section] : pages) {
            view()->showPage(page);
            frame()->action(Commands::Help)->trigger();
            QCOMPARE(HelpWindow::current()->section(), section);
        }
        // F1 inside a dialog: the dialog's own section, in a window that can be read while it is open.
        const QList<QPair<int, QString>> dialogs = {{Commands::Search, QStringLiteral("recherche")},
                                                    {Commands::AddWine, QStringLiteral("listes")},
                                                    {Commands::AddDish, QStringLiteral("plats")},
                                                    {Commands::RackView, QStringLiteral("ranger")},
                                                    {Commands::ReadyToDrink, QStringLiteral("aboire")}};
        for (const auto& [command, section] : dialogs) {
            QString shown;
            bool readable = false;
            onNextModal([&shown, &readable](QWidget* modal) {
                QTest::keyClick(modal, Qt::Key_F1);
                HelpWindow* help = HelpWindow::current();
                shown = help ? help->section() : QString();
                // A window of the modal dialog's own is not blocked by it.
                readable = help && help->isVisible() && help->parentWidget() == modal;
                qobject_cast<QDialog*>(modal)->reject();
            });
            frame()->action(command)->trigger();
            QCOMPARE(shown, section);
            QVERIFY(readable);
        }
        if (HelpWindow::current())
            HelpWindow::current()->close();
        QVERIFY(prompt.messages().isEmpty());
    }

    void menuRackDialogs()
    {
        ScriptedPrompt prompt;
        QAction* browse = frame()->action(Commands::RackView);
        QVERIFY(browse->isEnabled());
        onNextModal([](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("Rangement de la cave en VISUALISATION"));
            qobject_cast<QDialog*>(modal)->reject();
        });
        browse->trigger();
        onNextModal([](QWidget* modal) {
            auto* update = qobject_cast<RackManualUpdateDialog*>(modal);
            QVERIFY(update);
            QCOMPARE(update->windowTitle(), QStringLiteral("MAJ Manuel du rangement de votre cave"));
            update->reject();
        });
        frame()->action(Commands::RackUpdate)->trigger();
        QVERIFY(prompt.messages().isEmpty());
    }

    // The reference commands are live and open their dialogs in their modes.
    void referenceCommandsOpenTheirDialogs()
    {
        ScriptedPrompt prompt;
        const QList<QPair<int, QString>> commands = {
            {Commands::AddWine, QStringLiteral("Création d'un Vin")},
            {Commands::ModifyWine, QStringLiteral("Modificattion d'un Vin")},
            {Commands::AddCru, QStringLiteral("Ajout d'un Cru")},
            {Commands::AddAppellation, QStringLiteral("Ajout d'une Appellation")},
            {Commands::ModifyCru, QStringLiteral("Modification d'un Cru")},
            {Commands::ModifyAppellation, QStringLiteral("Modification d'une Appellation")},
            {Commands::AddEstate, QStringLiteral("Création d'un nom de domaine")},
            {Commands::ModifyEstate, QStringLiteral("Suppression d'un nom de domaine")},
            {Commands::AddDish, QStringLiteral("Rajout d'une réference de plat")},
            {Commands::ModifyDish, QStringLiteral("Modification d'un plat")},
            {Commands::Search, QStringLiteral("Recherche d'un vin")},
            {Commands::ReadyToDrink, QStringLiteral("Liste de vos vins étant arrivés a la fin de leur garde")},
            {Commands::ReadyToDrinkToolbar, QStringLiteral("Liste de vos vins étant arrivés a la fin de leur garde")}};
        for (const auto& [id, title] : commands) {
            QAction* action = frame()->action(id);
            QVERIFY(action->isEnabled());
            QString shown;
            onNextModal([&shown](QWidget* modal) {
                shown = modal->windowTitle();
                qobject_cast<QDialog*>(modal)->reject();
            });
            action->trigger();
            QCOMPARE(shown, title);
        }
        QVERIFY(prompt.messages().isEmpty());
    }

    // The journal page follows the wine sheet's own writes (an exit, an entry, a deletion) without being told
    // by the test: the change notice comes from the write itself. The tree keeps its expanded nodes and the
    // list the lot highlighted. Then the filter of a kind, its totals and chart, and the order of a column.
    void journalPageFollowsTheWineSheet()
    {
        ScriptedPrompt prompt;
        JournalPage* journal = view()->journal();
        view()->showPage(journal);
        QVERIFY(journal->model()->rowCount() > 0);
        auto newest = [journal](int column) { return journal->model()->index(0, column).data().toString(); };

        QTreeWidgetItem* country = findNode(view()->tree(), {"Rouge", "FR"});
        QVERIFY(country);
        country->parent()->setExpanded(true);
        country->setExpanded(true);
        QTreeWidgetItem* type = country->child(0);
        const QStringList typePath{"Rouge", "FR", type->text(0)};
        view()->tree()->setCurrentItem(type);
        WineSheetPage* page = view()->page1();
        int row = -1;
        for (int r = 0; r < page->model()->rowCount() && row < 0; ++r) {
            if (page->model()->row(r).stock > 2)
                row = r;
        }
        QVERIFY(row >= 0);
        page->selectRow(row);
        const qint64 lot = page->selectedIndex();
        const qint64 stock = page->model()->row(row).stock;

        // An exit on the wine sheet, the journal shown again afterwards.
        page->exitCountEdit()->setText(QStringLiteral("1"));
        prompt.queue(A::No); // no rack to update
        page->recordExit();
        QVERIFY(findNode(view()->tree(), {"Rouge", "FR"})->isExpanded());
        QCOMPARE(view()->tree()->currentItem()->text(0), typePath.last());
        QCOMPARE(page->selectedIndex(), lot);
        QCOMPARE(page->stockEdit()->text(), QString::number(stock - 1));
        view()->showPage(journal);
        QCOMPARE(newest(JournalModel::Nature), QStringLiteral("sortie"));
        QCOMPARE(newest(JournalModel::Quantity), QStringLiteral("-1"));

        // An entry, with the journal on screen while the sheet writes.
        page->entryCountEdit()->setText(QStringLiteral("2"));
        prompt.queue(A::No);
        page->recordEntry();
        QCOMPARE(newest(JournalModel::Nature), QStringLiteral("entrée"));
        QCOMPARE(newest(JournalModel::Quantity), QStringLiteral("+2"));
        QCOMPARE(page->selectedIndex(), lot);

        journal->natureList()->setCurrentText(QStringLiteral("sortie"));
        QCOMPARE(journal->model()->rowCount(), count(db(), QStringLiteral("SELECT count(*) FROM MOUVEMENTS WHERE "
                                                                          "Nature = 'sortie'")));
        const int drunk = -count(db(), QStringLiteral("SELECT sum(Quantite) FROM MOUVEMENTS WHERE Nature = 'sortie'"));
        QVERIFY2(journal->totalsLabel()->text().contains(QStringLiteral("Bues : %1 bouteille(s)").arg(drunk)),
                 qPrintable(journal->totalsLabel()->text()));
        QCOMPARE(journal->chart()->chart()->series().size(), 1);
        journal->natureList()->setCurrentIndex(0);
        QVERIFY(journal->model()->rowCount() > 1);
        journal->list()->sortByColumn(JournalModel::Quantity, Qt::AscendingOrder);
        QCOMPARE(journal->model()->index(0, JournalModel::Quantity).data().toString(),
                 QString::number(count(db(), QStringLiteral("SELECT min(Quantite) FROM MOUVEMENTS"))));
        journal->list()->sortByColumn(JournalModel::Date, Qt::DescendingOrder);

        // A deletion: the lot leaves the list, nothing stays highlighted, the journal says so.
        view()->showPage(page);
        page->selectLot(lot);
        prompt.queue(A::Yes); // "Confirmer vous la suppression ?"
        prompt.queue(A::Ok);  // done
        page->deleteLot();
        QCOMPARE(page->model()->rowOfIndex(lot), -1);
        QCOMPARE(page->selectedIndex(), 0);
        view()->showPage(journal);
        QCOMPARE(newest(JournalModel::Nature), QStringLiteral("suppression"));
        QCOMPARE(prompt.pendingAnswers(), 0);
    }

    // The library page stands before the calculator; the sheet's "Plats associés" lists the wine's dishes.
    void libraryAndDishesOfAWine()
    {
        ScriptedPrompt prompt;
        QTabWidget* sheet = view()->sheet();
        QStringList tabs;
        for (int k = 0; k < sheet->count(); ++k)
            tabs << sheet->tabText(k);
        QCOMPARE(tabs, (QStringList{"Etat du vin sélectionné", "Ajout de bouteilles", "Années", "Stat sur la Cave",
                                    "Bibliothéque", "Journal", "Calculette Euro"}));
        QCOMPARE(sheet->tabText(sheet->count() - 1), QStringLiteral("Calculette Euro"));
        QVERIFY(view()->page5()->list()->model()->rowCount() > 0);
        view()->tree()->setCurrentItem(findNode(view()->tree(), {"Rouge", "FR"})->child(0));
        WineSheetPage* page = view()->page1();
        page->selectRow(0);
        QVERIFY(page->dishesButton()->isEnabled());
        int shown = -1;
        onNextModal([&shown](QWidget* modal) {
            auto* dialog = qobject_cast<DishesForWineDialog*>(modal);
            QVERIFY(dialog);
            shown = dialog->dishList()->count();
            dialog->accept();
        });
        page->dishesButton()->click();
        QVERIFY(shown > 0); // the demo cellar suggests dishes with its reds
        QVERIFY(prompt.messages().isEmpty());
    }

    // Backup, a lost cellar, restore: the window shows the restored wines at once.
    void backupThenRestoreRefillsTheWindow()
    {
        ScriptedPrompt prompt;
        const int lots = db().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt();
        prompt.queue(A::Ok);
        frame()->action(Commands::Backup)->trigger();
        QVERIFY(prompt.messages().last().text.startsWith(QStringLiteral("Votre base à été sauvé sous :\n")));
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Sauvegarde"));
        db().execute(QStringLiteral("DELETE FROM CAVE"));
        view()->RefreshTree();
        QVERIFY(!findNode(view()->tree(), {"Rouge", "FR"}));
        prompt.queue(A::Ok);
        onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<RestoreDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->list()->rowCount(), 1);
            dialog->list()->selectRow(0);
            dialog->applyAndClose();
        });
        frame()->action(Commands::Restore)->trigger();
        QVERIFY(prompt.messages().last().text.startsWith(QStringLiteral("Votre base à été restaurer !")));
        QCOMPARE(db().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), lots);
        QVERIFY(findNode(view()->tree(), {"Rouge", "FR"}));
        QVERIFY(view()->page5()->list()->model()->rowCount() > 0);
    }

    void modificationAndPictureFromTheSheet()
    {
        ScriptedPrompt prompt;
        view()->tree()->setCurrentItem(findNode(view()->tree(), {"Blanc", "FR"})->child(0));
        WineSheetPage* page = view()->page1();
        QVERIFY(page->model()->rowCount() > 0);
        page->selectRow(0);
        const qint64 lot = page->selectedIndex();
        onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<EditLotDialog*>(modal);
            QVERIFY(dialog);
            dialog->nameEdit()->setText(QStringLiteral("Renommé d'office"));
            dialog->applyAndClose();
        });
        page->modifyButton()->click();
        QCOMPARE(db().scalar(QStringLiteral("SELECT [Nom vin] FROM CAVE WHERE [Index] = ?"), {lot}).toString(),
                 QStringLiteral("Renommé d'office"));
        // The list is not emptied: the changed lot stays highlighted, with its new name.
        QVERIFY(page->model()->rowCount() > 0);
        QCOMPARE(page->selectedIndex(), lot);
        QCOMPARE(page->nomVinEdit()->text(), QStringLiteral("Renommé d'office"));

        view()->tree()->setCurrentItem(findNode(view()->tree(), {"Blanc", "FR"})->child(0));
        page->selectRow(0);
        QCOMPARE(page->selectedIndex(), lot);
        const QString picture = m_cellar->dir() + QStringLiteral("/etiquette.png");
        QImage(8, 8, QImage::Format_RGB32).save(picture);
        prompt.queue(A::Yes); // no picture yet: choose one
        prompt.queueFile(picture);
        onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<LotPictureDialog*>(modal);
            QVERIFY(dialog);
            dialog->browse();
            dialog->save();
        });
        page->pictureButton()->click();
        QCOMPARE(db().scalar(QStringLiteral("SELECT Images FROM CAVE WHERE [Index] = ?"), {lot}).toString(), picture);
    }

    // A picture chosen on the entry page waits for that page's save: looking at a wine's picture on the sheet
    // and cancelling does not hand it to that wine.
    void entryPicturesStayOnTheEntryPage()
    {
        ScriptedPrompt prompt;
        const QString picture = m_cellar->dir() + QStringLiteral("/nouvelle.png");
        QImage(8, 8, QImage::Format_RGB32).save(picture);
        prompt.queueFile(picture);
        onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<LotPictureDialog*>(modal);
            QVERIFY(dialog);
            dialog->browse();
            dialog->save();
        });
        view()->page2()->pictureButton()->click();

        view()->tree()->setCurrentItem(findNode(view()->tree(), {"Blanc", "FR"})->child(0));
        WineSheetPage* page = view()->page1();
        page->selectRow(0);
        const qint64 lot = page->selectedIndex();
        const QString before =
            db().scalar(QStringLiteral("SELECT Images FROM CAVE WHERE [Index] = ?"), {lot}).toString();
        prompt.queue(before.isEmpty() ? A::Yes : A::Ok);
        onNextModal([](QWidget* modal) { qobject_cast<LotPictureDialog*>(modal)->reject(); });
        page->pictureButton()->click();
        QCOMPARE(db().scalar(QStringLiteral("SELECT Images FROM CAVE WHERE [Index] = ?"), {lot}).toString(), before);
        QCOMPARE(db().scalar(QStringLiteral("SELECT count(*) FROM CAVE WHERE Images = ?"), {picture}).toInt(), 0);
    }
};

class TestTracedStart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startWritesItsTrace()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Base);
        cellar.closeSession();
        Profile::writeInt(QStringLiteral("Config"), QStringLiteral("Trace"), 1);
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Base"), cellar.path());
        {
            TonnelixApplication app;
            QVERIFY(app.start({}));
        }
        TraceSetEnabled(false);
        QFile file(TraceFileName());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList texts;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString text = line.section(QChar(0x00A0), 1);
            if (!text.startsWith(QStringLiteral("Qt ("))) // Qt's own warnings, traced between the records
                texts << text;
        }
        QCOMPARE(texts.value(0), QStringLiteral("V2.08"));
        for (const QString& expected : {QStringLiteral("{ OnInitialUpdate : Enter"), QStringLiteral(" NT : OUI"),
                                        QStringLiteral("Entre Base ") + cellar.path(), QStringLiteral("Base ouverte "),
                                        QStringLiteral("J'ai ecrit la base dans regedit ") + cellar.path(),
                                        QStringLiteral("Fin de la MAJ Base de 5 en 6")})
            QVERIFY2(texts.contains(expected), qPrintable(expected));
        QVERIFY(texts.last().startsWith(QStringLiteral("} OnInitialUpdate : Return OK")));
        QVERIFY(TraceFileName().startsWith(Paths::traceBaseName()));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int status = 0;
    {
        TestFlows flows;
        status |= QTest::qExec(&flows, argc, argv);
    }
    {
        TestTracedStart traced;
        status |= QTest::qExec(&traced, argc, argv);
    }
    return status;
}

#include "test_flows.moc"
