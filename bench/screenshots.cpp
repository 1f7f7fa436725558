// Draws the pictures of the documentation from a cellar file, without a display:
//   tonnelix-screenshots [--scale F] [--dark] [--all] CELLAR OUTDIR
//     OUTDIR/screenshot.png (main window), OUTDIR/rack.png (a rack), OUTDIR/library.png (the library page),
//     OUTDIR/statistics.png (the statistics page);
//     with --all also every page
//     (page<N>.png) and the dialogs (dialog-<name>.png), for a look at each screen.
//   --scale 2 draws at 200 %; --dark draws with a dark desktop palette; --screen WxH gives the size of the
//   screen in pixels (1920 x 1200 times the scale unless given): no window is drawn larger than it.
#include "app/ui/AboutDialog.h"
#include "app/ui/CellarDocument.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/OptionsDialog.h"
#include "app/ui/TonnelixApplication.h"
#include "backup/ui/RestoreDialog.h"
#include "calculator/ui/CurrencyValuesDialog.h"
#include "cellar/ui/EditLotDialog.h"
#include "cellar/ui/WineSheetPage.h"
#include "db/CellarSession.h"
#include "exchange/ui/ExchangeFileDialog.h"
#include "platform/Profile.h"
#include "printing/ui/PrintOrderDialog.h"
#include "rack/ui/RackDialog.h"
#include "rack/ui/RackManualUpdateDialog.h"
#include "reference/ui/AddCruOrAppellationDialog.h"
#include "reference/ui/DishList.h"
#include "reference/ui/EditDishDialog.h"
#include "reference/ui/EstatesDialog.h"
#include "reference/ui/LibraryFactDialog.h"
#include "reference/ui/LibraryPage.h"
#include "reference/ui/NameList.h"
#include "reference/ui/RenameCruOrAppellationDialog.h"
#include "reference/ui/WineTypeDialog.h"
#include "reference/ui/WinesForDishDialog.h"
#include "search/ui/SearchDialog.h"
#include "statistics/ui/ReadyToDrinkDialog.h"
#include "statistics/ui/StatisticsPage.h"
#include "view/ui/CellarView.h"
#include "vintages/ui/VintageYearDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPalette>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

namespace {

void useDarkPalette()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(50, 50, 55));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(55, 55, 60));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Link, QColor(120, 180, 255)); // as dark themes give links
    dark.setColor(QPalette::LinkVisited, QColor(190, 150, 255));
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 60));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
}

template <typename Dialog> void drawDialog(Dialog& dialog, const QDir& out, const char* name)
{
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(out.filePath(QStringLiteral("dialog-%1.png").arg(QLatin1String(name))));
    dialog.hide();
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList args;
    bool dark = false;
    bool all = false;
    double scale = 1;
    QString screen;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--scale") && i + 1 < argc) {
            scale = QString::fromLocal8Bit(argv[i + 1]).toDouble();
            qputenv("QT_SCALE_FACTOR", argv[++i]);
        } else if (a == QLatin1String("--screen") && i + 1 < argc)
            screen = QString::fromLocal8Bit(argv[++i]);
        else if (a == QLatin1String("--dark"))
            dark = true;
        else if (a == QLatin1String("--all"))
            all = true;
        else
            args << a;
    }
    // The offscreen platform's screen, of the size asked for.
    if (screen.isEmpty())
        screen = QStringLiteral("%1x%2").arg(qRound(1920 * scale)).arg(qRound(1200 * scale));
    QTemporaryDir screenDir;
    const QString screenFile = screenDir.filePath(QStringLiteral("screen.json"));
    {
        QFile json(screenFile);
        if (json.open(QIODevice::WriteOnly))
            json.write(QStringLiteral("{\"screens\":[{\"name\":\"ecran\",\"x\":0,\"y\":0,\"width\":%1,"
                                      "\"height\":%2,\"logicalDpi\":96,\"dpr\":1}]}")
                           .arg(screen.section(QLatin1Char('x'), 0, 0), screen.section(QLatin1Char('x'), 1, 1))
                           .toUtf8());
    }
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(screenFile));
    QApplication app(argc, argv);
    TonnelixApplication::installTranslations();
    if (dark)
        useDarkPalette();
    args.prepend(app.applicationFilePath());
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tonnelix-screenshots [--scale F] [--screen WxH] [--dark] [--all] CELLAR OUTDIR\n");
        return 2;
    }
    QTemporaryDir settings;
    Profile::useFile(settings.filePath(QStringLiteral("Tonnelix.ini")));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    CellarDocument document;
    document.setTitle(QStringLiteral("Tonnelix.mdb"));
    MainWindow frame(&document);
    frame.updateTitle();
    if (!frame.view()->initialUpdate(args[1]))
        return 1;
    frame.resize(1280, 760);
    frame.show();
    QTreeWidget* tree = frame.view()->tree();
    for (int i = 1; i < tree->topLevelItemCount(); ++i)
        tree->expandItem(tree->topLevelItem(i));
    QTreeWidgetItem* red = tree->topLevelItem(1);
    if (red->childCount() > 0) {
        QTreeWidgetItem* country = red->child(0);
        tree->expandItem(country);
        if (country->childCount() > 0) {
            tree->expandItem(country->child(0));
            tree->setCurrentItem(country->child(0));
            frame.view()->page1()->selectRow(0);
        }
    }
    app.processEvents();
    const QDir out(args[2]);
    frame.grab().save(out.filePath(QStringLiteral("screenshot.png")));

    // The library page on its first wine type.
    QTabWidget* sheet = frame.view()->sheet();
    frame.view()->showPage(frame.view()->page5());
    frame.view()->page5()->list()->selectRow(0);
    app.processEvents();
    frame.grab().save(out.filePath(QStringLiteral("library.png")));

    // The statistics page with its charts.
    frame.view()->showPage(frame.view()->page4());
    app.processEvents();
    frame.grab().save(out.filePath(QStringLiteral("statistics.png")));

    // The other pages and the dialogs, for a look (not kept in the documentation).
    if (all) {
        for (int k = 1; k < sheet->count(); ++k) {
            sheet->setCurrentIndex(k);
            app.processEvents();
            frame.grab().save(out.filePath(QStringLiteral("page%1.png").arg(k)));
        }
        sheet->setCurrentIndex(0);
        RackManualUpdateDialog update(&frame);
        update.wineChosen(0);
        drawDialog(update, out, "majrange");
        EditLotDialog modification(&frame, frame.view()->page1()->selectedIndex());
        drawDialog(modification, out, "modifvin");
        CurrencyValuesDialog config(&frame);
        drawDialog(config, out, "config");
        WineTypeDialog wine(&frame, 2);
        wine.typeList()->selectRow(0);
        drawDialog(wine, out, "ajoutvin");
        AddCruOrAppellationDialog appellation(2, &frame);
        drawDialog(appellation, out, "ajout");
        RenameCruOrAppellationDialog rename(&frame, QStringLiteral("2"));
        rename.mainList()->selectRow(0);
        drawDialog(rename, out, "modifvat");
        EstatesDialog estates(&frame, 1);
        estates.typeList()->selectRow(0);
        drawDialog(estates, out, "domaines");
        LibraryFactDialog dishes(&frame, 6, frame.view()->page5()->selectedType(),
                                 frame.view()->page5()->selectedAppellation());
        drawDialog(dishes, out, "majtype-plats");
        LibraryFactDialog temperature(&frame, 8, frame.view()->page5()->selectedType(),
                                      frame.view()->page5()->selectedAppellation());
        drawDialog(temperature, out, "majtype-temperature");
        WinesForDishDialog platVin(&frame);
        platVin.dishList()->selectRow(0);
        drawDialog(platVin, out, "platvin");
        SearchDialog search(&frame);
        search.search();
        drawDialog(search, out, "recherche");
        ReadyToDrinkDialog ready(&frame);
        drawDialog(ready, out, "aboire");
        VintageYearDialog vintage(&frame, 1);
        drawDialog(vintage, out, "ajoutannee");
        OptionsDialog option(&frame);
        drawDialog(option, out, "option");
        AboutDialog about(&frame);
        drawDialog(about, out, "about");
        HelpWindow help;
        drawDialog(help, out, "help");
        PrintOrderDialog printOrder(&frame);
        drawDialog(printOrder, out, "choiximp");
        ExchangeFileDialog exchange(&frame, QStringLiteral("/home/moi/Documents/cave-pocket.txt"), 1);
        drawDialog(exchange, out, "choiximport");
        RestoreDialog restore(&frame);
        drawDialog(restore, out, "restauration");
        EditDishDialog modifPlat(&frame);
        modifPlat.dishList()->selectRow(0);
        drawDialog(modifPlat, out, "modifplat");
    }
    sheet->setCurrentIndex(0);

    const qint64 wine = frame.view()
                            ->session()
                            ->database()
                            .scalar(QStringLiteral("SELECT Relation FROM RAYONNAGE "
                                                   "WHERE Casier = 1 LIMIT 1"))
                            .toLongLong();
    RackDialog rack(&frame, wine, QStringLiteral("Visualisation"), 0);
    rack.resize(900, 560);
    rack.show();
    app.processEvents();
    rack.grab().save(out.filePath(QStringLiteral("rack.png")));
    return 0;
}
