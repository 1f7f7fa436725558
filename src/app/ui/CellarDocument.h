#pragma once

#include <QString>

// The document of the single-document frame. The cellar lives in its database, not here: the document
// only names what the caption shows.
class CellarDocument
{
public:
    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

private:
    QString m_title = QStringLiteral("Cave");
};
