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

    // Shows the guide (at the section named by anchor, when given), in the one help window.
    static HelpWindow* showGuide(const QString& anchor = QString());
    // The window shown by showGuide, or nullptr.
    static HelpWindow* current();

    QTextBrowser* browser() const { return m_browser; }
    void showSection(const QString& anchor);

private:
    QTextBrowser* m_browser = nullptr;
};
