#pragma once

#include "view/CellarTree.h"

#include <QHash>
#include <QWidget>
#include <memory>

class CellarSession;
class WineSheetPage;
class BottleEntryPage;
class VintageRatingsPage;
class StatisticsPage;
class LibraryPage;
class JournalPage;
class LazyTab;
class CalculatorPage;
class QRadioButton;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QIcon;

// The single view of the main window: the cellar tree on the left (by colour, country, then wine type or
// vintage), the sheet of pages on the right. Its first update opens the cellar and brings it up to date.
class CellarView : public QWidget
{
    Q_OBJECT
public:
    explicit CellarView(QWidget* parent = nullptr);
    ~CellarView() override;

    // Opens the cellar (the one given, for this run only, or the one saved in the settings), records
    // its path, upgrades it and fills the tree. False when no cellar could be opened.
    bool initialUpdate(const QString& commandLinePath = QString());
    // Works on an open session from now on (the first update does it; tests and benchmarks too).
    void attachSession(std::unique_ptr<CellarSession> session);
    // Opens another cellar in place of this one (a cellar of the Windows release is converted first): it is
    // brought up to date, saved as the cellar of the next start, and every page shows it; the first cellar's
    // lock is released. False (the cellar in use kept) when it could not be opened.
    bool openCellar(const QString& path);

    // Rebuild the tree grouped by wine type, or by vintage.
    void fillTreeByType();
    void fillTreeByVintage();
    // Rebuild in the grouping the radio buttons show, keeping the nodes expanded, the node selected and the
    // lot highlighted (the change notice of every write calls it).
    void RefreshTree();
    // Re-reads "Config"/"Couleur" and sets the tree background.
    void applyTreeColour();
    // Rebuilds the vintage table from ANNEES.
    void fillVintageTable();

    bool anneeChecked() const;
    CellarSession* session() const { return m_session.get(); }
    QTabWidget* sheet() const { return m_sheet; }
    QTreeWidget* tree() const { return m_tree; }
    QRadioButton* radioType() const { return m_radioType; }
    QRadioButton* radioAnnee() const { return m_radioAnnee; }
    WineSheetPage* page1() const { return m_page1; }
    // The other pages are built the first time their tab is shown or they are asked for here.
    BottleEntryPage* page2() const;
    VintageRatingsPage* page3() const;
    StatisticsPage* page4() const;
    LibraryPage* page5() const;
    JournalPage* journal() const;
    CalculatorPage* calculator() const;
    // Brings the tab holding this page to the front.
    void showPage(QWidget* page);
    const QString& lastTreeSql() const { return m_sql; }
    // Adds a page to the sheet, after the cellar pages already there (the calculator stays last).
    // Inserts a page before the calculator, with the tab picture of that number.
    void addPage(QWidget* page, const QString& title, int icon);

Q_SIGNALS:
    // A page was built, the first time it was shown or asked for.
    void pageBuilt(QWidget* page);

private:
    void fillTree(bool byVintage);
    // Adds the children of a node the first time it is expanded.
    void fillChildren(QTreeWidgetItem* item);
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const CellarTree::Node& node, int depth, const QIcon& icon);
    void onTreeSelection();
    // Fills the wine sheet's list with the lots of the node selected.
    void listSelectedNode();
    // The node at that path of texts from the root, or the nearest of its parents still in the tree.
    QTreeWidgetItem* findPath(const QStringList& path);
    QWidget* buildTreeSide();
    QWidget* buildSheetArea();
    void addPages();
    void connectPages();
    void initBuiltPages();
    void openRack(qint64 index, const QString& mode, int count);
    BottleEntryPage* buildPage2(QWidget* parent);

    QSplitter* m_splitter = nullptr;
    QTreeWidget* m_tree = nullptr;
    QRadioButton* m_radioType = nullptr;
    QRadioButton* m_radioAnnee = nullptr;
    QTabWidget* m_sheet = nullptr;
    WineSheetPage* m_page1 = nullptr;
    LazyTab* m_tab2 = nullptr;
    LazyTab* m_tab3 = nullptr;
    LazyTab* m_tab4 = nullptr;
    LazyTab* m_tab5 = nullptr;
    LazyTab* m_tabJournal = nullptr;
    LazyTab* m_tabCalculator = nullptr;
    QString m_sql;
    std::unique_ptr<CellarTree> m_treeData;
    // The groups of lots under the nodes not yet expanded, and their colours.
    QHash<QTreeWidgetItem*, std::vector<CellarTree::Group>> m_unfilled;
    std::unique_ptr<CellarSession> m_session;
};

// The view in use, for the pages and dialogs that ask it to refresh.
extern CellarView* g_CView;
