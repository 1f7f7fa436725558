#include "app/CTonnelixApp.h"
#include "app/MessageBoxPrompt.h"
#include "cli/CommandLine.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Help, version, usage errors and the work without a window need no display.
    const int done = CommandLine::mainWithoutWindow(argc, argv);
    if (done >= 0)
        return done;

    QApplication application(argc, argv);
    CTonnelixApp::setApplicationNames();
    CTonnelixApp::installTranslations();
    const CommandLine::Parsed parsed = CommandLine::parse(application.arguments());

    MessageBoxPrompt prompt;
    Prompt::install(&prompt);
    int code = 1;
    {
        CTonnelixApp app;
        const QStringList cellar = parsed.options.cellar.isEmpty() ? QStringList() : QStringList{parsed.options.cellar};
        if (app.InitInstance(cellar))
            code = application.exec();
    }
    Prompt::install(nullptr);
    return code;
}
