// Finding and opening the cellar at start-up.
#include "db/CellarSession.h"

#include "platform/Paths.h"
#include "platform/Prompt.h"
#include "trace/Trace.h"

#include <QFileInfo>

namespace {

const QString kOpenTitle = QStringLiteral("Ouverture de votre base de données ...");
const QString kFilter = QStringLiteral("Fichiers base(*.mdb)");

// The saved path as it is; otherwise the cellar beside the program when there is one (portable use);
// otherwise the one in the user's data folder.
QString initialPath(const QString& savedPath, bool& mayCreate)
{
    mayCreate = false;
    if (!savedPath.isEmpty()) {
        TraceLine("Base avant transfert dans ParaDB %s", qUtf8Printable(savedPath));
        return savedPath;
    }
    const QString program = Paths::executableFile();
    TraceLine("Base aprés GetModuleFileName %s", qUtf8Printable(program));
    TraceLine("ParaDB <- lpBuffer %s,%s", qUtf8Printable(savedPath), qUtf8Printable(program));
    TraceLine("Base avant le découpage %s", qUtf8Printable(program));
    TraceLine("Base aprés découpage %s", qUtf8Printable(Paths::executableDir()));
    const QString portable = Paths::portableDatabasePath();
    TraceLine("Base aprés rajout base %s", qUtf8Printable(portable));
    if (QFileInfo::exists(portable))
        return portable;
    mayCreate = true;
    return Paths::defaultDatabasePath();
}

} // namespace

std::unique_ptr<CellarSession> CellarSession::Open(const QString& savedPath)
{
    TraceLine(" NT : %s", "OUI");
    TraceLine("Entre Base %s", qUtf8Printable(savedPath));
    bool mayCreate = false;
    QString path = initialPath(savedPath, mayCreate);
    for (;;) {
        TraceLine("Base l'hors de l'ouverture %s", qUtf8Printable(path));
        try {
            auto database = OpenCellarFile(path, mayCreate);
            TraceLine("Base ouverte ");
            return std::make_unique<CellarSession>(std::move(database));
        } catch (const DbError& error) {
            Prompt::show(path, QStringLiteral("ERREUR ouverture base"));
            ReportDaoException(error);
        }
        // Let the user point at the cellar (a moved file, a disk not mounted) instead of failing forever.
        TraceLine("Base aprés le repace dans string %s", qUtf8Printable(kFilter));
        const QString chosen = Prompt::current().openFileName(kOpenTitle, kFilter, QFileInfo(path).absolutePath());
        if (chosen.isEmpty()) {
            TraceLine("Il à été imposible d'ouvrir la base %s", qUtf8Printable(path));
            Prompt::show(QStringLiteral("Impossible d'ouvrir la database de plusieurs manières\n Erreur : "));
            return nullptr;
        }
        TraceLine("Base aprés Boite d'ouverture %s", qUtf8Printable(chosen));
        path = chosen;
        mayCreate = false;
    }
}
