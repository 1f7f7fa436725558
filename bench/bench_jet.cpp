// Times the conversion of a cellar of the Windows release as the user waits for it: the whole command
// `tonnelix --convert-jet SOURCE TARGET`, a process of its own. Its floor is libmdb alone reading every row of
// CAVE and RAYONNAGE (every column bound) in this process, on the same file.
//   bench_jet [--runs N] TONNELIX JETFILE
#include "BestOf.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <mdbtools.h>
#include <vector>

namespace {

// Reads every row of the table, every column bound, as a reader of the file must at the least; its rows.
long readAll(MdbHandle* mdb, const char* name)
{
    MdbTableDef* table = mdb_read_table_by_name(mdb, const_cast<gchar*>(name), MDB_TABLE);
    if (!table)
        return -1;
    mdb_read_columns(table);
    std::vector<std::vector<char>> bound(table->num_cols, std::vector<char>(MDB_BIND_SIZE));
    std::vector<int> lengths(table->num_cols);
    for (unsigned c = 0; c < table->num_cols; ++c)
        mdb_bind_column(table, static_cast<int>(c + 1), bound[c].data(), &lengths[c]);
    mdb_rewind_table(table);
    long rows = 0;
    while (mdb_fetch_row(table))
        ++rows;
    mdb_free_tabledef(table);
    return rows;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 3;
    if (args.size() >= 2 && args[0] == QLatin1String("--runs")) {
        runs = std::max(1, args[1].toInt());
        args = args.mid(2);
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: bench_jet [--runs N] TONNELIX JETFILE\n");
        return 2;
    }
    const QString program = args[0];
    const QString source = args[1];
    long lots = 0;
    const double floor = bestOf(runs, [&] {
        MdbHandle* mdb = mdb_open(QFile::encodeName(source).constData(), MDB_NOFLAGS);
        if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE))
            return;
        lots = readAll(mdb, "CAVE");
        readAll(mdb, "RAYONNAGE");
        mdb_close(mdb);
    });
    QTemporaryDir dir;
    int n = 0;
    bool failed = false;
    const double command = bestOf(runs, [&] {
        QProcess child;
        child.start(program, {QStringLiteral("--convert-jet"), source,
                              dir.filePath(QStringLiteral("converted-%1.mdb").arg(++n))});
        failed = failed || !child.waitForFinished(600000) || child.exitCode() != 0;
    });
    if (failed) {
        std::fprintf(stderr, "the conversion failed\n");
        return 1;
    }
    std::printf("%ld lots: conversion %.1f ms (whole command), libmdb alone reading CAVE and RAYONNAGE %.1f ms\n", lots,
                command, floor);
    // The goal is set for a large cellar; on a small one the program's start is most of the time.
    const QByteArray size = QByteArray::number(static_cast<qlonglong>(lots));
    const bool large = lots >= 20000;
    report(("conversion, whole command (" + size + " lots)").constData(), "", command, "ms");
    report(("  floor: libmdb alone reading CAVE and RAYONNAGE (" + size + " lots)").constData(), "", floor, "ms");
    report(("ratio to the floor (" + size + " lots)").constData(), large ? "<= 2" : "", command / floor, "ratio");
    return 0;
}
