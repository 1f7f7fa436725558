#pragma once

#include <QStringList>
#include <memory>

class MainWindow;
class CellarDocument;
class MessageBoxPrompt;

// Start-up of the application: names, settings, trace log, then the frame, whose view opens the cellar.
class TonnelixApplication
{
public:
    TonnelixApplication();
    ~TonnelixApplication();

    // arguments: the program's arguments without the program name; an optional cellar file comes first.
    // False when no cellar could be opened: the process should end with a failure code.
    bool start(const QStringList& arguments);
    // At the very first start, offers the demo cellar for the session; its copy's path, or empty.
    static QString offerTheDemo();
    MainWindow* mainFrame() const { return m_frame.get(); }

    // The names under which the settings and data folders are found.
    static void setApplicationNames();
    // Qt's own texts (standard buttons, file and print dialogs) in French, whatever the desktop's language:
    // the whole interface is French. False when Qt's French translations are not installed.
    static bool installTranslations();

private:
    std::unique_ptr<CellarDocument> m_document;
    std::unique_ptr<MainWindow> m_frame;
};
