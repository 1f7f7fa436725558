// Times the library page and the search of the wines of a dish on a large cellar: 100,000 lots,
// 10,000 TYPEVIN rows suggesting 3 to 8 dishes each, 5,000 dishes.
//   bench_library
#include "BestOf.h"
#include "CellarGenerator.h"

#include "db/CellarSession.h"
#include "reference/ui/DishList.h"
#include "reference/ui/LibraryPage.h"
#include "reference/ui/WinesForDishDialog.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = CellarGenerator::createSyntheticCellar(dir.filePath(QStringLiteral("bench.mdb")), 100000);
    {
        Database db;
        db.open(path);
        Transaction tx(db);
        for (int d = 0; d < 5000; ++d)
            db.execute(QStringLiteral("INSERT INTO PLATS (Plat) VALUES (?)"), {QStringLiteral("Plat %1").arg(d)});
        QRandomGenerator random(7);
        const int existing = db.scalar(QStringLiteral("SELECT count(*) FROM TYPEVIN")).toInt();
        for (int t = existing; t < 10000; ++t) {
            QString dishes;
            for (int k = 0, n = 3 + random.bounded(6); k < n; ++k)
                dishes += QStringLiteral("*%1,").arg(1 + random.bounded(5000));
            db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic, Raisin, Garde, RelPlats) "
                                      "VALUES (?, ?, '0', 'FR', 'Merlot', '5 à 10 ans', ?)"),
                       {QStringLiteral("Vin %1").arg(t), QStringLiteral("Appellation %1").arg(t), dishes});
        }
        db.execute(
            QStringLiteral("UPDATE TYPEVIN SET RelPlats = '*42,*4242,*7,' WHERE RelPlats IS NULL OR RelPlats = ''"));
        tx.commit();
    }
    CellarSession session(OpenCellarFile(path, false));
    CellarSession::setCurrent(&session);
    std::printf("lots: %d, TYPEVIN rows: %d, dishes: %d\n",
                session.database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(),
                session.database().scalar(QStringLiteral("SELECT count(*) FROM TYPEVIN")).toInt(),
                session.database().scalar(QStringLiteral("SELECT count(*) FROM PLATS")).toInt());

    LibraryPage page;
    const double load = bestOf(3, [&] { page.fillControls(); });
    int row = 0;
    const double select = bestOf(20, [&] {
        row = (row + 997) % page.list()->model()->rowCount();
        page.list()->selectRow(row);
    });
    WinesForDishDialog search;
    int dish = 0;
    int wines = 0;
    const double platVin = bestOf(10, [&] {
        dish = (dish + 431) % search.dishList()->count();
        search.dishList()->selectRow(dish);
        wines = search.wineModel()->rowCount();
    });
    const double open = bestOf(3, [] { WinesForDishDialog dialog; });
    std::printf("%-46s %10s\n", "", "best ms");
    std::printf("%-46s %10.1f\n", "library page: load the 10,000 rows", load);
    std::printf("%-46s %10.1f\n", "library page: switch to another type", select);
    std::printf("%-46s %10.1f\n", "wines for a dish: open with 5,000 dishes", open);
    std::printf("%-46s %10.1f   (%d wines for the last dish)\n", "wines for a dish: choose a dish, fill", platVin,
                wines);
    report("library page: switch to another type", "< 50 ms", select, "ms");
    report("wines for a dish: choose a dish, fill", "< 200 ms", platVin, "ms");
    CellarSession::setCurrent(nullptr);
    return 0;
}
