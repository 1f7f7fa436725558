#include "view/ui/CellarView.h"
#include "platform/Settings.h"
#include "view/ui/CellarOpeningPrompts.h"

#include "calculator/ui/CalculatorPage.h"
#include "cellar/ui/BottleEntryPage.h"
#include "cellar/ui/EditLotDialog.h"
#include "cellar/ui/LotPictureDialog.h"
#include "cellar/ui/WineSheetPage.h"
#include "db/CellarEvents.h"
#include "db/CellarSession.h"
#include "db/SchemaUpgrade.h"
#include "journal/ui/JournalPage.h"
#include "platform/Prompt.h"
#include "rack/ui/RackDialog.h"
#include "reference/ReferenceEvents.h"
#include "reference/ui/DishesForWineDialog.h"
#include "reference/ui/LibraryPage.h"
#include "reference/ui/WineTypeDialog.h"
#include "statistics/ui/StatisticsPage.h"
#include "trace/Trace.h"
#include "view/ui/LazyTab.h"
#include "vintages/VintageTable.h"
#include "vintages/ui/VintageRatingsPage.h"
#include "widgets/ui/Pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

CellarView* g_CView = nullptr;

namespace {

// The roots of both trees, in order, with their images.
struct Root
{
    const char* text;
    int image;
};
const Root kRoots[] = {{"Contenu de la cave", 3}, {"Rouge", 0}, {"Blanc", 1}, {"Rose", 7}, {"Autres", 2}};

bool isColourRoot(const QString& text)
{
    return text == QLatin1String("Rouge") || text == QLatin1String("Blanc") || text == QLatin1String("Rose") ||
           text == QLatin1String("Autres");
}

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

int depthOf(const QTreeWidgetItem* item)
{
    int depth = 0;
    for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        ++depth;
    return depth;
}

} // namespace

CellarView::CellarView(QWidget* parent) : QWidget(parent)
{
    Pictures::init();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(m_splitter);
    QWidget* left = buildTreeSide();
    QWidget* sheetArea = buildSheetArea();
    m_splitter->addWidget(left);
    m_splitter->addWidget(sheetArea);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({260, 900});
    addPages();
    connectPages();

    connect(m_radioType, &QRadioButton::clicked, this, [this] {
        m_radioType->setChecked(true);
        fillTreeByType();
    });
    connect(m_radioAnnee, &QRadioButton::clicked, this, [this] {
        m_radioAnnee->setChecked(true);
        fillTreeByVintage();
    });
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CellarView::onTreeSelection);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &CellarView::fillChildren);
}

// The tree and the choice of its order (by type, by year).
QWidget* CellarView::buildTreeSide()
{
    auto* left = new QWidget(m_splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_tree = new QTreeWidget(left);
    m_tree->setObjectName(QStringLiteral("cellarTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    leftLayout->addWidget(m_tree, 1);
    auto* group = new QGroupBox(QStringLiteral("Affichage par"), left);
    auto* groupLayout = new QHBoxLayout(group);
    m_radioType = new QRadioButton(QStringLiteral("Type"), group);
    m_radioAnnee = new QRadioButton(QStringLiteral(" Année"), group);
    groupLayout->addWidget(m_radioType);
    groupLayout->addWidget(m_radioAnnee);
    leftLayout->addWidget(group);

    return left;
}

// The sheet scrolls when the window is smaller than a page needs (a small screen, a large scale): the
// window itself never has to be larger than the screen.
QWidget* CellarView::buildSheetArea()
{
    auto* sheetArea = new QScrollArea(m_splitter);
    sheetArea->setObjectName(QStringLiteral("sheetArea"));
    sheetArea->setWidgetResizable(true);
    sheetArea->setFrameShape(QFrame::NoFrame);
    m_sheet = new QTabWidget(sheetArea);
    m_sheet->setObjectName(QStringLiteral("sheet"));
    sheetArea->setWidget(m_sheet);
    return sheetArea;
}

// The pages of the sheet: the wine sheet is the first shown; the others are built when first shown or asked
// for.
void CellarView::addPages()
{
    m_page1 = new WineSheetPage(m_sheet);
    addPage(m_page1, QStringLiteral("Etat du vin sélectionné"), 0);
    m_tab2 = new LazyTab([this](QWidget* parent) { return buildPage2(parent); }, m_sheet);
    addPage(m_tab2, QStringLiteral("Ajout de bouteilles"), 1);
    m_tab3 = new LazyTab(
        [this](QWidget* parent) {
            auto* page = new VintageRatingsPage(parent);
            if (m_session)
                page->fillTable();
            return page;
        },
        m_sheet);
    addPage(m_tab3, QStringLiteral("Années"), 2);
    m_tab4 = new LazyTab(
        [this](QWidget* parent) {
            auto* page = new StatisticsPage(parent);
            connect(&ReferenceEvents::instance(), &ReferenceEvents::crusChanged, page, &StatisticsPage::fillControls);
            // Shown while a write is made from a dialog (an import, a restore): its figures follow at once.
            for (auto signal : {&CellarEvents::lotsChanged, &CellarEvents::cellarReplaced})
                connect(&CellarEvents::instance(), signal, page, [page] {
                    if (page->isVisible())
                        page->showWholeCellar();
                });
            if (m_session)
                page->fillControls();
            return page;
        },
        m_sheet);
    addPage(m_tab4, QStringLiteral("Stat sur la Cave"), 3);
    m_tab5 = new LazyTab(
        [this](QWidget* parent) {
            auto* page = new LibraryPage(parent);
            connect(&ReferenceEvents::instance(), &ReferenceEvents::wineTypesChanged, page, &LibraryPage::fillControls);
            connect(&ReferenceEvents::instance(), &ReferenceEvents::dishesChanged, page, &LibraryPage::readFacts);
            if (m_session)
                page->fillControls();
            return page;
        },
        m_sheet);
    addPage(m_tab5, QStringLiteral("Bibliothéque"), 4);
    m_tabJournal = new LazyTab([](QWidget* parent) { return new JournalPage(parent); }, m_sheet);
    addPage(m_tabJournal, QStringLiteral("Journal"), 3);
    m_tabCalculator = new LazyTab([](QWidget* parent) { return new CalculatorPage(parent); }, m_sheet);
    m_sheet->addTab(m_tabCalculator, Pictures::tabIcon(5), QStringLiteral("Calculette Euro"));
    for (LazyTab* tab : {m_tab2, m_tab3, m_tab4, m_tab5, m_tabJournal, m_tabCalculator})
        connect(tab, &LazyTab::built, this, &CellarView::pageBuilt);
}

CellarView::~CellarView()
{
    if (g_CView == this)
        g_CView = nullptr;
    VintageTable::forget();
    // The pages go before the session they read.
    delete m_sheet;
    m_sheet = nullptr;
    if (CellarSession::current() == m_session.get())
        CellarSession::setCurrent(nullptr);
}

void CellarView::addPage(QWidget* page, const QString& title, int icon)
{
    // The calculator stays the last page.
    const int k = m_tabCalculator ? m_sheet->indexOf(m_tabCalculator) : m_sheet->count();
    m_sheet->insertTab(k, page, Pictures::tabIcon(icon), title);
}

void CellarView::attachSession(std::unique_ptr<CellarSession> session)
{
    m_session = std::move(session);
    CellarSession::setCurrent(m_session.get());
    g_CView = this;
}

bool CellarView::openCellar(const QString& path)
{
    if (m_session && QFileInfo(path).canonicalFilePath() == QFileInfo(m_session->path()).canonicalFilePath())
        return true; // the cellar in use already
    CellarOpeningPrompts questions;
    std::unique_ptr<CellarSession> next = CellarSession::Open(path, questions);
    if (!next)
        return false;
    if (!next->isReadOnly()) {
        const SchemaUpgrade::Result upgraded = SchemaUpgrade(*next).RunChain();
        if (!upgraded.ok) {
            Prompt::show(upgraded.message, QStringLiteral("Erreur"), Prompt::Icon::Stop);
            return false;
        }
    }
    m_page1->clearList();
    attachSession(std::move(next)); // the first session, and its lock, go
    Settings::set(Settings::cellarPath, m_session->path());
    VintageTable::forget();
    CellarEvents::instance().notifyCellarReplaced();
    return true;
}

bool CellarView::initialUpdate(const QString& commandLinePath)
{
    TraceLine("%s%s : Enter", "{ ", "OnInitialUpdate");
    TraceEnter();
    m_sheet->setCurrentIndex(0);

    const bool fromCommandLine = !commandLinePath.isEmpty();
    const QString savedPath = fromCommandLine ? commandLinePath : Settings::get(Settings::cellarPath);
    CellarOpeningPrompts questions;
    std::unique_ptr<CellarSession> session = CellarSession::Open(savedPath, questions);
    if (!session) {
        TraceLeave();
        return false;
    }
    attachSession(std::move(session));
    // A file given on the command line is for this run only: the saved path stays as it was.
    if (!fromCommandLine) {
        Settings::set(Settings::cellarPath, m_session->path());
        TraceLine("J'ai ecrit la base dans regedit %s", qUtf8Printable(m_session->path()));
    }
    // A cellar another Tonnelix holds is only read: no upgrade is written to it.
    if (!m_session->isReadOnly()) {
        const SchemaUpgrade::Result upgraded = SchemaUpgrade(*m_session).RunChain();
        if (!upgraded.ok) {
            // The pages need the complete schema: the start stops, the cellar as it was.
            Prompt::show(upgraded.message +
                             QStringLiteral("\n\nLibérez de la place sur le disque, ou copiez la cave dans un dossier "
                                            "où vous pouvez écrire, puis relancez Tonnelix."),
                         QStringLiteral("Erreur"), Prompt::Icon::Stop);
            m_session.reset();
            CellarSession::setCurrent(nullptr);
            TraceLeave();
            return false;
        }
    }

    applyTreeColour();
    TraceLine("OnInitialUpdate : g_CView = %08llX", static_cast<unsigned long long>(reinterpret_cast<quintptr>(this)));
    fillTreeByType();
    m_radioType->setChecked(true);
    // The vintage table is read when first asked for; the pages other than the first when first shown.
    VintageTable::forget();
    initBuiltPages();
    m_sheet->setCurrentIndex(0);

    TraceLeave();
    TraceLine("%s%s : Return %s%s", "} ", "OnInitialUpdate", "OK", TraceDepth() == 0 ? "\n" : " ");
    return true;
}

void CellarView::initBuiltPages()
{
    if (m_tab2->isBuilt())
        page2()->fillControls();
    if (m_tab3->isBuilt())
        page3()->fillTable();
    if (m_tab4->isBuilt())
        page4()->fillControls();
    if (m_tab5->isBuilt())
        page5()->fillControls();
}

BottleEntryPage* CellarView::page2() const
{
    return static_cast<BottleEntryPage*>(m_tab2->page());
}

VintageRatingsPage* CellarView::page3() const
{
    return static_cast<VintageRatingsPage*>(m_tab3->page());
}

StatisticsPage* CellarView::page4() const
{
    return static_cast<StatisticsPage*>(m_tab4->page());
}

LibraryPage* CellarView::page5() const
{
    return static_cast<LibraryPage*>(m_tab5->page());
}

JournalPage* CellarView::journal() const
{
    return static_cast<JournalPage*>(m_tabJournal->page());
}

CalculatorPage* CellarView::calculator() const
{
    return static_cast<CalculatorPage*>(m_tabCalculator->page());
}

void CellarView::showPage(QWidget* page)
{
    for (QWidget* w = page; w; w = w->parentWidget()) {
        const int k = m_sheet->indexOf(w);
        if (k >= 0) {
            m_sheet->setCurrentIndex(k);
            return;
        }
    }
}

void CellarView::openRack(qint64 index, const QString& mode, int count)
{
    RackDialog dialog(window(), index, mode, count);
    dialog.exec();
}

BottleEntryPage* CellarView::buildPage2(QWidget* parent)
{
    auto* page = new BottleEntryPage(parent);
    connect(page, &BottleEntryPage::rackViewRequested, this, &CellarView::openRack);
    connect(page, &BottleEntryPage::pictureRequested, this, [this] {
        LotPictureDialog dialog(window(), 0, QStringLiteral("0"));
        dialog.exec();
    });
    // While the cellar has no wine type, the entry page asks for the dialog that adds one.
    connect(page, &BottleEntryPage::createWineTypeRequested, this, [this] {
        WineTypeDialog dialog(window(), 1);
        dialog.exec();
    });
    connect(&ReferenceEvents::instance(), &ReferenceEvents::estatesChanged, page, &BottleEntryPage::lookUpKeepingTime);
    if (m_session)
        page->fillControls();
    return page;
}

void CellarView::connectPages()
{
    // The dialogs the wine sheet opens: the rack view, the modification of a wine, its picture.
    connect(m_page1, &WineSheetPage::rackViewRequested, this, &CellarView::openRack);
    connect(m_page1, &WineSheetPage::modificationRequested, this, [this](qint64 index) {
        EditLotDialog dialog(window(), index);
        dialog.exec();
    });
    connect(m_page1, &WineSheetPage::pictureRequested, this, [this](qint64 index) {
        LotPictureDialog dialog(window(), 1, QString::number(index));
        dialog.exec();
    });
    connect(m_page1, &WineSheetPage::dishesRequested, this, [this](const QString& relPlats) {
        DishesForWineDialog dialog(window(), relPlats);
        dialog.exec();
    });
    connect(&CellarEvents::instance(), &CellarEvents::lotsChanged, this, &CellarView::RefreshTree);
    // Reference lists changed: the entry page's lists (once it is built) and, for wine types, the tree show
    // the new names.
    auto reloadEntryLists = [this] {
        if (!m_tab2->isBuilt())
            return;
        page2()->refreshCombos();
        page2()->wineTypeChanged();
    };
    connect(&ReferenceEvents::instance(), &ReferenceEvents::wineTypesChanged, this, [this, reloadEntryLists] {
        reloadEntryLists();
        RefreshTree();
    });
    connect(&ReferenceEvents::instance(), &ReferenceEvents::crusChanged, this, reloadEntryLists);
    // A restored cellar: every list is read again; pages not built yet will read it when they are.
    connect(&CellarEvents::instance(), &CellarEvents::cellarReplaced, this, [this] {
        m_page1->clearList();
        RefreshTree();
        fillVintageTable();
        initBuiltPages();
    });
    connect(&CellarEvents::instance(), &CellarEvents::vintagesChanged, this, [this] {
        if (m_tab3->isBuilt())
            page3()->fillTable();
        if (m_tab2->isBuilt())
            page2()->vintageChanged();
    });
}

bool CellarView::anneeChecked() const
{
    return m_radioAnnee->isChecked();
}

namespace {

// A node's texts from its root down: what finds it again in a tree built anew.
QStringList pathOf(const QTreeWidgetItem* item)
{
    QStringList path;
    for (; item; item = item->parent())
        path.prepend(item->text(0));
    return path;
}

// The nodes expanded, parents before their children.
void collectExpanded(const QTreeWidgetItem* item, QList<QStringList>& paths)
{
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem* child = item->child(i);
        if (child->isExpanded()) {
            paths << pathOf(child);
            collectExpanded(child, paths);
        }
    }
}

} // namespace

QTreeWidgetItem* CellarView::findPath(const QStringList& path)
{
    QTreeWidgetItem* found = nullptr;
    for (const QString& text : path) {
        QTreeWidgetItem* next = nullptr;
        if (found)
            fillChildren(found); // a node not expanded yet has no children to search
        const int count = found ? found->childCount() : m_tree->topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* candidate = found ? found->child(i) : m_tree->topLevelItem(i);
            if (candidate->text(0) == text)
                next = candidate;
        }
        if (!next)
            return found; // the nearest node still there
        found = next;
    }
    return found;
}

void CellarView::RefreshTree()
{
    // What the user was looking at comes back after the rebuild: the nodes expanded, the node selected and
    // the lot highlighted on the wine sheet (the page shown does not change).
    QList<QStringList> expanded;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* root = m_tree->topLevelItem(i);
        if (root->isExpanded()) {
            expanded << pathOf(root);
            collectExpanded(root, expanded);
        }
    }
    const QList<QTreeWidgetItem*> selection = m_tree->selectedItems();
    const QStringList selected = selection.isEmpty() ? QStringList() : pathOf(selection.first());
    const qint64 lot = m_page1->selectedIndex();

    fillTree(anneeChecked());

    const QSignalBlocker quiet(m_tree);
    for (const QStringList& path : expanded) {
        QTreeWidgetItem* item = findPath(path);
        if (item && pathOf(item) == path) {
            fillChildren(item);
            item->setExpanded(true);
        }
    }
    if (selected.isEmpty())
        return;
    QTreeWidgetItem* item = findPath(selected);
    if (!item) {
        m_page1->clearList();
        return;
    }
    m_tree->setCurrentItem(item);
    listSelectedNode();
    m_page1->selectLot(lot);
}

void CellarView::fillTreeByType()
{
    fillTree(false);
}

void CellarView::fillTreeByVintage()
{
    fillTree(true);
}

void CellarView::fillTree(bool byVintage)
{
    const QSignalBlocker quiet(m_tree);
    m_tree->clear();
    m_unfilled.clear();
    m_treeData.reset();
    QTreeWidgetItem* roots[5];
    for (int i = 0; i < 5; ++i) {
        roots[i] = new QTreeWidgetItem(m_tree, QStringList{QString::fromUtf8(kRoots[i].text)});
        roots[i]->setIcon(0, Pictures::treeImage(kRoots[i].image));
    }
    if (!m_session)
        return;
    WaitCursor wait;
    // The roots and their countries from one aggregate query; the rest as nodes are expanded.
    m_sql = CellarTree::firstLevelSql();
    try {
        m_treeData = std::make_unique<CellarTree>(m_session->database(), byVintage);
    } catch (const DbError& error) {
        ReportDaoException(error);
        return;
    }
    QHash<QString, QIcon> flags;
    for (int colour = 0; colour < 4; ++colour) {
        for (const CellarTree::Node& country : m_treeData->countries(colour)) {
            auto flag = flags.find(country.text);
            if (flag == flags.end())
                flag = flags.insert(country.text, Pictures::treeImage(Pictures::flagIndex(country.text)));
            addNode(roots[colour + 1], country, 1, flag.value());
        }
    }
}

QTreeWidgetItem* CellarView::addNode(QTreeWidgetItem* parent, const CellarTree::Node& node, int depth,
                                     const QIcon& icon)
{
    auto* item = new QTreeWidgetItem(parent, QStringList{node.text});
    item->setIcon(0, icon);
    if (depth < 4) {
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        m_unfilled.insert(item, node.groups);
    }
    return item;
}

void CellarView::fillChildren(QTreeWidgetItem* item)
{
    const auto found = m_unfilled.find(item);
    if (found == m_unfilled.end() || !m_treeData)
        return;
    const std::vector<CellarTree::Group> groups = std::move(found.value());
    m_unfilled.erase(found);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    const int depth = depthOf(item);
    std::vector<CellarTree::Node> children;
    try {
        children = m_treeData->children(groups, depth);
    } catch (const DbError& error) {
        ReportDaoException(error);
        return;
    }
    static const int colourImages[4] = {4, 5, 8, 6};
    const QIcon image = Pictures::treeImage(colourImages[groups.front().colour]);
    const QSignalBlocker quiet(m_tree);
    for (const CellarTree::Node& child : children)
        addNode(item, child, depth + 1, image);
}

void CellarView::fillVintageTable()
{
    if (m_session)
        VintageTable::load(*m_session);
}

void CellarView::applyTreeColour()
{
    QColor colour;
    switch (Settings::get(Settings::treeColour)) {
    case 0:
        colour = QColor(243, 244, 186);
        break;
    case 1:
        colour = QColor(176, 240, 244);
        break;
    case 2:
        colour = QColor(255, 255, 255);
        break;
    case 3:
        colour = QColor(178, 244, 152);
        break;
    default:
        return;
    }
    // The four backgrounds are light whatever the desktop's theme: the text goes with them, black.
    QPalette p = m_tree->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::AlternateBase, colour.darker(105));
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::WindowText, Qt::black);
    m_tree->setPalette(p);
}

void CellarView::onTreeSelection()
{
    m_sheet->setCurrentIndex(0);
    listSelectedNode();
}

void CellarView::listSelectedNode()
{
    m_page1->clearList();
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (selected.isEmpty())
        return;
    const QTreeWidgetItem* node = selected.first();
    const int depth = depthOf(node);
    if (depth < 2)
        return; // a root or a country: nothing to list
    const QTreeWidgetItem* country = node;
    while (depthOf(country) > 1)
        country = country->parent();
    const QString colour = country->parent()->text(0);
    if (!isColourRoot(colour))
        return;
    const QString text = node->text(0);
    const QString parent = node->parent()->text(0);
    const QString none;
    // Every selection is narrowed to the node's colour and country: the list shows the lots under the node.
    NodePath path{colour, country->text(0), true, {}};
    if (!anneeChecked()) {
        if (depth == 2) {
            m_page1->refreshWineList(colour, text, none, none, 7, path);
        } else if (depth == 3) {
            m_page1->refreshWineList(parent, text, none, none, 1, path);
        } else if (depth == 4) {
            const QString type = node->parent()->parent()->text(0);
            path.type = type;
            if (!type.isEmpty())
                m_page1->refreshWineList(parent, type, text, none, 2, path);
        }
    } else {
        if (depth == 2) {
            m_page1->refreshWineList(colour, none, text, none, 3, path);
        } else if (depth == 3) {
            m_page1->refreshWineList(text, none, parent, none, 6, path);
        } else if (depth == 4) {
            const QString vintage = node->parent()->parent()->text(0);
            if (!parent.isEmpty())
                m_page1->refreshWineList(colour, parent, vintage, text, 5, path);
        }
    }
}
