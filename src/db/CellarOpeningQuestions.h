#pragma once

#include "db/engine/DbError.h"

#include <QString>

// What finding and opening a cellar may have to ask on the way. The locator decides nothing it cannot
// decide alone: the window asks the user (message boxes, file dialogs), the command line answers
// without asking anyone.
class CellarOpeningQuestions
{
public:
    enum class UnreadableChoice
    {
        ChooseAnother, // another cellar, or a backup, in its place
        CreateNew,     // a new empty cellar under a new name
        Quit
    };

    virtual ~CellarOpeningQuestions() = default;

    // Another Tonnelix (process pid) writes the cellar: true to read it only, false to quit.
    virtual bool readCellarHeldElsewhere(qint64 pid, const QString& path) = 0;
    // The user may not write the cellar or its folder: true to read it only, false to choose another.
    virtual bool readProtectedCellar(const QString& path) = 0;
    // A file is there but is no cellar this release can open (it is left as it is).
    virtual UnreadableChoice unreadableCellar(const DbError& error, const QString& path) = 0;
    // The file of a new cellar, in the folder given first; empty to quit.
    virtual QString newCellarFile(const QString& folder) = 0;
    // The new cellar's file exists already: it is never written over, another name is asked.
    virtual void newCellarFileExists(const QString& path) = 0;
    // The cellar could not be opened at all (a file gone, a disk not mounted).
    virtual void cannotOpen(const QString& path, const DbError& error) = 0;
    // Another cellar to open instead, in the folder given first; empty to give up.
    virtual QString otherCellarFile(const QString& folder) = 0;
    // No cellar could be opened: the locator gives up.
    virtual void gaveUp(const QString& path) = 0;
};
