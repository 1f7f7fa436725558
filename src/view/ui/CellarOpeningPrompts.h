#pragma once

#include "db/CellarOpeningQuestions.h"

// The questions of opening a cellar, asked of the user in message boxes and file dialogs.
class CellarOpeningPrompts final : public CellarOpeningQuestions
{
public:
    bool readCellarHeldElsewhere(qint64 pid, const QString& path) override;
    bool readProtectedCellar(const QString& path) override;
    UnreadableChoice unreadableCellar(const DbError& error, const QString& path) override;
    QString newCellarFile(const QString& folder) override;
    void newCellarFileExists(const QString& path) override;
    void cannotOpen(const QString& path, const DbError& error) override;
    QString otherCellarFile(const QString& folder) override;
    void gaveUp(const QString& path) override;

private:
    QString m_lastReason; // why the last cellar tried could not be opened, told when the user gives up
};
