#pragma once

#include <QWidget>
#include <memory>

class CellarSession;
class QTabWidget;
class QTreeWidget;
class QRadioButton;
class QSplitter;

// The single view of the main window: the cellar tree on the left, the sheet of pages on the right.
// Its first update opens the cellar and brings its schema up to date.
class CTonnelixView : public QWidget
{
    Q_OBJECT
public:
    explicit CTonnelixView(QWidget* parent = nullptr);
    ~CTonnelixView() override;

    // Opens the cellar (the one given, for this run only, or the one saved in the settings), records
    // its path and upgrades it. False when no cellar could be opened.
    bool OnInitialUpdate(const QString& commandLinePath = QString());

    CellarSession* session() const { return m_session.get(); }
    QTabWidget* sheet() const { return m_sheet; }
    QTreeWidget* tree() const { return m_tree; }

private:
    QSplitter* m_splitter = nullptr;
    QTreeWidget* m_tree = nullptr;
    QRadioButton* m_radioType = nullptr;
    QRadioButton* m_radioAnnee = nullptr;
    QTabWidget* m_sheet = nullptr;
    std::unique_ptr<CellarSession> m_session;
};

// The view in use, for the pages and dialogs that ask it to refresh.
extern CTonnelixView* g_CView;
