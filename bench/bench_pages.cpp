// Times the first opening of every page of the sheet on a cellar, each in a new window as at a start: the
// tab shown, its page built and filled, painted. Also the CSV import's first step, the columns it
// recognises, on the cellar's own export.
//   bench_pages [--runs N] CELLAR
#include "BestOf.h"

#include "db/CellarSession.h"
#include "exchange/CsvExchange.h"
#include "view/ui/CellarView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 3;
    const QString cellar = cellarArgument(app.arguments().mid(1), runs, "bench_pages");
    if (cellar.isEmpty())
        return 2;
    const QString& path = cellar;
    for (int run = 0; run < runs; ++run) {
        for (int tab = 1;; ++tab) {
            CellarView view;
            view.attachSession(std::make_unique<CellarSession>(OpenCellarFile(path, false)));
            view.fillTreeByType();
            view.resize(1280, 760);
            view.show();
            QApplication::processEvents();
            if (tab >= view.sheet()->count())
                break;
            const QString title = view.sheet()->tabText(tab);
            QElapsedTimer timer;
            timer.start();
            view.sheet()->setCurrentIndex(tab);
            view.sheet()->currentWidget()->repaint();
            const double ms = timer.nsecsElapsed() / 1e6;
            std::printf("page \"%s\" opened: %.1f ms\n", qPrintable(title), ms);
            // The goal is the journal's, the page the history of movements added; the others are measured.
            const bool journal = title == QLatin1String("Journal");
            report(qPrintable(QStringLiteral("page \"%1\" opened").arg(title)), journal ? "<= 100 ms" : "", ms, "ms");
        }
        // The CSV import first shows the columns it recognises.
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("cave.csv"));
        {
            CellarSession session(OpenCellarFile(path, false));
            CsvExchange::exportTo(session, csv);
        }
        QElapsedTimer timer;
        timer.start();
        const CsvExchange::Result columns = CsvExchange::inspect(csv);
        const double ms = timer.nsecsElapsed() / 1e6;
        std::printf("CSV import, columns recognised (%lld recognised): %.1f ms\n",
                    static_cast<long long>(columns.recognised.size()), ms);
        report("CSV import: the columns recognised shown", "<= 100 ms", ms, "ms");
    }
    return 0;
}
