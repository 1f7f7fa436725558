#include "app/ui/ProgramMain.h"

#include "app/ui/MessageBoxPrompt.h"
#include "app/ui/TonnelixApplication.h"
#include "cli/CommandLine.h"
#include "db/CellarSession.h"
#include "platform/Prompt.h"

#include <QApplication>

namespace ProgramMain {

int run(int argc, char** argv, const Hooks& hooks)
{
    // The storage layer tells its failures through the prompt in place: message boxes in the window,
    // standard error on the command line.
    CellarSession::setFailureReporter(&Prompt::tellFailure);
    // Help, version, usage errors and the work without a window need no display.
    const int done = CommandLine::mainWithoutWindow(argc, argv);
    if (done >= 0)
        return done;

    // A new application object: whatever the command line installed went with its own.
    QApplication application(argc, argv);
    TonnelixApplication::setApplicationNames();
    TonnelixApplication::installTranslations();
    if (hooks.applicationCreated)
        hooks.applicationCreated();
    const CommandLine::Parsed parsed = CommandLine::parse(QApplication::arguments());

    MessageBoxPrompt boxes;
    Prompt::install(hooks.prompt ? hooks.prompt : &boxes);
    int code = 1;
    {
        TonnelixApplication app;
        const QStringList cellar = parsed.options.cellar.isEmpty() ? QStringList() : QStringList{parsed.options.cellar};
        if (app.start(cellar)) {
            if (hooks.windowShown)
                hooks.windowShown(app);
            code = QApplication::exec();
        }
    }
    Prompt::install(nullptr);
    return code;
}

} // namespace ProgramMain
