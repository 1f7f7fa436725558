#include "platform/Prompt.h"

#include <QDebug>

namespace {

// Used before the application has installed its own service (command-line tools, early start-up).
class SilentPrompt final : public Prompt
{
public:
    Answer message(const QString& text, const QString& caption, Icon, Buttons buttons) override
    {
        qWarning().noquote() << caption << ":" << text;
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
        case Buttons::YesNoDefaultNo:
            return Answer::No;
        }
        return Answer::Cancel;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFileName(const QString&, const QString&, const QString&) override { return QString(); }
};

Prompt*& installed()
{
    static Prompt* prompt = nullptr;
    return prompt;
}

} // namespace

Prompt& Prompt::current()
{
    static SilentPrompt silent;
    return installed() ? *installed() : silent;
}

void Prompt::install(Prompt* prompt)
{
    installed() = prompt;
}

Prompt::Answer Prompt::show(const QString& text, const QString& caption, Icon icon, Buttons buttons)
{
    return current().message(text, caption, icon, buttons);
}

void Prompt::tellFailure(const QString& text, const QString& caption, bool offerHelp)
{
    if (!offerHelp) {
        show(text, caption, Icon::Exclamation);
        return;
    }
    if (show(text, caption, Icon::Stop, Buttons::YesNo) == Answer::Yes)
        current().openHelp();
}
