#pragma once

#include <QHash>
#include <QMainWindow>

class CellarDocument;
class CellarView;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

// The main window: menu, toolbar and dialog bar, the view, and a status bar whose date and clock
// panes are refreshed every second. Commands whose dialogs are not part of the program yet stay disabled.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(CellarDocument* document, QWidget* parent = nullptr);
    ~MainWindow() override;

    CellarView* view() const { return m_view; }
    QAction* action(int id) const { return m_actions.value(id); }
    QToolBar* toolBar() const { return m_toolBar; }
    QToolBar* dialogBar() const { return m_dialogBar; }
    QLabel* datePane() const { return m_datePane; }
    QLabel* clockPane() const { return m_clockPane; }
    // "MAJ", "NUM", "DEF": each shows its word while its lock is on.
    QLabel* capsPane() const { return m_capsPane; }
    QLabel* numPane() const { return m_numPane; }
    QLabel* scrollPane() const { return m_scrollPane; }

    // Opens another cellar (a cellar of the Windows release is converted first), as "Ouvrir une cave…" does.
    void openCellar(const QString& path);
    // The entries of the last cellars opened, in the "Fichier" menu.
    void fillRecentCellars();
    // Puts "document - Tonnelix" in the caption.
    void updateTitle();
    // Refreshes the date and clock panes (the timer calls it every second).
    void updateDateTime();
    // Refreshes the lock panes from the keyboard's lights (the timer calls it every second too).
    void updateLockPanes(const QString& ledsFolder = QStringLiteral("/sys/class/leds"));

protected:
    // Keeps the window's arrangement for the next start.
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void wireCommands();
    template <typename Slot> void wire(int id, Slot slot);
    void wireFileCommands();
    void wireHelpCommands();
    void wireCellarCommands();
    void wireExchangeCommands();
    void wireViewToggles();
    void importCsv();
    void exportCsv();
    void pageSetup();
    // "Sauvegarde": a dated copy of the cellar beside it.
    void backUp();
    // "Nouvelle cave…", "Ouvrir une cave…" and the cellars opened last.
    void newCellar();
    void chooseCellarToOpen();

    CellarDocument* m_document;
    CellarView* m_view = nullptr;
    QHash<int, QAction*> m_actions;
    QToolBar* m_toolBar = nullptr;
    QToolBar* m_dialogBar = nullptr;
    QLabel* m_datePane = nullptr;
    QLabel* m_clockPane = nullptr;
    QLabel* m_capsPane = nullptr;
    QLabel* m_numPane = nullptr;
    QLabel* m_scrollPane = nullptr;
    QTimer* m_clock = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentEnd = nullptr; // the entries of the last cellars stand before it
    QList<QAction*> m_recent;
};
