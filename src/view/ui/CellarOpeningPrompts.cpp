#include "view/ui/CellarOpeningPrompts.h"

#include "db/CellarSession.h"
#include "platform/Prompt.h"

namespace {

const QString kFilter = QStringLiteral("Fichiers base(*.mdb)");
const QString kAttention = QStringLiteral("Attention !");

} // namespace

bool CellarOpeningPrompts::readCellarHeldElsewhere(qint64 pid, const QString& path)
{
    return Prompt::show(QStringLiteral("Cette cave est déjà ouverte par un autre Tonnelix (processus %1) :\n%2\n\n"
                                       "Voulez-vous l'ouvrir en lecture seule ? (Non : quitter)")
                            .arg(pid)
                            .arg(path),
                        kAttention, Prompt::Icon::Question, Prompt::Buttons::YesNoDefaultNo) == Prompt::Answer::Yes;
}

bool CellarOpeningPrompts::readProtectedCellar(const QString& path)
{
    return Prompt::show(QStringLiteral("Vous n'avez pas le droit de modifier cette cave :\n%1\n\nVoulez-vous l'ouvrir "
                                       "en lecture seule ? (Non : choisir une autre cave)\nPour la modifier, copiez-la "
                                       "dans un dossier à vous ou changez les droits du fichier.")
                            .arg(path),
                        kAttention, Prompt::Icon::Question, Prompt::Buttons::YesNo) == Prompt::Answer::Yes;
}

CellarOpeningQuestions::UnreadableChoice CellarOpeningPrompts::unreadableCellar(const DbError& error, const QString&)
{
    m_lastReason = error.description();
    const Prompt::Answer answer = Prompt::show(
        error.description() + QStringLiteral("\n\nLe fichier n'a pas été modifié.\n\n"
                                             "Oui : choisir une autre cave, ou une sauvegarde (fichier Save….mdb) à "
                                             "ouvrir à sa place.\nNon : créer une nouvelle cave vide.\n"
                                             "Annuler : quitter Tonnelix."),
        QStringLiteral("Cave illisible"), Prompt::Icon::Exclamation, Prompt::Buttons::YesNoCancel);
    switch (answer) {
    case Prompt::Answer::Cancel:
        return UnreadableChoice::Quit;
    case Prompt::Answer::No:
        return UnreadableChoice::CreateNew;
    default:
        return UnreadableChoice::ChooseAnother;
    }
}

QString CellarOpeningPrompts::newCellarFile(const QString& folder)
{
    return Prompt::current().saveFileName(QStringLiteral("Nouvelle cave"), kFilter, folder);
}

void CellarOpeningPrompts::newCellarFileExists(const QString& path)
{
    Prompt::show(
        QStringLiteral("Le fichier %1 existe déjà : choisissez un nouveau nom pour la nouvelle cave.").arg(path),
        kAttention, Prompt::Icon::Exclamation);
}

void CellarOpeningPrompts::cannotOpen(const QString& path, const DbError& error)
{
    m_lastReason = error.description();
    Prompt::show(path, QStringLiteral("ERREUR ouverture base"));
    ReportDaoException(error);
}

QString CellarOpeningPrompts::otherCellarFile(const QString& folder)
{
    return Prompt::current().openFileName(QStringLiteral("Ouverture de votre base de données ..."), kFilter, folder);
}

void CellarOpeningPrompts::gaveUp(const QString&)
{
    // The text ends with the reason of the last failure, which it always left empty.
    Prompt::show(QStringLiteral("Impossible d'ouvrir la database de plusieurs manières\n Erreur : ") + m_lastReason);
}
