#pragma once

#include <QString>
#include <memory>

class QLockFile;

// What makes one Tonnelix at a time the writer of a cellar, whatever name the cellar is reached by: a lock
// file beside the real file ("Cave.mdb.lock", links resolved by the caller) and one named after the file's
// device and inode in the user's data folder, which a second hard link to the same cellar meets too.
// A lock whose owner died (killed, crashed, on another machine since restarted) is taken over, whatever its
// file says; a lock that is held is never removed.
class CellarLock
{
public:
    enum class Outcome
    {
        Taken,
        // Another Tonnelix writes the cellar (holder() tells which process, 0 when unknown).
        HeldElsewhere,
        // No lock can be made beside the cellar: a folder that cannot be written, a full disk.
        CannotLock
    };

    // path: the cellar's real file.
    explicit CellarLock(const QString& path);
    ~CellarLock();
    CellarLock(const CellarLock&) = delete;
    CellarLock& operator=(const CellarLock&) = delete;

    Outcome take();
    bool isTaken() const;
    qint64 holder() const { return m_holder; }

    // The lock file beside a cellar.
    static QString besidePath(const QString& path);
    // The lock file of the cellar's device and inode (empty when the file cannot be examined).
    static QString identityPath(const QString& path);

private:
    std::unique_ptr<QLockFile> m_beside;
    std::unique_ptr<QLockFile> m_identity;
    QString m_path;
    qint64 m_holder = 0;
};
