#pragma once

#include "platform/Profile.h"

#include <QTemporaryDir>

// Settings kept in a private file for as long as the object lives.
class TempProfile
{
public:
    TempProfile() : m_previous(Profile::redirection())
    {
        Profile::useFile(m_dir.filePath(QStringLiteral("Tonnelix.ini")));
    }
    ~TempProfile() { Profile::useFile(m_previous); }
    TempProfile(const TempProfile&) = delete;
    TempProfile& operator=(const TempProfile&) = delete;

    QString fileName() const { return m_dir.filePath(QStringLiteral("Tonnelix.ini")); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
