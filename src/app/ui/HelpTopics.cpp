#include "app/ui/HelpTopics.h"

#include "app/ui/MainWindow.h"
#include "view/ui/CellarView.h"
#include "view/ui/LazyTab.h"

#include <QDialog>
#include <QHash>
#include <QTabWidget>

namespace HelpTopics {

namespace {

const QHash<QString, QString>& table()
{
    static const QHash<QString, QString> sections = {
        // The pages of the sheet.
        {QStringLiteral("Cpage1"), QStringLiteral("fiche")},
        {QStringLiteral("CPage2"), QStringLiteral("achat")},
        {QStringLiteral("CPage3"), QStringLiteral("annees")},
        {QStringLiteral("CPage4"), QStringLiteral("statistiques")},
        {QStringLiteral("CPage5"), QStringLiteral("bibliotheque")},
        {QStringLiteral("JournalPage"), QStringLiteral("journal")},
        {QStringLiteral("CCalculetteDlg"), QStringLiteral("calculette")},
        // The dialogs.
        {QStringLiteral("CDModifVin"), QStringLiteral("fiche")},
        {QStringLiteral("CDImage"), QStringLiteral("fiche")},
        {QStringLiteral("CDAjoutAnnee"), QStringLiteral("annees")},
        {QStringLiteral("CDAboire"), QStringLiteral("aboire")},
        {QStringLiteral("CDRayonnage"), QStringLiteral("ranger")},
        {QStringLiteral("CDMajRange"), QStringLiteral("ranger")},
        {QStringLiteral("CDRecherche"), QStringLiteral("recherche")},
        {QStringLiteral("CDAjoutVin"), QStringLiteral("listes")},
        {QStringLiteral("CDAjout"), QStringLiteral("listes")},
        {QStringLiteral("CDModifVAT"), QStringLiteral("listes")},
        {QStringLiteral("CDDomaines"), QStringLiteral("listes")},
        {QStringLiteral("CDAjoutPlat"), QStringLiteral("plats")},
        {QStringLiteral("CDModifPlat"), QStringLiteral("plats")},
        {QStringLiteral("CDPlatVin"), QStringLiteral("plats")},
        {QStringLiteral("CDAssoVinPlat"), QStringLiteral("plats")},
        {QStringLiteral("CDMajType"), QStringLiteral("bibliotheque")},
        {QStringLiteral("CDRestauration"), QStringLiteral("sauvegarde")},
        {QStringLiteral("CDChoixImport"), QStringLiteral("echange")},
        {QStringLiteral("CDChoixImp"), QStringLiteral("imprimer")},
        {QStringLiteral("CDOption"), QStringLiteral("options")},
        {QStringLiteral("CDConfig"), QStringLiteral("calculette")},
        {QStringLiteral("CDStockFormule"), QStringLiteral("calculette")},
    };
    return sections;
}

} // namespace

QString sectionOf(const QString& objectName)
{
    return table().value(objectName);
}

QString sectionFor(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (qobject_cast<const QDialog*>(w))
            return sectionOf(w->objectName());
        if (const auto* frame = qobject_cast<const MainWindow*>(w)) {
            QWidget* page = frame->view()->sheet()->currentWidget();
            if (auto* lazy = qobject_cast<LazyTab*>(page))
                page = lazy->page();
            return page ? sectionOf(page->objectName()) : QString();
        }
    }
    return QString();
}

QStringList sections()
{
    QStringList names = table().values();
    names.removeDuplicates();
    names.sort();
    return names;
}

} // namespace HelpTopics
