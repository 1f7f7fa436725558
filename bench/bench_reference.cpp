// Times the reference dialogs on large lists: 10,000 wine types (one of them with five appellations)
// and 2,000 estates. Each dialog is opened and filled, then a wine type is chosen (appellations, estates).
//   bench_reference
#include "BestOf.h"
#include "CellarGenerator.h"

#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "reference/ui/AddCruOrAppellationDialog.h"
#include "reference/ui/EstatesDialog.h"
#include "reference/ui/NameList.h"
#include "reference/ui/RenameCruOrAppellationDialog.h"
#include "reference/ui/WineTypeDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.mdb"));
    CellarGenerator::createCompleteCellar(path);
    {
        Database db;
        db.open(path);
        Transaction tx(db);
        for (int t = 0; t < 10000; ++t) {
            for (int a = 0; a < (t == 7 ? 5 : 1); ++a)
                db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES (?, ?, ?, 'FR')"),
                           {QStringLiteral("Vin %1").arg(t, 5, 10, QLatin1Char('0')),
                            QStringLiteral("Appellation %1-%2").arg(t).arg(a), QString::number(a % 4)});
        }
        for (int e = 0; e < 2000; ++e)
            db.execute(
                QStringLiteral("INSERT INTO DOMAINES (Type, Domaine) VALUES (?, ?)"),
                {QStringLiteral("Vin %1").arg(e % 40, 5, 10, QLatin1Char('0')), QStringLiteral("Domaine %1").arg(e)});
        for (int c = 0; c < 2000; ++c)
            db.execute(QStringLiteral("INSERT OR IGNORE INTO CRUS (Nom) VALUES (?)"),
                       {QStringLiteral("Cru %1").arg(c)});
        tx.commit();
    }
    CellarSession session(OpenCellarFile(path, false));
    CellarSession::setCurrent(&session);
    const QString someType = QStringLiteral("Vin 00007");

    {
        WineTypeDialog check(nullptr, 2);
        check.typeList()->selectName(someType);
        EstatesDialog estates(nullptr, 1);
        estates.typeList()->selectName(someType);
        std::printf("wine types listed: %d, appellations of one: %d, estates of one: %d\n", check.typeList()->count(),
                    check.appellationList()->count() - 1, estates.estateList()->count());
    }
    std::printf("%-46s %10s\n", "10,004 TYPEVIN rows, 2,000 estates, 2,000 crus", "best ms");
    auto show = [](const char* what, double ms) {
        std::printf("%-46s %10.1f\n", what, ms);
        report(what, "< 100 ms", ms, "ms");
    };
    show("CDAjoutVin creation: open", bestOf(5, [] { WineTypeDialog dialog(nullptr, 1); }));
    show("CDAjoutVin modification: open, choose a type", bestOf(5, [&] {
             WineTypeDialog dialog(nullptr, 2);
             dialog.typeList()->selectName(someType);
         }));
    show("CDAjout cru: open", bestOf(5, [] { AddCruOrAppellationDialog dialog(1); }));
    show("CDAjout appellation: open", bestOf(5, [] { AddCruOrAppellationDialog dialog(2); }));
    show("CDModifVAT cru: open", bestOf(5, [] { RenameCruOrAppellationDialog dialog(nullptr, QStringLiteral("1")); }));
    show("CDModifVAT appellation: open, choose a type", bestOf(5, [&] {
             RenameCruOrAppellationDialog dialog(nullptr, QStringLiteral("2"));
             dialog.mainList()->selectName(someType);
         }));
    show("CDDomaines: open, choose a type", bestOf(5, [&] {
             EstatesDialog dialog(nullptr, 1);
             dialog.typeList()->selectName(someType);
         }));
    CellarSession::setCurrent(nullptr);
    return 0;
}
