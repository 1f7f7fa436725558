#include "platform/Application.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace Application {

void setNames()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Morvalis Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Tonnelix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TONNELIX_VERSION));
}

bool installTranslations()
{
    // One translator per application object: it is owned by the application and goes with it, so a
    // later application object (the window after the command line) gets its own.
    static QPointer<QTranslator> translator;
    if (translator && translator->parent() == QCoreApplication::instance())
        return true;
    auto* candidate = new QTranslator(QCoreApplication::instance());
    if (!candidate->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete candidate;
        return false;
    }
    QCoreApplication::installTranslator(candidate);
    translator = candidate;
    return true;
}

} // namespace Application
