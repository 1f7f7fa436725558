// Finding and opening the cellar at start-up.
#include "db/CellarSession.h"

#include "db/CellarLock.h"
#include "db/CellarOpeningQuestions.h"
#include "db/JetSignature.h"
#include "platform/Paths.h"
#include "trace/Trace.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

namespace {

// The user declined to open a cellar as it could be opened: another one is asked for.
struct Declined
{};

// The filter of the file dialogs, as the trace has always named it.
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

// The cellar and its folder (where the journal of each write is made) can both be written.
bool writable(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0 &&
           ::access(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), W_OK) == 0;
}

// The half-written copies a killed backup or restore left beside the cellar (".Cave.mdb.<id>.backup",
// ".Cave.mdb.<id>.compact"). Only called with the cellar's lock held: no other Tonnelix is writing them.
void removeAbandonedCopies(const QString& path)
{
    const QFileInfo info(path);
    QDir dir = info.absoluteDir();
    const QString prefix = QLatin1Char('.') + info.fileName() + QLatin1Char('.');
    const QStringList copies = dir.entryList(
        {prefix + QStringLiteral("*.backup"), prefix + QStringLiteral("*.compact")}, QDir::Files | QDir::Hidden);
    for (const QString& copy : copies) {
        TraceLine("Copie abandonnée supprimée %s", qUtf8Printable(copy));
        dir.remove(copy);
    }
}

} // namespace

namespace {

CellarSession::JetConverter& jetConverter()
{
    static CellarSession::JetConverter converter;
    return converter;
}

} // namespace

void CellarSession::setJetConverter(JetConverter converter)
{
    jetConverter() = std::move(converter);
}

namespace {

// Only a regular file is ever opened as a cellar: a folder says so, and a pipe or a device, which would hang
// the opening or be read endlessly, is never opened at all. The real file a path leads to, links resolved.
QString realFileOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        if (info.isSymLink())
            throw DbError(DbError::kFileGone,
                          QStringLiteral("« %1 » est un lien vers un fichier qui n'existe pas (ou une boucle de "
                                         "liens).")
                              .arg(path));
        return path; // a cellar to create, or a file gone: the opening says which
    }
    if (info.isDir())
        throw DbError(DbError::kFileGone, QStringLiteral("« %1 » est un dossier, pas une cave.").arg(path));
    if (!info.isFile())
        throw DbError(DbError::kFileGone,
                      QStringLiteral("« %1 » n'est pas un fichier ordinaire (un tube ou un périphérique) : il n'est "
                                     "pas ouvert.")
                          .arg(path));
    // Through a link, the cellar is the file it leads to: that file is locked, saved beside and replaced.
    return info.canonicalFilePath();
}

// A cellar of the Windows release is never opened as it is: it is copied into a new cellar, whose path is
// given instead. Any other file is given back as it is.
QString convertedIfJet(const QString& path)
{
    if (!JetSignature::isJet(path))
        return path;
    if (!jetConverter())
        throw DbError(DbError::kNotACellar,
                      QStringLiteral("Le fichier « %1 » est une cave de la version Windows de Tonnelix (une "
                                     "base Access) : convertissez-la d'abord en une cave Tonnelix, par "
                                     "exemple avec « tonnelix --convert-jet %1 NOUVELLE-CAVE ».")
                          .arg(path));
    const QString converted = jetConverter()(path);
    if (converted.isEmpty())
        throw Declined{};
    return converted;
}

// What the locator does after a file that is there but is no cellar this release can open.
enum class AfterUnreadable
{
    ChooseAnother,
    TryNewCellar, // path and mayCreate now name the new cellar
    TryAgain,     // the new cellar's name was taken: asked again
    Quit
};

AfterUnreadable afterUnreadable(const DbError& error, QString& path, bool& mayCreate, CellarOpeningQuestions& questions)
{
    using Choice = CellarOpeningQuestions::UnreadableChoice;
    const Choice choice = questions.unreadableCellar(error, path);
    if (choice == Choice::Quit)
        return AfterUnreadable::Quit;
    if (choice == Choice::ChooseAnother)
        return AfterUnreadable::ChooseAnother;
    const QString created = questions.newCellarFile(QFileInfo(path).absolutePath());
    if (created.isEmpty())
        return AfterUnreadable::Quit;
    if (QFileInfo::exists(created)) {
        questions.newCellarFileExists(created); // never written over
        return AfterUnreadable::TryAgain;
    }
    path = created;
    mayCreate = true;
    return AfterUnreadable::TryNewCellar;
}

} // namespace

std::unique_ptr<CellarSession> CellarSession::openLocked(const QString& path, bool mayCreate,
                                                         CellarOpeningQuestions& questions)
{
    // One Tonnelix at a time writes a cellar; the lock of a process that died is taken over.
    auto lock = std::make_unique<CellarLock>(path);
    bool readOnly = false;
    if (QFileInfo::exists(path)) {
        const CellarLock::Outcome outcome = lock->take();
        if (outcome == CellarLock::Outcome::HeldElsewhere) {
            if (!questions.readCellarHeldElsewhere(lock->holder(), path))
                return nullptr;
            readOnly = true;
        }
        // Where no lock can be made beside the cellar (a folder that cannot be written, a full disk),
        // whether the cellar itself can be written is asked below, not whether another Tonnelix holds it.
        if (outcome != CellarLock::Outcome::Taken)
            lock.reset();
    }
    // A file the user may not write (its rights, a protected disk) is offered for reading only.
    if (!readOnly && QFileInfo::exists(path) && !writable(path)) {
        if (!questions.readProtectedCellar(path))
            throw Declined{};
        readOnly = true;
        lock.reset();
    }
    auto database = readOnly ? std::make_unique<Database>() : OpenCellarFile(path, mayCreate);
    if (readOnly)
        database->open(path, Database::OpenMode::ReadOnly);
    else if (lock && !lock->isTaken() && lock->take() != CellarLock::Outcome::Taken)
        lock.reset(); // a cellar just created where no lock can be written: it is ours alone
    if (!readOnly)
        removeAbandonedCopies(path);
    TraceLine("Base ouverte ");
    auto session = std::make_unique<CellarSession>(std::move(database));
    session->m_lock = std::move(lock);
    session->m_readOnly = readOnly;
    return session;
}

std::unique_ptr<CellarSession> CellarSession::Open(const QString& savedPath, CellarOpeningQuestions& questions)
{
    TraceLine(" NT : %s", "OUI");
    TraceLine("Entre Base %s", qUtf8Printable(savedPath));
    bool mayCreate = false;
    QString path = initialPath(savedPath, mayCreate);
    for (;;) {
        TraceLine("Base l'hors de l'ouverture %s", qUtf8Printable(path));
        try {
            path = realFileOf(path);
            const QString cellar = convertedIfJet(path);
            if (cellar != path) {
                path = cellar;
                mayCreate = false;
            }
            return openLocked(path, mayCreate, questions); // nullptr: the user quits
        } catch (const DbError& error) {
            if (QFileInfo(path).isFile() && error.code() != DbError::kFileGone) {
                // The file is left as it is, and the user chooses what to do instead.
                const AfterUnreadable next = afterUnreadable(error, path, mayCreate, questions);
                if (next == AfterUnreadable::Quit)
                    return nullptr;
                if (next != AfterUnreadable::ChooseAnother)
                    continue;
            } else {
                questions.cannotOpen(path, error);
            }
        } catch (const Declined&) {
            // the user would rather choose another cellar
        }
        // Let the user point at the cellar (a moved file, a disk not mounted) instead of failing forever.
        TraceLine("Base aprés le repace dans string %s", qUtf8Printable(kFilter));
        const QString chosen = questions.otherCellarFile(QFileInfo(path).absolutePath());
        if (chosen.isEmpty()) {
            TraceLine("Il à été imposible d'ouvrir la base %s", qUtf8Printable(path));
            questions.gaveUp(path);
            return nullptr;
        }
        TraceLine("Base aprés Boite d'ouverture %s", qUtf8Printable(chosen));
        path = chosen;
        mayCreate = false;
    }
}
