// Draws the pictures of the documentation from a cellar file, without a display:
//   tonnelix-screenshots CELLAR OUTDIR   -> OUTDIR/screenshot.png (main window), OUTDIR/rack.png (a rack)
#include "app/CMainFrame.h"
#include "app/CTonnelixDoc.h"
#include "db/CellarSession.h"
#include "pages/Cpage1.h"
#include "platform/Profile.h"
#include "rack/CDRayonnage.h"
#include "view/CTonnelixView.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tonnelix-screenshots CELLAR OUTDIR\n");
        return 2;
    }
    QTemporaryDir settings;
    Profile::useFile(settings.filePath(QStringLiteral("Tonnelix.ini")));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    CTonnelixDoc document;
    document.setTitle(QStringLiteral("Tonnelix.mdb"));
    CMainFrame frame(&document);
    frame.updateTitle();
    if (!frame.view()->OnInitialUpdate(args[1]))
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

    // The other pages, for a look (not kept in the documentation).
    QTabWidget* sheet = frame.view()->sheet();
    for (int k = 1; k < sheet->count(); ++k) {
        sheet->setCurrentIndex(k);
        app.processEvents();
        frame.grab().save(QDir::temp().filePath(QStringLiteral("tonnelix-page%1.png").arg(k)));
    }
    sheet->setCurrentIndex(0);

    const qint64 wine = frame.view()
                            ->session()
                            ->database()
                            .scalar(QStringLiteral("SELECT Relation FROM RAYONNAGE "
                                                   "WHERE Casier = 1 LIMIT 1"))
                            .toLongLong();
    CDRayonnage rack(&frame, wine, QStringLiteral("Visualisation"), 0);
    rack.resize(900, 560);
    rack.show();
    app.processEvents();
    rack.grab().save(out.filePath(QStringLiteral("rack.png")));
    return 0;
}
