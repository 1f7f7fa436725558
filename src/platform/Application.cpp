#include "platform/Application.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
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
    static QTranslator* translator = nullptr;
    if (translator)
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
