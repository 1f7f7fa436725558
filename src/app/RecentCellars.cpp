#include "app/RecentCellars.h"

#include "platform/Profile.h"

#include <QFileInfo>

namespace RecentCellars {

namespace {

const QString kSection = QStringLiteral("Recent File List");
constexpr int kKept = 5;

QString key(int n)
{
    return QStringLiteral("File%1").arg(n);
}

} // namespace

QStringList list()
{
    QStringList paths;
    for (int n = 1; n <= kKept; ++n) {
        const QString path = Profile::getString(kSection, key(n));
        if (!path.isEmpty() && !paths.contains(path))
            paths << path;
    }
    return paths;
}

void add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = list();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    for (int n = 1; n <= kKept; ++n) {
        if (n <= paths.size())
            Profile::writeString(kSection, key(n), paths.at(n - 1));
        else
            Profile::remove(kSection, key(n));
    }
}

} // namespace RecentCellars
