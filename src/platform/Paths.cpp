#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace Paths {

QString executableFile()
{
    return QCoreApplication::applicationFilePath();
}

QString executableDir()
{
    return QCoreApplication::applicationDirPath();
}

QString userDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString defaultDatabasePath()
{
    return QDir(userDataDir()).filePath(QLatin1String(kDatabaseFileName));
}

QString portableDatabasePath()
{
    return QDir(executableDir()).filePath(QLatin1String(kDatabaseFileName));
}

QString traceBaseName()
{
    return QDir(userDataDir()).filePath(QStringLiteral("caveTrace"));
}

QString readmePath()
{
    return QStringLiteral(TONNELIX_README);
}

} // namespace Paths
