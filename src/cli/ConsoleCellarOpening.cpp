#include "cli/ConsoleCellarOpening.h"

#include "cli/ConsoleOutput.h"

bool ConsoleCellarOpening::readCellarHeldElsewhere(qint64 pid, const QString& path)
{
    Console::print(stderr, QStringLiteral("Cette cave est déjà ouverte par un autre Tonnelix (processus %1) :\n%2\n"
                                          "Fermez-le avant de recommencer.")
                               .arg(pid)
                               .arg(path));
    return false;
}

bool ConsoleCellarOpening::readProtectedCellar(const QString& path)
{
    Console::print(stderr, QStringLiteral("Vous n'avez pas le droit de modifier cette cave :\n%1").arg(path));
    return false;
}

CellarOpeningQuestions::UnreadableChoice ConsoleCellarOpening::unreadableCellar(const DbError& error, const QString&)
{
    Console::print(stderr, error.description() + QStringLiteral("\nLe fichier n'a pas été modifié."));
    return UnreadableChoice::Quit;
}

void ConsoleCellarOpening::cannotOpen(const QString& path, const DbError& error)
{
    Console::print(stderr, QStringLiteral("ERREUR ouverture base : %1\n%2").arg(path, error.description()));
}
