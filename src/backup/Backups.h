#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

class CellarSession;

// Dated backups of the cellar beside it, "Save" + yyyyMMddhhmm + ".mdb", and their restore.
namespace Backups {

// The backup's path for a live cellar and a moment; when a backup of that minute exists already, the next
// free name "Save<minute>-2.mdb", "-3" ...: a backup never replaces another.
QString pathFor(const QString& livePath, const QDateTime& when);

struct Result
{
    bool ok = false;
    QString path;            // the backup written (or, for a restore, the backup of the live cellar made first)
    bool sameMinute = false; // a backup of the same minute exists: this one took the next number
    QString message;         // what went wrong, in French
};

// Writes a compacted copy of the live cellar under a name of its own (the copy is complete before it takes
// the name). The session stays open on the live cellar.
Result backup(CellarSession& session, const QDateTime& when = QDateTime::currentDateTime());

struct Entry
{
    QString fileName;
    QString year, month, day, hour, minute;
    int number = 1; // 2, 3 ... for the later backups of one minute
};
// The backups beside the live cellar ("sav*.mdb" without regard to case, twelve digits after "Save" and
// maybe "-n"), oldest first.
std::vector<Entry> list(const QString& livePath);

// Puts a backup in place of the live cellar: the backup must be a cellar; the live cellar is backed up first
// (Result::path names that copy); the session is left open on the live path, upgraded like any cellar at
// start. On failure the live cellar is as it was.
Result restore(CellarSession& session, const QString& backupPath, const QDateTime& when = QDateTime::currentDateTime());

} // namespace Backups
