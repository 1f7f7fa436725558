// Times what the user waits for when a purchase is saved on a 100,000-lot cellar: the new lot written with
// its journal movement and its synced commit (the entry page's "Enregistrer"), then six bottles placed in a
// rack (the rack view's "Enregistrer"). The floor of each is the same rows written by the bare SQLite library
// on the same file, in one transaction with the same durability.
//   bench_entry [--runs N]
#include "BestOf.h"
#include "CellarGenerator.h"

#include "cellar/WineEntry.h"
#include "db/CellarSession.h"
#include "rack/RackStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The same INSERTs through the C library alone: the durability the program uses (rollback journal, FULL).
double bareInserts(const QString& path, int positions, int runs)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
    sqlite3_stmt* lot = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO CAVE ([Nom vin], RelType, Proprietaire, Images, Cote, Millesime, Cru, Contenance, "
                       "[Nbr Achat], Stock, [Date Achat], [Prix Achat]) VALUES ('Floor', 1, 'P', '', 10, 2015, '', "
                       "'0,75 L', 6, 6, '01/02/2024', 90)",
                       -1, &lot, nullptr);
    sqlite3_stmt* cell = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO RAYONNAGE ([Coordonnees X], [Coordonnees Y], Casier, Relation) VALUES (?, ?, 9, 1)",
                       -1, &cell, nullptr);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        if (positions == 0) {
            sqlite3_step(lot);
            sqlite3_reset(lot);
        }
        for (int p = 0; p < positions; ++p) {
            sqlite3_bind_int(cell, 1, 1 + (run * positions + p) % 25);
            sqlite3_bind_int(cell, 2, 1 + (run * positions + p) / 25 % 25);
            sqlite3_step(cell);
            sqlite3_reset(cell);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    sqlite3_finalize(lot);
    sqlite3_finalize(cell);
    sqlite3_close(db);
    return median(times);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 31;
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--runs"))
        runs = std::max(1, args[1].toInt());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.mdb"));
    CellarGenerator::createCompleteCellar(path);
    {
        Database db;
        db.open(path);
        CellarGenerator::fillSynthetic(db, 100000);
    }
    std::vector<double> adds;
    std::vector<double> places;
    {
        CellarSession session(OpenCellarFile(path, false));
        NewLot lot;
        lot.name = QStringLiteral("Achat du jour");
        lot.typeIndex = 1;
        lot.owner = QStringLiteral("Domaine");
        lot.keeping = 10;
        lot.vintage = 2015;
        lot.contenance = QStringLiteral("0,75 L");
        lot.bottles = 6;
        lot.date = QStringLiteral("01/02/2024");
        lot.price = 90;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer clock;
            clock.start();
            const qint64 index = WineEntry::addLot(session, QStringLiteral("bench"), lot);
            adds.push_back(clock.nsecsElapsed() / 1e6);
            if (index == 0) {
                std::fprintf(stderr, "the lot was not written\n");
                return 1;
            }
            std::vector<RackStore::Change> changes;
            for (int b = 0; b < 6; ++b)
                changes.push_back({1 + (run * 6 + b) % 25, 1 + (run * 6 + b) / 25 % 25, index, 0});
            clock.restart();
            if (RackStore::apply(session, QStringLiteral("bench"), 10 + run % 80, changes) !=
                RackStore::Outcome::Written) {
                std::fprintf(stderr, "the bottles were not placed\n");
                return 1;
            }
            places.push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    const double floorAdd = bareInserts(path, 0, runs);
    const double floorPlace = bareInserts(path, 6, runs);
    std::printf("new lot on 100,000 lots: %.2f ms (SQLite alone %.2f ms); six bottles placed: %.2f ms (%.2f ms)\n",
                median(adds), floorAdd, median(places), floorPlace);
    report("new lot written, 100,000 lots (synced commit)", "<= 20", median(adds), "ms");
    report("  floor: the same INSERT by SQLite alone", "", floorAdd, "ms");
    report("six bottles placed in a rack, 100,000 lots", "", median(places), "ms");
    report("  floor: the same INSERTs by SQLite alone", "", floorPlace, "ms");
    return 0;
}
