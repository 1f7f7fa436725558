#include "platform/InputFile.h"

#include <QFileInfo>

namespace InputFile {

QString refusal(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return QString();
    if (!info.exists())
        return QStringLiteral("Le fichier %1 n'existe pas : rien n'a été lu.").arg(path);
    if (info.isDir())
        return QStringLiteral("%1 est un dossier, pas un fichier : rien n'a été lu.").arg(path);
    return QStringLiteral("%1 n'est pas un fichier ordinaire (un tube ou un périphérique) : rien n'a été lu.")
        .arg(path);
}

} // namespace InputFile
