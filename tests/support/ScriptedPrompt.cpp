#include "support/ScriptedPrompt.h"

#include "db/CellarSession.h"

#include <QTest>

ScriptedPrompt::ScriptedPrompt()
{
    Prompt::install(this);
    CellarSession::setFailureReporter(&Prompt::tellFailure); // as the program does
}

ScriptedPrompt::~ScriptedPrompt()
{
    Prompt::install(nullptr);
}

QStringList ScriptedPrompt::texts() const
{
    QStringList list;
    for (const Message& m : m_messages)
        list << m.text;
    return list;
}

void ScriptedPrompt::clear()
{
    m_answers.clear();
    m_files.clear();
    m_messages.clear();
    m_fileTitles.clear();
}

Prompt::Answer ScriptedPrompt::message(const QString& text, const QString& caption, Icon icon, Buttons buttons)
{
    m_messages << Message{text, caption, icon, buttons};
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    if (!m_allowUnscripted)
        QTest::qFail(qPrintable(QStringLiteral("unexpected message: [%1] %2").arg(caption, text)), __FILE__, __LINE__);
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoDefaultNo:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString ScriptedPrompt::openFileName(const QString& title, const QString&, const QString&)
{
    m_fileTitles << title;
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedPrompt::folderName(const QString& title, const QString&)
{
    m_fileTitles << title;
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedPrompt::saveFileName(const QString& title, const QString&, const QString&)
{
    m_fileTitles << title;
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}
