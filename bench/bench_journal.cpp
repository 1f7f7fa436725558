// Times the journal page's first screen on 1,000,000 movements (goal: under 200 ms), and its totals.
//   bench_journal
#include "BestOf.h"
#include "CellarGenerator.h"

#include "db/CellarSession.h"
#include "journal/Journal.h"
#include "journal/ui/JournalModel.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = CellarGenerator::createSyntheticCellar(dir.filePath(QStringLiteral("bench.mdb")), 1000);
    CellarSession session(OpenCellarFile(path, false));
    CellarSession::setCurrent(&session);
    {
        Database& db = session.database();
        Transaction tx(db);
        // A million movements over ten years, by a recursive query: written in one statement.
        db.execute(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
            "INSERT INTO MOUVEMENTS (DateHeure, RelCave, NomVin, Type, Quantite, PrixUnitaire, Nature) "
            "SELECT strftime('%Y-%m-%dT%H:%M:%S', '2016-01-01', '+' || (i * 300) || ' seconds'), i % 1000, "
            "'Vin ' || (i % 1000), CASE i % 3 WHEN 0 THEN 'Loire' WHEN 1 THEN 'Bordeaux' ELSE 'Alsace' END, "
            "CASE WHEN i % 2 = 0 THEN 1 ELSE -1 END, 12.5, CASE WHEN i % 2 = 0 THEN 'achat' ELSE 'sortie' END FROM n"));
        tx.commit();
    }
    JournalModel model;
    const double firstMs = bestOf(5, [&] { model.setFilter({}); });
    Journal::Filter loire;
    loire.type = QStringLiteral("Loire");
    const double filteredMs = bestOf(5, [&] { model.setFilter(loire); });
    Journal::Totals totals;
    const double totalsMs = bestOf(3, [&] { totals = Journal::totals(session, {}); });
    double monthsMs = bestOf(3, [&] { (void)Journal::perMonth(session, {}); });
    std::printf("%-44s %10s\n", "1,000,000 movements", "best ms");
    std::printf("%-44s %10.1f  (%d rows)\n", "first screen, newest first (goal < 200 ms)", firstMs, model.rowCount());
    std::printf("%-44s %10.1f\n", "first screen of one wine type", filteredMs);
    std::printf("%-44s %10.1f  (bought %lld, drunk %lld)\n", "totals of the whole journal", totalsMs,
                static_cast<long long>(totals.bought), static_cast<long long>(totals.drunk));
    std::printf("%-44s %10.1f\n", "bottles per month (chart)", monthsMs);
    report("journal page, 1,000,000 movements: first screen", "< 200 ms", firstMs, "ms");
    report("journal page, 1,000,000 movements: one wine type", "< 200 ms", filteredMs, "ms");
    CellarSession::setCurrent(nullptr);
    return 0;
}
