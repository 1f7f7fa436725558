// Times the main view on synthetic cellars: the type tree, the vintage tree, and the wine list of a
// colour + type node holding a tenth of the lots.
//   bench_view [N ...]     (default: 10000 100000)
#include "BestOf.h"
#include "CellarGenerator.h"

#include "db/CellarSession.h"
#include "pages/Cpage1.h"
#include "pages/WineListModel.h"
#include "view/CTonnelixView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> sizes;
    for (const QString& arg : app.arguments().mid(1))
        sizes << arg.toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000};

    std::printf("%-8s %14s %16s %10s %14s\n", "lots", "type tree ms", "vintage tree ms", "list rows", "list fill ms");
    for (int lots : sizes) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bench.mdb"));
        CellarGenerator::createCompleteCellar(path);
        {
            Database db;
            db.open(path);
            CellarGenerator::fillSynthetic(db, lots, 7);
        }
        CTonnelixView view;
        view.attachSession(std::make_unique<CellarSession>(OpenCellarFile(path, false)));
        const double typeTree = bestOf(3, [&] { view.OnRempliArbreType(); });
        const double vintageTree = bestOf(3, [&] { view.OnRempliArbreAnnee(); });
        Cpage1* page = view.page1();
        const double listFill = bestOf(5, [&] {
            page->clearList();
            page->OnMajListeVin(QStringLiteral("Rouge"), QStringLiteral("Bordeaux"), QString(), QString(), 7);
        });
        std::printf("%-8d %14.1f %16.1f %10d %14.1f\n", lots, typeTree, vintageTree, page->model()->rowCount(),
                    listFill);
    }
    return 0;
}
