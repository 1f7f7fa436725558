// Times the start of the application as a user sees it, in a process of its own: from the start of the
// process to the main window shown with its tree and its first page, on a copy of the cellar given; and
// the memory the process holds then.
//   bench_startup [--runs N] CELLAR
#include "BestOf.h"

#include "app/ui/TonnelixApplication.h"
#include "platform/Profile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <unistd.h>

namespace {

// What the process holds in memory now, in megabytes.
double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// The started program: opens the cellar as the application does, shows the window, tells and leaves
// without tearing anything down.
int child(int argc, char* argv[], const QString& cellar, const QString& settings)
{
    QApplication app(argc, argv);
    TonnelixApplication::setApplicationNames();
    TonnelixApplication::installTranslations();
    Profile::useFile(settings);
    TonnelixApplication tonnelix;
    if (!tonnelix.start({cellar}))
        return 1;
    app.processEvents();
    std::printf("shown %.1f\n", residentMegabytes());
    std::fflush(stdout);
    _exit(0);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QCoreApplication app(argc, argv);
    int runs = 5;
    const QString cellar = cellarArgument(app.arguments().mid(1), runs, "bench_startup");
    if (cellar.isEmpty())
        return 2;
    QTemporaryDir dir;
    std::vector<double> times, memory;
    for (int i = 0; i < runs; ++i) {
        const QString copy = dir.filePath(QStringLiteral("run%1.mdb").arg(i));
        QFile::copy(cellar, copy);
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer timer;
        timer.start();
        process.start(app.applicationFilePath(),
                      {QStringLiteral("--child"), copy, dir.filePath(QStringLiteral("Tonnelix%1.ini").arg(i))});
        QByteArray line;
        while (!line.contains('\n') && process.waitForReadyRead(60000))
            line += process.readAllStandardOutput();
        const double ms = timer.nsecsElapsed() / 1e6;
        process.waitForFinished();
        if (!line.startsWith("shown ")) {
            std::fprintf(stderr, "bench_startup: the program did not start on %s\n", qPrintable(cellar));
            return 1;
        }
        times.push_back(ms);
        memory.push_back(line.mid(6).trimmed().toDouble());
        QFile::remove(copy);
    }
    for (size_t i = 0; i < times.size(); ++i) {
        report("start to the window shown", "<= 400 ms", times[i], "ms");
        report("resident memory after start", "<= 60 MB", memory[i], "MB");
    }
    return 0;
}
