#pragma once

#include <QString>

// The one way the system talks to the user in a message box or asks for a file.
// The application installs a QMessageBox implementation; tests install a scripted one.
class Prompt
{
public:
    enum class Icon
    {
        None,
        Information,
        Exclamation,
        Stop,
        Question
    };
    enum class Buttons
    {
        Ok,
        OkCancel,
        YesNo,
        YesNoCancel,
        // Yes/No where "No" is the default button: confirmations of what cannot be undone (a deletion).
        YesNoDefaultNo
    };
    enum class Answer
    {
        Ok,
        Cancel,
        Yes,
        No
    };

    virtual ~Prompt() = default;

    virtual Answer message(const QString& text, const QString& caption, Icon icon, Buttons buttons) = 0;
    // Returns the chosen file, or an empty text when the user cancels.
    virtual QString openFileName(const QString& title, const QString& filter, const QString& directory) = 0;
    virtual QString saveFileName(const QString& title, const QString& filter, const QString& directory) = 0;
    // Returns the chosen folder, or an empty text when the user cancels (or there is no one to ask).
    virtual QString folderName(const QString& title, const QString& directory)
    {
        (void)title;
        (void)directory;
        return QString();
    }
    // Opens the user's guide; does nothing where there is none to show.
    virtual void openHelp() {}

    // The service in place; a silent one that answers OK/Cancel until the application installs its own.
    static Prompt& current();
    // Installs a service (not owned); nullptr returns to the silent one.
    static void install(Prompt* prompt);

    static Answer show(const QString& text, const QString& caption = QString(), Icon icon = Icon::None,
                       Buttons buttons = Buttons::Ok);
    // Tells the user of a failure the storage layer reports: a warning, or with offerHelp a stop that offers
    // the help ("Would you like to see help?"), opened on Yes.
    static void tellFailure(const QString& text, const QString& caption, bool offerHelp);
};
