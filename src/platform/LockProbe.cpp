#include "platform/LockProbe.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LockProbe {

bool isHeld(const QString& lockFile)
{
    const int fd = ::open(QFile::encodeName(lockFile).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno != ENOENT;
    const bool free = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd); // releases the shared lock taken just now
    return !free;
}

QString fileIdentity(const QString& path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return QStringLiteral("%1-%2")
        .arg(static_cast<qulonglong>(info.st_dev), 0, 16)
        .arg(static_cast<qulonglong>(info.st_ino));
}

} // namespace LockProbe
