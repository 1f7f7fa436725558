#include "app/ui/MainWindow.h"

#include "app/CommandTable.h"
#include "app/RecentCellars.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/CellarDocument.h"
#include "app/ui/HelpTopics.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/IconFactory.h"
#include "app/ui/OptionsDialog.h"
#include "app/ui/ScreenFit.h"
#include "app/ui/WindowState.h"
#include "backup/Backups.h"
#include "backup/ui/RestoreDialog.h"
#include "db/CellarSession.h"
#include "exchange/CsvExchange.h"
#include "exchange/ui/ExchangeFileDialog.h"
#include "platform/KeyboardLocks.h"
#include "platform/Prompt.h"
#include "printing/ui/PrintCommands.h"
#include "rack/ui/RackDialog.h"
#include "rack/ui/RackManualUpdateDialog.h"
#include "reference/ui/AddCruOrAppellationDialog.h"
#include "reference/ui/AddDishDialog.h"
#include "reference/ui/EditDishDialog.h"
#include "reference/ui/EstatesDialog.h"
#include "reference/ui/RenameCruOrAppellationDialog.h"
#include "reference/ui/WineTypeDialog.h"
#include "search/ui/SearchDialog.h"
#include "statistics/ui/ReadyToDrinkDialog.h"
#include "view/ui/CellarView.h"
#include "widgets/ui/Pictures.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

MainWindow::MainWindow(CellarDocument* document, QWidget* parent) : QMainWindow(parent), m_document(document)
{
    Pictures::init();
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tonnelix.svg")));
    m_view = new CellarView(this);
    setCentralWidget(m_view);
    createActions();
    createMenus();
    createToolBars();
    createStatusBar();
    wireCommands();
    updateTitle();
    WindowState::restore(*this, *m_view);
    connect(m_view, &CellarView::pageBuilt, this, [](QWidget* page) { WindowState::restoreColumns(*page); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    WindowState::save(*this, *m_view);
    QMainWindow::closeEvent(event);
}

MainWindow::~MainWindow() = default;

void MainWindow::updateTitle()
{
    setWindowTitle(m_document->title() + QStringLiteral(" - Tonnelix"));
}

void MainWindow::createActions()
{
    for (const Commands::Command& command : Commands::all()) {
        auto* action = new QAction(command.text.isEmpty() ? command.tooltip : command.text, this);
        action->setObjectName(QStringLiteral("command%1").arg(command.id));
        action->setData(command.id);
        action->setStatusTip(command.prompt);
        action->setToolTip(command.tooltip.isEmpty() ? command.prompt : command.tooltip);
        if (!command.key.isEmpty())
            action->setShortcut(command.key);
        action->setIcon(IconFactory::commandIcon(command.id));
        action->setEnabled(false); // enabled by the code that carries it out
        addAction(action);         // keys work even when the item has no menu
        m_actions.insert(command.id, action);
    }
}

void MainWindow::createMenus()
{
    QHash<QString, QMenu*> menus;
    for (const QString& title : Commands::menus())
        menus.insert(title, menuBar()->addMenu(title));
    QHash<QString, QMenu*> submenus;
    for (const Commands::Command& command : Commands::all()) {
        if (command.menu.isEmpty())
            continue;
        QMenu* menu = menus.value(command.menu);
        if (!command.submenu.isEmpty()) {
            const QString key = command.menu + QLatin1Char('/') + command.submenu;
            if (!submenus.contains(key))
                submenus.insert(key, menu->addMenu(command.submenu));
            menu = submenus.value(key);
        }
        if (command.id == Commands::Export || command.id == Commands::Print)
            menu->addSeparator();
        if (command.id == Commands::Exit) {
            m_fileMenu = menu;
            m_recentEnd = menu->addSeparator();
        }
        menu->addAction(m_actions.value(command.id));
    }
}

void MainWindow::createToolBars()
{
    m_toolBar = addToolBar(QStringLiteral("Barre d'outils"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    for (int id : Commands::toolbar()) {
        if (id == 0)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(m_actions.value(id));
    }
    // The dialog bar beside it, showing the cellar's banner.
    m_dialogBar = addToolBar(QStringLiteral("Tonnelix"));
    m_dialogBar->setObjectName(QStringLiteral("dialogBar"));
    auto* banner = new QLabel(m_dialogBar);
    banner->setPixmap(QIcon(QStringLiteral(":/icons/banner.svg")).pixmap(QSize(220, 24)));
    m_dialogBar->addWidget(banner);
}

void MainWindow::createStatusBar()
{
    QStatusBar* bar = statusBar();
    // The lock panes keep their width whether their word shows or not, so the date never moves.
    auto lockPane = [bar](const char* name, const QString& word) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QLatin1String(name));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(word) + pane->fontMetrics().averageCharWidth() * 2);
        pane->setProperty("word", word);
        bar->addPermanentWidget(pane);
        return pane;
    };
    m_capsPane = lockPane("capsPane", QStringLiteral("MAJ"));
    m_numPane = lockPane("numPane", QStringLiteral("NUM"));
    m_scrollPane = lockPane("scrollPane", QStringLiteral("DEF"));
    m_datePane = new QLabel(bar);
    m_datePane->setObjectName(QStringLiteral("datePane"));
    m_clockPane = new QLabel(bar);
    m_clockPane->setObjectName(QStringLiteral("clockPane"));
    bar->addPermanentWidget(m_datePane);
    bar->addPermanentWidget(m_clockPane);
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::updateDateTime);
    m_clock->start();
    updateDateTime();
}

void MainWindow::updateDateTime()
{
    // French whatever the desktop's language, as the whole interface is.
    const QLocale locale(QLocale::French, QLocale::France);
    const QDateTime now = QDateTime::currentDateTime();
    // The weekday, day, month name and year, then the locale's time with seconds.
    m_datePane->setText(locale.toString(now.date(), QStringLiteral("dddd, dd, MMMM yyyy ")));
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    m_clockPane->setText(locale.toString(now.time(), timeFormat.trimmed()));
    updateLockPanes();
}

void MainWindow::updateLockPanes(const QString& ledsFolder)
{
    const KeyboardLocks locks = KeyboardLocks::read(ledsFolder);
    for (const auto& [pane, on] :
         {std::pair{m_capsPane, locks.caps}, std::pair{m_numPane, locks.num}, std::pair{m_scrollPane, locks.scroll}})
        pane->setText(on ? pane->property("word").toString() : QString());
}

template <typename Slot> void MainWindow::wire(int id, Slot slot)
{
    QAction* action = m_actions.value(id);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, slot);
}

void MainWindow::wireCommands()
{
    wireFileCommands();
    wireHelpCommands();
    wireCellarCommands();
    wireExchangeCommands();
    wireViewToggles();
}

// "Fichier": cellars, printing, backup and restore.
void MainWindow::wireFileCommands()
{
    wire(Commands::Exit, &MainWindow::close);
    wire(Commands::NewCellar, &MainWindow::newCellar);
    wire(Commands::OpenCellar, &MainWindow::chooseCellarToOpen);
    fillRecentCellars();
    wire(Commands::PrintSetup, &MainWindow::pageSetup);
    wire(Commands::Print, [this] { PrintCommands::print(this); });
    wire(Commands::PrintPreview, [this] { PrintCommands::preview(this); });
    wire(Commands::Options, [this] { OptionsDialog(this).exec(); });
    wire(Commands::Restore, [this] {
        RestoreDialog dialog(this);
        if (dialog.exec() == QDialog::Accepted && !dialog.convertedCellar().isEmpty())
            openCellar(dialog.convertedCellar());
    });
    wire(Commands::Backup, [this] { backUp(); });
}

// "?": the guide, the context help, the about box; F1 in every dialog and every window fitted to its screen.
void MainWindow::wireHelpCommands()
{
    wire(Commands::HelpTopics, [] { HelpWindow::showGuide(); });
    // The context help opens the guide at the part of the page shown.
    wire(Commands::Help, [this] { HelpWindow::showGuide(HelpTopics::sectionFor(this)); });
    HelpWindow::installF1ForDialogs();
    ScreenFit::install();
    wire(Commands::ContextHelp, [] { QWhatsThis::enterWhatsThisMode(); });
    wire(Commands::About, [this] { AboutDialog(this).exec(); });
}

// The racks, the reference lists (each command opens its dialog in its mode), the search, the wines to drink.
void MainWindow::wireCellarCommands()
{
    wire(Commands::RackView, [this] {
        RackDialog dialog(this, 0, QString(), 0);
        dialog.exec();
    });
    wire(Commands::RackUpdate, [this] {
        RackManualUpdateDialog dialog(this);
        dialog.exec();
    });
    wire(Commands::AddWine, [this] { WineTypeDialog(this, 1).exec(); });
    wire(Commands::ModifyWine, [this] { WineTypeDialog(this, 2).exec(); });
    wire(Commands::AddCru, [this] { AddCruOrAppellationDialog(1, this).exec(); });
    wire(Commands::AddAppellation, [this] { AddCruOrAppellationDialog(2, this).exec(); });
    wire(Commands::ModifyCru, [this] { RenameCruOrAppellationDialog(this, QStringLiteral("1")).exec(); });
    wire(Commands::ModifyAppellation, [this] { RenameCruOrAppellationDialog(this, QStringLiteral("2")).exec(); });
    wire(Commands::AddEstate, [this] { EstatesDialog(this, 1).exec(); });
    wire(Commands::ModifyEstate, [this] { EstatesDialog(this, 2).exec(); });
    wire(Commands::AddDish, [this] { AddDishDialog(this).exec(); });
    wire(Commands::ModifyDish, [this] { EditDishDialog(this).exec(); });
    wire(Commands::Search, [this] { SearchDialog(this).exec(); });
    wire(Commands::ReadyToDrink, [this] { ReadyToDrinkDialog(this).exec(); });
    wire(Commands::ReadyToDrinkToolbar, [this] { ReadyToDrinkDialog(this).exec(); });
}

// The exchange file (chosen first, then the dialog of the direction; the export may name a new file) and CSV.
void MainWindow::wireExchangeCommands()
{
    wire(Commands::Import, [this] {
        const QString path =
            Prompt::current().openFileName(QStringLiteral("Ouverture du fichier Tonnelix à Importer ..."),
                                           QStringLiteral("Tous Fichiers(*.*) (*)"), QString());
        if (!path.isEmpty())
            ExchangeFileDialog(this, path, 1).exec();
    });
    wire(Commands::Export, [this] {
        const QString path =
            Prompt::current().saveFileName(QStringLiteral("Enregistremet du fichier Tonnelix à Exporter ..."),
                                           QStringLiteral("Tous Fichiers(*.*) (*)"), QString());
        if (!path.isEmpty())
            ExchangeFileDialog(this, path, 2).exec();
    });
    wire(Commands::ImportCsv, &MainWindow::importCsv);
    wire(Commands::ExportCsv, &MainWindow::exportCsv);
}

// CSV: the columns the file's header gives are shown before anything is written.
void MainWindow::importCsv()
{
    CellarSession* session = m_view->session();
    if (!session)
        return;
    const QString path = Prompt::current().openFileName(
        QStringLiteral("Fichier CSV à importer"), QStringLiteral("Fichiers CSV (*.csv);;Tous Fichiers (*)"), QString());
    if (path.isEmpty())
        return;
    const CsvExchange::Result columns = CsvExchange::inspect(path);
    if (!columns.ok) {
        Prompt::show(columns.message, QStringLiteral("Importation CSV"), Prompt::Icon::Exclamation);
        return;
    }
    const QString question =
        QStringLiteral("Colonnes reconnues : %1\nColonnes ignorées : %2\n\nImporter les lots de ce fichier ?")
            .arg(columns.recognised.isEmpty() ? QStringLiteral("aucune")
                                              : columns.recognised.join(QStringLiteral(", ")),
                 columns.ignored.isEmpty() ? QStringLiteral("aucune") : columns.ignored.join(QStringLiteral(", ")));
    if (Prompt::show(question, QStringLiteral("Importation CSV"), Prompt::Icon::Question, Prompt::Buttons::YesNo) !=
        Prompt::Answer::Yes)
        return;
    const CsvExchange::Result result = CsvExchange::importFrom(*session, path);
    Prompt::show(result.message, QStringLiteral("Importation CSV"),
                 result.ok ? Prompt::Icon::Information : Prompt::Icon::Exclamation);
}

void MainWindow::exportCsv()
{
    CellarSession* session = m_view->session();
    if (!session)
        return;
    const QString path = Prompt::current().saveFileName(QStringLiteral("Fichier CSV à écrire"),
                                                        QStringLiteral("Fichiers CSV (*.csv)"), QString());
    if (path.isEmpty())
        return;
    const CsvExchange::Result result = CsvExchange::exportTo(*session, path);
    Prompt::show(result.message, QStringLiteral("Exportation CSV"),
                 result.ok ? Prompt::Icon::Information : Prompt::Icon::Exclamation);
}

// "Affichage": the toolbar and the status bar shown or hidden, their menu entries checked to match.
void MainWindow::wireViewToggles()
{
    QAction* toolbarToggle = m_actions.value(Commands::ViewToolbar);
    toolbarToggle->setCheckable(true);
    toolbarToggle->setChecked(true);
    toolbarToggle->setEnabled(true);
    connect(toolbarToggle, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toolbarToggle, &QAction::setChecked);

    QAction* statusToggle = m_actions.value(Commands::ViewStatusBar);
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    statusToggle->setEnabled(true);
    connect(statusToggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void MainWindow::fillRecentCellars()
{
    qDeleteAll(m_recent);
    m_recent.clear();
    if (!m_fileMenu)
        return;
    const QStringList paths = RecentCellars::list();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), this);
        action->setObjectName(QStringLiteral("recentCellar%1").arg(i + 1));
        action->setStatusTip(QStringLiteral("Ouvre cette cave"));
        connect(action, &QAction::triggered, this, [this, path] { openCellar(path); });
        m_fileMenu->insertAction(m_recentEnd, action);
        m_recent << action;
    }
}

void MainWindow::openCellar(const QString& path)
{
    if (!m_view->openCellar(path))
        return;
    const CellarSession* session = m_view->session();
    RecentCellars::add(session->path());
    fillRecentCellars();
    m_document->setTitle(QFileInfo(session->path()).fileName() +
                         (session->isReadOnly() ? QStringLiteral(" (lecture seule)") : QString()));
    updateTitle();
}

void MainWindow::chooseCellarToOpen()
{
    const QString folder = m_view->session() ? QFileInfo(m_view->session()->path()).absolutePath() : QDir::homePath();
    const QString path = Prompt::current().openFileName(
        QStringLiteral("Ouvrir une cave"), QStringLiteral("Caves (*.mdb *.MDB);;Tous les fichiers (*)"), folder);
    if (!path.isEmpty())
        openCellar(path);
}

void MainWindow::newCellar()
{
    const QString folder = m_view->session() ? QFileInfo(m_view->session()->path()).absolutePath() : QDir::homePath();
    const QString path = Prompt::current().saveFileName(QStringLiteral("Nouvelle cave"),
                                                        QStringLiteral("Caves Tonnelix (*.mdb)"), folder);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        Prompt::show(QStringLiteral("Le fichier %1 existe déjà : une nouvelle cave ne remplace jamais un fichier. "
                                    "Choisissez un autre nom.")
                         .arg(QDir::toNativeSeparators(path)),
                     QStringLiteral("Nouvelle cave"), Prompt::Icon::Exclamation);
        return;
    }
    try {
        OpenCellarFile(path, true); // the empty cellar, closed at once: the view opens it as any other
    } catch (const DbError& error) {
        Prompt::show(QStringLiteral("La cave %1 n'a pas pu être créée : %2").arg(path, error.description()),
                     QStringLiteral("Nouvelle cave"), Prompt::Icon::Exclamation);
        return;
    }
    openCellar(path);
}

void MainWindow::backUp()
{
    CellarSession* session = CellarSession::current();
    if (!session)
        return;
    const Backups::Result result = Backups::backup(*session);
    if (!result.ok) {
        Prompt::show(result.message, QStringLiteral("Sauvegarde"), Prompt::Icon::Stop);
        return;
    }
    QString text = QStringLiteral("Votre base à été sauvé sous :\n") + result.path;
    if (result.sameMinute)
        text += QStringLiteral("\n(une sauvegarde de cette minute existait déjà : celle-ci porte le numéro suivant)");
    Prompt::show(text, QStringLiteral("Sauvegarde"), Prompt::Icon::Exclamation);
}

void MainWindow::pageSetup()
{
    // The page set-up: paper, orientation, margins and printer, kept by the printer for the next print. It
    // prints nothing.
    QPageSetupDialog dialog(&PrintCommands::printer(), this);
    dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
    dialog.exec();
}
