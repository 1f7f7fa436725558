#include "db/CellarLock.h"

#include "platform/LockProbe.h"
#include "platform/Paths.h"
#include "trace/Trace.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace {

// A lock that names no living holder (left by a kill, or cut short) holds nothing: it is removed, so that
// tryLock() can make it again. QLockFile's own test only knows the processes of this machine.
std::unique_ptr<QLockFile> lockWithoutDeadOwner(const QString& file)
{
    auto lock = std::make_unique<QLockFile>(file);
    lock->setStaleLockTime(0);
    if (QFileInfo::exists(file) && !LockProbe::isHeld(file)) {
        TraceLine("Verrou abandonné supprimé %s", qUtf8Printable(file));
        lock->removeStaleLockFile();
    }
    return lock;
}

} // namespace

CellarLock::CellarLock(const QString& path) : m_path(path) {}

CellarLock::~CellarLock() = default;

QString CellarLock::besidePath(const QString& path)
{
    return path + QStringLiteral(".lock");
}

QString CellarLock::identityPath(const QString& path)
{
    const QString identity = LockProbe::fileIdentity(path);
    if (identity.isEmpty())
        return {};
    return Paths::userDataDir() + QStringLiteral("/verrous/") + identity + QStringLiteral(".lock");
}

bool CellarLock::isTaken() const
{
    return m_beside && m_beside->isLocked();
}

CellarLock::Outcome CellarLock::take()
{
    m_holder = 0;
    QString host, application;
    m_beside = lockWithoutDeadOwner(besidePath(m_path));
    if (!m_beside->tryLock(200)) {
        const bool held = m_beside->error() == QLockFile::LockFailedError;
        if (held)
            m_beside->getLockInfo(&m_holder, &host, &application);
        m_beside.reset();
        return held ? Outcome::HeldElsewhere : Outcome::CannotLock;
    }
    // The same file under another name (a hard link) has another lock beside it, but the same identity.
    const QString identity = identityPath(m_path);
    if (identity.isEmpty() || !QDir().mkpath(QFileInfo(identity).absolutePath()))
        return Outcome::Taken;
    m_identity = lockWithoutDeadOwner(identity);
    if (m_identity->tryLock(200))
        return Outcome::Taken;
    const bool held = m_identity->error() == QLockFile::LockFailedError;
    if (held)
        m_identity->getLockInfo(&m_holder, &host, &application);
    m_identity.reset();
    if (!held)
        return Outcome::Taken; // the lock beside the file still keeps every other start under this name out
    m_beside.reset();
    return Outcome::HeldElsewhere;
}
