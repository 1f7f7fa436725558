// Times the CSV exchange on 100,000 lots: export, and import into an empty cellar (rows per second; the goal
// is at least 100,000 rows/s).
//   bench_csv
#include "BestOf.h"
#include "CellarGenerator.h"

#include "db/CellarSession.h"
#include "exchange/Csv.h"
#include "exchange/CsvExchange.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = CellarGenerator::createSyntheticCellar(dir.filePath(QStringLiteral("bench.mdb")), 100000);
    int rows = 0;
    const QString csv = dir.filePath(QStringLiteral("cave.csv"));
    double exportMs = 0;
    {
        CellarSession session(OpenCellarFile(path, false));
        exportMs = bestOf(3, [&] { rows = CsvExchange::exportTo(session, csv).lots; });
    }
    int imported = 0;
    int run = 0;
    // The empty cellars are made first: only the import is timed.
    for (int k = 1; k <= 3; ++k)
        CellarGenerator::createCompleteCellar(dir.filePath(QStringLiteral("empty-%1.mdb").arg(k)));
    const double importMs = bestOf(3, [&] {
        CellarSession session(OpenCellarFile(dir.filePath(QStringLiteral("empty-%1.mdb").arg(++run)), false));
        imported = CsvExchange::importFrom(session, csv).lots;
    });
    // The reading alone, without the cellar.
    const double readMs = bestOf(3, [&] {
        QFile file(csv);
        file.open(QIODevice::ReadOnly);
        (void)Csv::read(Csv::decode(file.readAll()));
    });
    std::printf("rows: %d exported, %d imported (file %.1f MB)\n", rows, imported, QFile(csv).size() / 1e6);
    std::printf("%-40s %10s %14s\n", "", "best ms", "rows/s");
    std::printf("%-40s %10.1f %14.0f\n", "CSV export of every lot", exportMs, rows / (exportMs / 1000));
    std::printf("%-40s %10.1f %14.0f\n", "CSV import into an empty cellar (goal)", importMs,
                imported / (importMs / 1000));
    std::printf("%-40s %10.1f %14.0f\n", "CSV reading alone", readMs, rows / (readMs / 1000));
    std::printf("(goal: at least 100000 rows/s; peak RSS %ld MB)\n", peakMegabytes());
    report("CSV import of 100,000 rows", ">= 100000 rows/s", imported / (importMs / 1000), "rows/s");
    report("CSV export of 100,000 lots", "", rows / (exportMs / 1000), "rows/s");
    return 0;
}
