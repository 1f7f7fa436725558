#include "platform/OutputFile.h"

#include <QFileInfo>

namespace OutputFile {

QString refusal(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty())
        return QStringLiteral("Aucun fichier n'a été donné : rien n'a été écrit.");
    if (!info.exists() && !info.isSymLink())
        return QString();
    if (info.isFile())
        return QString();
    if (info.isDir())
        return QStringLiteral("%1 est un dossier, pas un fichier : rien n'a été écrit.").arg(path);
    return QStringLiteral("%1 n'est pas un fichier ordinaire (un périphérique, un tube ou un lien sans cible) : rien "
                          "n'a été écrit.")
        .arg(path);
}

} // namespace OutputFile
