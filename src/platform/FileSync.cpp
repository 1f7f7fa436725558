#include "platform/FileSync.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace FileSync {

namespace {

bool syncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

bool syncFile(const QString& path)
{
    return syncPath(path, O_RDONLY);
}

bool renameDurably(const QString& source, const QString& target)
{
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    // The folder's own flush may be refused by some file systems: the rename has been made all the same.
    syncPath(QFileInfo(target).absolutePath(), O_RDONLY | O_DIRECTORY);
    return true;
}

} // namespace FileSync
