// Times the start of the application on a copy of the demo cellar: from nothing to the main window
// shown with its tree, its pages and the cellar upgraded.
//   bench_startup [runs]
#include "CellarGenerator.h"

#include "app/CMainFrame.h"
#include "app/CTonnelixApp.h"
#include "db/engine/Database.h"
#include "platform/Profile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    QTemporaryDir dir;
    Profile::useFile(dir.filePath(QStringLiteral("Tonnelix.ini")));
    const QString demo = dir.filePath(QStringLiteral("demo.mdb"));
    CellarGenerator::createCompleteCellar(demo);
    {
        Database db;
        db.open(demo);
        CellarGenerator::fillDemo(db);
    }
    double best = 1e99;
    for (int i = 0; i < runs; ++i) {
        const QString copy = dir.filePath(QStringLiteral("run%1.mdb").arg(i));
        QFile::copy(demo, copy);
        QElapsedTimer timer;
        timer.start();
        CTonnelixApp tonnelix;
        if (!tonnelix.InitInstance({copy}))
            return 1;
        app.processEvents();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    std::printf("start-up on the demo cellar: %.1f ms (best of %d)\n", best, runs);
    return 0;
}
