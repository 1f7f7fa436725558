#pragma once

#include <QString>

// Whether a lock file is still held by a living process. QLockFile keeps an flock() on its file for as long
// as its owner lives: when the owner dies, killed or crashed, the system releases it, whatever the file says
// (empty, cut short, another machine's name, a process number used again since).
namespace LockProbe {

// True when some process holds the lock on lockFile, or when that cannot be told (a file that cannot be
// read, a file system without locks): only a lock known to be free is ever taken over.
bool isHeld(const QString& lockFile);

// "<device>-<inode>" of an existing file, links followed: the same for every name a file has; empty when the
// file cannot be examined.
QString fileIdentity(const QString& path);

} // namespace LockProbe
