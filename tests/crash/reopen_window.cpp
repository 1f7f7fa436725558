// Opens a cellar as a double-click on it would (the program's own start sequence, its window and its
// message boxes), then quits. Exit 0 when the window came up on that very cellar, for writing, without
// one question; 1 otherwise, with every message it showed on standard error. The crash harness runs it
// on what a killed run left, as the user's next start would meet it.
#include "app/ui/ProgramMain.h"
#include "db/CellarSession.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace {

// Answers every message with its safest button and keeps the texts: any message is a failure here.
class RecordingPrompt final : public Prompt
{
public:
    Answer message(const QString& text, const QString& caption, Icon, Buttons buttons) override
    {
        texts << caption + QStringLiteral(": ") + text;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    QString openFileName(const QString& title, const QString&, const QString&) override
    {
        texts << QStringLiteral("file dialog: ") + title;
        return {};
    }
    QString saveFileName(const QString& title, const QString&, const QString&) override
    {
        texts << QStringLiteral("file dialog: ") + title;
        return {};
    }
    QStringList texts;
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CELLAR\n", argv[0]);
        return 2;
    }
    const QString wanted = QFileInfo(QString::fromLocal8Bit(argv[1])).canonicalFilePath();
    RecordingPrompt prompt;
    QString opened;
    bool readOnly = true;
    ProgramMain::Hooks hooks;
    hooks.prompt = &prompt;
    hooks.windowShown = [&](TonnelixApplication&) {
        if (CellarSession* session = CellarSession::current()) {
            opened = QFileInfo(session->path()).canonicalFilePath();
            readOnly = session->isReadOnly();
        }
        QTimer::singleShot(0, qApp, &QApplication::quit);
    };
    const int code = ProgramMain::run(argc, argv, hooks);

    QStringList problems;
    if (code != 0)
        problems << QStringLiteral("the window session ended with %1").arg(code);
    if (opened != wanted)
        problems << QStringLiteral("the window is on \"%1\", not on the cellar").arg(opened);
    else if (readOnly)
        problems << QStringLiteral("the cellar was opened read-only");
    problems << prompt.texts;
    for (const QString& problem : std::as_const(problems))
        std::fprintf(stderr, "%s\n", qUtf8Printable(problem));
    return problems.isEmpty() ? 0 : 1;
}
