#pragma once

#include "db/CellarOpeningQuestions.h"

// Opening a cellar for work without a window: nobody is there to answer, so nothing is asked. A cellar
// that cannot be written as it is (held by another Tonnelix, protected, unreadable) is refused with its
// reason on standard error, and nothing is created in its place.
class ConsoleCellarOpening final : public CellarOpeningQuestions
{
public:
    bool readCellarHeldElsewhere(qint64 pid, const QString& path) override;
    bool readProtectedCellar(const QString& path) override;
    UnreadableChoice unreadableCellar(const DbError& error, const QString& path) override;
    QString newCellarFile(const QString&) override { return QString(); }
    void newCellarFileExists(const QString&) override {}
    void cannotOpen(const QString& path, const DbError& error) override;
    QString otherCellarFile(const QString&) override { return QString(); }
    void gaveUp(const QString&) override {}
};
