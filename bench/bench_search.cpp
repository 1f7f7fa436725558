// Times the search, the statistics and the ready-to-drink list on 100,000 lots.
//   bench_search
#include "BestOf.h"
#include "CellarGenerator.h"

#include "cellar/ui/WineListModel.h"
#include "db/CellarSession.h"
#include "search/SearchQuery.h"
#include "search/ui/SearchDialog.h"
#include "statistics/CellarStatistics.h"
#include "statistics/ui/ReadyToDrinkDialog.h"
#include "statistics/ui/StatisticsPage.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = CellarGenerator::createSyntheticCellar(dir.filePath(QStringLiteral("bench.mdb")), 100000);
    CellarSession session(OpenCellarFile(path, false));
    CellarSession::setCurrent(&session);
    Database& db = session.database();
    const QString type = db.scalar(QStringLiteral("SELECT Type FROM TYPEVIN LIMIT 1")).toString();
    const int year = db.scalar(QStringLiteral("SELECT Millesime FROM CAVE LIMIT 1")).toInt();

    SearchDialog search;
    int rows = 0;
    const double byType = bestOf(5, [&] {
        search.clearCriteria();
        search.typeList()->setCurrentText(type);
        search.fromList()->setCurrentText(QString::number(year - 5));
        search.toList()->setCurrentText(QString::number(year + 5));
        search.search();
        rows = search.model()->rowCount();
    });
    int all = 0;
    const double everything = bestOf(3, [&] {
        search.clearCriteria();
        search.search();
        all = search.model()->rowCount();
    });
    StatisticsPage page;
    page.fillControls();
    const double period = bestOf(5, [&] { page.fillFigures(5, QString::number(year), QString()); });
    const double whole = bestOf(5, [&] { page.fillFigures(1, QString(), QString()); });
    int ready = 0;
    const double aboire = bestOf(3, [&] {
        ReadyToDrinkDialog dialog(nullptr, 2026);
        ready = dialog.model()->rowCount();
    });
    std::printf("lots: %d\n", db.scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt());
    std::printf("%-52s %10s\n", "", "best ms");
    std::printf("%-52s %10.1f   (%d rows)\n", "search: one type, a ten-year range, fill the list", byType, rows);
    std::printf("%-52s %10.1f   (%d rows)\n", "search: no criterion, every lot", everything, all);
    std::printf("%-52s %10.1f\n", "statistics: one vintage, figures and charts", period);
    std::printf("%-52s %10.1f\n", "statistics: the whole cellar, figures and charts", whole);
    std::printf("%-52s %10.1f   (%d wines)\n", "ready to drink: open and fill", aboire, ready);
    report("search by criteria, 100,000 lots: fill the list", "< 200 ms", byType, "ms");
    report("statistics of one vintage, 100,000 lots", "< 100 ms", period, "ms");
    report("statistics of the whole cellar, 100,000 lots", "", whole, "ms");
    report("ready to drink, 100,000 lots: open and fill", "< 200 ms", aboire, "ms");
    CellarSession::setCurrent(nullptr);
    return 0;
}
