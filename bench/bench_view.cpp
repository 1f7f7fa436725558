// Times the main view on a cellar: the tree shown in either grouping (filled and painted), the first
// expansion of its largest country, and the wine list of the largest colour + type node of up to 10,000
// lots. Without a cellar, on synthetic cellars of 10,000 and 100,000 lots.
//   bench_view [CELLAR | N] ...
#include "BestOf.h"
#include "CellarGenerator.h"

#include "cellar/ui/WineListModel.h"
#include "cellar/ui/WineSheetPage.h"
#include "db/CellarSession.h"
#include "db/engine/Statement.h"
#include "view/ui/CellarView.h"

#include <QApplication>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

namespace {

const char* const kColours[] = {"Rouge", "Blanc", "Rose", "Autres"};

void measure(const QString& path, const QString& label)
{
    CellarView view;
    view.attachSession(std::make_unique<CellarSession>(OpenCellarFile(path, false)));
    view.resize(1200, 700);
    view.show();
    QApplication::processEvents();
    Database& db = view.session()->database();
    const int lots = db.scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt();
    auto shown = [&](bool byVintage) {
        return bestOf(3, [&] {
            byVintage ? view.fillTreeByVintage() : view.fillTreeByType();
            view.tree()->viewport()->repaint();
        });
    };
    const double typeTree = shown(false);
    // The country with the most lots, expanded for the first time.
    double expand = 0;
    {
        QTreeWidgetItem* largest = nullptr;
        int most = -1;
        for (int colour = 0; colour < 4; ++colour) {
            QTreeWidgetItem* root = view.tree()->topLevelItem(colour + 1);
            for (int i = 0; i < root->childCount(); ++i) {
                const int count = db.scalar(QStringLiteral("SELECT count(*) FROM CAVE c INNER JOIN TYPEVIN t ON "
                                                           "t.[Index] = c.RelType WHERE t.Etat = ? AND t.Nic = ?"),
                                            {QString::number(colour), root->child(i)->text(0)})
                                      .toInt();
                if (count > most) {
                    most = count;
                    largest = root->child(i);
                }
            }
        }
        if (largest) {
            const QStringList path = {largest->parent()->text(0), largest->text(0)};
            expand = 1e99;
            for (int run = 0; run < 3; ++run) {
                view.fillTreeByType();
                QTreeWidgetItem* root = view.tree()->findItems(path[0], Qt::MatchExactly).value(0);
                for (int i = 0; root && i < root->childCount(); ++i) {
                    if (root->child(i)->text(0) != path[1])
                        continue;
                    QElapsedTimer timer;
                    timer.start();
                    view.tree()->expandItem(root->child(i));
                    view.tree()->viewport()->repaint();
                    expand = std::min(expand, timer.nsecsElapsed() / 1e6);
                }
            }
        }
    }
    const double vintageTree = shown(true);
    // The colour + type node with the most lots, up to 10,000.
    WineSheetPage* page = view.page1();
    double listFill = 0;
    const QVariantList node = [&] {
        QVariantList row;
        Statement largest(db, QStringLiteral("SELECT t.Etat, t.Type, count(*) FROM CAVE c INNER JOIN TYPEVIN t ON "
                                             "t.[Index] = c.RelType WHERE t.Etat IN ('0', '1', '2', '3') GROUP BY "
                                             "t.Etat, t.Type HAVING count(*) <= 10000 ORDER BY 3 DESC LIMIT 1"));
        largest.bind({});
        if (largest.next())
            row = {largest.value(0), largest.value(1), largest.value(2)};
        return row;
    }();
    if (!node.isEmpty()) {
        const QString colour = QString::fromLatin1(kColours[node[0].toInt()]);
        listFill = bestOf(5, [&] {
            page->clearList();
            page->refreshWineList(colour, node[1].toString(), QString(), QString(), 7);
            page->list()->viewport()->repaint();
        });
    }
    std::printf("%-10s %8d %14.1f %14.1f %16.1f %10d %14.1f\n", qPrintable(label), lots, typeTree, expand, vintageTree,
                page->model()->rowCount(), listFill);
    report("tree shown, by type", "<= 100 ms", typeTree, "ms");
    report("tree shown, by vintage", "<= 100 ms", vintageTree, "ms");
    report("largest country expanded", "", expand, "ms");
    report("wine list of a node (up to 10,000 rows)", "<= 50 ms", listFill, "ms");
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        args = {QStringLiteral("10000"), QStringLiteral("100000")};
    std::printf("%-10s %8s %14s %14s %16s %10s %14s\n", "cellar", "lots", "type tree ms", "expand ms",
                "vintage tree ms", "list rows", "list fill ms");
    for (const QString& arg : args) {
        if (QFileInfo::exists(arg)) {
            measure(arg, QFileInfo(arg).completeBaseName());
            continue;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bench.mdb"));
        CellarGenerator::createCompleteCellar(path);
        {
            Database db;
            db.open(path);
            CellarGenerator::fillSynthetic(db, arg.toInt(), 7);
        }
        measure(path, arg);
    }
    return 0;
}
