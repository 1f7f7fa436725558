#include "platform/Paths.h"
#include "SourcePaths.h"
#include <QFileInfo>

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
    return QStringLiteral(TONNELIX_README_PATH);
}

} // namespace Paths

namespace Paths {

QString demoCellarPath()
{
    const QDir program(executableDir());
    const QStringList candidates{
        program.filePath(QStringLiteral("../share/tonnelix/Demo.mdb")), // installed beside bin/
        program.filePath(QStringLiteral("../packaging/demo/Demo.mdb")), // the build tree
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("tonnelix/Demo.mdb"))};
    for (const QString& candidate : candidates) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return QString();
}

} // namespace Paths
