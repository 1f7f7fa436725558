#include "backup/Backups.h"

#include "db/CellarEvents.h"
#include "db/CellarSession.h"
#include "db/Schema.h"
#include "db/SchemaUpgrade.h"
#include "db/Write.h"
#include "platform/FileSync.h"
#include "platform/InputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>
#include <algorithm>

namespace Backups {

QString pathFor(const QString& livePath, const QDateTime& when)
{
    const QDir dir = QFileInfo(livePath).absoluteDir();
    const QString stamp = QStringLiteral("Save") + when.toString(QStringLiteral("yyyyMMddhhmm"));
    QString path = dir.filePath(stamp + QStringLiteral(".mdb"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(stamp + QStringLiteral("-%1.mdb").arg(n));
    return path;
}

Result backup(CellarSession& session, const QDateTime& when)
{
    Result result;
    const QString live = session.path();
    result.path = pathFor(live, when);
    result.sameMinute = QFileInfo(result.path).completeBaseName().contains(QLatin1Char('-'));
    // Named after the live cellar: the copy of a killed run is swept away at the cellar's next opening.
    const QFileInfo liveInfo(live);
    const QString temporary = liveInfo.absoluteDir().filePath(
        QStringLiteral(".%1.%2.backup").arg(liveInfo.fileName(), QUuid::createUuid().toString(QUuid::Id128)));
    session.CloseQuery();
    try {
        session.database().vacuumInto(temporary);
    } catch (const DbError& error) {
        QFile::remove(temporary);
        result.message = QStringLiteral("La sauvegarde n'a pas pu être écrite : %1").arg(error.description());
        return result;
    }
    if (!FileSync::syncFile(temporary) || !FileSync::renameDurably(temporary, result.path)) {
        QFile::remove(temporary);
        result.message = QStringLiteral("La sauvegarde n'a pas pu prendre le nom %1.").arg(result.path);
        return result;
    }
    result.ok = true;
    return result;
}

std::vector<Entry> list(const QString& livePath)
{
    static const QRegularExpression name(
        QStringLiteral("^save(\\d{4})(\\d{2})(\\d{2})(\\d{2})(\\d{2})(?:-(\\d+))?\\.mdb$"),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<Entry> entries;
    const QDir dir = QFileInfo(livePath).absoluteDir();
    const QStringList files = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& file : files) {
        const QRegularExpressionMatch m = name.match(file);
        if (!m.hasMatch())
            continue;
        const int number = m.captured(6).isEmpty() ? 1 : m.captured(6).toInt();
        entries.push_back({file, m.captured(1), m.captured(2), m.captured(3), m.captured(4), m.captured(5), number});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const QString ka = a.fileName.mid(4, 12);
        const QString kb = b.fileName.mid(4, 12);
        return ka != kb ? ka < kb : a.number < b.number;
    });
    return entries;
}

Result restore(CellarSession& session, const QString& backupPath, const QDateTime& when)
{
    Result result;
    if (const QString refused = InputFile::refusal(backupPath); !refused.isEmpty()) {
        result.message = refused + QStringLiteral(" Rien n'a été restauré.");
        return result;
    }
    // Only a cellar is put in place of the cellar.
    try {
        Database check;
        check.open(backupPath, Database::OpenMode::ReadOnly);
        if (!check.tableExists(QStringLiteral("CAVE")) || !check.tableExists(QStringLiteral("TYPEVIN"))) {
            result.message =
                QStringLiteral("Le fichier %1 n'est pas une cave : rien n'a été restauré.").arg(backupPath);
            return result;
        }
        // A backup of a newer release would be put in place, then refused at the next start.
        if (const std::optional<QString> newer = Schema::newerVersionText(check)) {
            result.message = QStringLiteral("La sauvegarde %1 a été écrite par une version plus récente de Tonnelix "
                                            "(base %2) : rien n'a été restauré.")
                                 .arg(backupPath, *newer);
            return result;
        }
    } catch (const DbError& error) {
        traceFailure("Backups::restore", error);
        result.message = QStringLiteral("Le fichier %1 n'est pas une cave : rien n'a été restauré.").arg(backupPath);
        return result;
    }
    // The live cellar is kept first, so that the restore can be undone.
    const Result kept = backup(session, when);
    if (!kept.ok) {
        result.message = kept.message + QStringLiteral("\nRien n'a été restauré.");
        return result;
    }
    result.path = kept.path;
    const QString live = session.path();
    if (!session.CompactInto(backupPath, live)) {
        result.message = QStringLiteral("La restauration a échoué : votre cave est restée telle qu'elle était.");
        return result;
    }
    // A backup of an older release is brought up to date like any cellar at start.
    const SchemaUpgrade::Result upgraded = SchemaUpgrade(session).RunChain();
    CellarEvents::instance().notifyCellarReplaced();
    if (!upgraded.ok) {
        result.message = upgraded.message +
                         QStringLiteral("\nLa sauvegarde a été remise en place telle quelle ; votre cave d'avant la "
                                        "restauration a été sauvée sous :\n") +
                         kept.path;
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace Backups
