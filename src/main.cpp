#include "app/CTonnelixApp.h"
#include "app/MessageBoxPrompt.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CTonnelixApp::setApplicationNames();
    CTonnelixApp::installTranslations();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tonnelix, l'inventaire de votre cave à vin."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("fichier"),
                                 QStringLiteral("Base de la cave à ouvrir pour cette session (facultatif)."));
    parser.process(application);

    MessageBoxPrompt prompt;
    Prompt::install(&prompt);
    int code = 1;
    {
        CTonnelixApp app;
        if (app.InitInstance(parser.positionalArguments()))
            code = application.exec();
    }
    Prompt::install(nullptr);
    return code;
}
