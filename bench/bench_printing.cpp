// Times the backup of a 100,000-lot cellar and the printed list of 10,000 lots (30,000 lines) to a PDF and to a
// printer's preview pages, with the peak memory.
//   bench_printing
#include "BestOf.h"
#include "CellarGenerator.h"

#include "backup/Backups.h"
#include "db/CellarSession.h"
#include "printing/WineListPrint.h"

#include <QApplication>
#include <QFile>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    CellarSession big(
        OpenCellarFile(CellarGenerator::createSyntheticCellar(dir.filePath(QStringLiteral("big.mdb")), 100000), false));
    int minute = 0;
    const double backup = bestOf(3, [&] { Backups::backup(big, QDateTime(QDate(2026, 1, 1), QTime(10, minute++))); });
    QTemporaryDir small;
    CellarSession ten(OpenCellarFile(
        CellarGenerator::createSyntheticCellar(small.filePath(QStringLiteral("ten.mdb")), 10000), false));
    WineListPrint::registerFontSubstitutes();
    int pages = 0;
    const QString pdfPath = small.filePath(QStringLiteral("liste.pdf"));
    const double pdf = bestOf(3, [&] {
        const std::vector<WineListPrint::Lot> lots = WineListPrint::load(ten, 1);
        QPdfWriter writer(pdfPath);
        writer.setResolution(600);
        pages = WineListPrint::paint(writer, lots, 1);
    });
    const long afterPdf = peakMegabytes();
    // What the preview does before it shows: draw every page on the printer's preview device.
    const double preview = bestOf(3, [&] {
        const std::vector<WineListPrint::Lot> lots = WineListPrint::load(ten, 1);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(small.filePath(QStringLiteral("preview.pdf")));
        WineListPrint::paint(printer, lots, 1);
    });
    std::printf("%-48s %10s\n", "", "best ms");
    std::printf("%-48s %10.1f\n", "backup of 100,000 lots (compacted copy)", backup);
    std::printf("%-48s %10.1f   (%d pages, %.1f MB, peak RSS %ld MB)\n", "list of 10,000 lots to PDF", pdf, pages,
                QFile(pdfPath).size() / 1e6, afterPdf);
    std::printf("%-48s %10.1f\n", "list of 10,000 lots on a printer device", preview);
    report("backup of 100,000 lots", "< 1000 ms", backup, "ms");
    report("list of 10,000 lots to PDF", "< 5000 ms", pdf, "ms");
    report("list of 10,000 lots, print preview", "< 2000 ms", preview, "ms");
    return 0;
}
