// Times the exchange file on 100,000 lots: export (lines written per second) and import (lines read and
// added per second) replacing the lots and into an empty cellar, with the peak memory of the process.
//   bench_exchange
#include "BestOf.h"
#include "CellarGenerator.h"

#include "db/CellarSession.h"
#include "exchange/ExchangeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = CellarGenerator::createSyntheticCellar(dir.filePath(QStringLiteral("bench.mdb")), 100000);
    CellarSession session(OpenCellarFile(path, false));
    const long before = peakMegabytes();
    const QString file = dir.filePath(QStringLiteral("pocket.txt"));
    int lines = 0;
    const double exportMs = bestOf(3, [&] {
        QFile::remove(file);
        lines = ExchangeFile::exportTo(session, file).records;
    });
    const long afterExport = peakMegabytes();
    int imported = 0;
    const double importMs = bestOf(3, [&] { imported = ExchangeFile::importFrom(session, file, true).records; });
    const long afterImport = peakMegabytes();
    // Beside the wines, into empty cellars made first: the import alone, without the deletion of the lots
    // (and its movements in the journal) that the replacement adds.
    for (int k = 1; k <= 3; ++k)
        CellarGenerator::createCompleteCellar(dir.filePath(QStringLiteral("empty-%1.mdb").arg(k)));
    int run = 0;
    int beside = 0;
    const double besideMs = bestOf(3, [&] {
        CellarSession empty(OpenCellarFile(dir.filePath(QStringLiteral("empty-%1.mdb").arg(++run)), false));
        beside = ExchangeFile::importFrom(empty, file, false).records;
    });
    std::printf("lines: %d exported, %d imported (file %.1f MB)\n", lines, imported, QFile(file).size() / 1e6);
    std::printf("%-32s %10s %14s %14s\n", "", "best ms", "lines/s", "peak RSS MB");
    std::printf("%-32s %10.1f %14.0f %14ld\n", "export of every lot", exportMs, lines / (exportMs / 1000), afterExport);
    std::printf("%-32s %10.1f %14.0f %14ld\n", "import, replacing the lots", importMs, imported / (importMs / 1000),
                afterImport);
    std::printf("%-32s %10.1f %14.0f\n", "import into an empty cellar", besideMs, beside / (besideMs / 1000));
    std::printf("(peak RSS before the exchange: %ld MB)\n", before);
    report("exchange file: export of 100,000 lots", ">= 200000 lines/s", lines / (exportMs / 1000), "lines/s");
    report("exchange file: import of 100,000 lines into an empty cellar", ">= 100000 lines/s",
           beside / (besideMs / 1000), "lines/s");
    report("exchange file: import replacing 100,000 lots", "", imported / (importMs / 1000), "lines/s");
    return 0;
}
