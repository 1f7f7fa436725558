#pragma once

#include <QWidget>

class QTextBrowser;

// The user's guide, shipped inside the program (HTML and pictures in its resources), shown in a window
// of its own: it needs neither a network nor a browser.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the guide (at the section named by anchor, when given), in the one help window. While a modal
    // dialog is open the window belongs to it, so that it can be read and scrolled.
    static HelpWindow* showGuide(const QString& anchor = QString());
    // F1 in any dialog opens the guide at that dialog's section (installed once, by the main window).
    static void installF1ForDialogs();
    // The window shown by showGuide, or nullptr.
    static HelpWindow* current();

    QTextBrowser* browser() const { return m_browser; }
    void showSection(const QString& anchor);
    // The section last asked for (empty: the beginning).
    const QString& section() const { return m_section; }

private:
    QTextBrowser* m_browser = nullptr;
    QString m_section;
};
