#pragma once

#include "platform/Prompt.h"

#include <QList>
#include <QStringList>

// A prompt for tests: answers from a queue, records every message, and fails the running test on a
// message that nothing was queued for (unless told to let them through).
class ScriptedPrompt final : public Prompt
{
public:
    struct Message
    {
        QString text;
        QString caption;
        Icon icon;
        Buttons buttons;
    };

    ScriptedPrompt();
    ~ScriptedPrompt() override;

    // The answer to the next message.
    void queue(Answer answer) { m_answers << answer; }
    // The file the next file dialog returns (empty: cancelled).
    void queueFile(const QString& path) { m_files << path; }
    // Messages with nothing queued get OK (or Cancel/No) instead of failing the test.
    void allowUnscripted(bool allow) { m_allowUnscripted = allow; }

    const QList<Message>& messages() const { return m_messages; }
    QStringList texts() const;
    const QStringList& fileTitles() const { return m_fileTitles; }
    int helpRequests() const { return m_help; }
    int pendingAnswers() const { return static_cast<int>(m_answers.size()); }
    void clear();

    Answer message(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;
    QString openFileName(const QString& title, const QString& filter, const QString& directory) override;
    QString saveFileName(const QString& title, const QString& filter, const QString& directory) override;
    QString folderName(const QString& title, const QString& directory) override;
    void openHelp() override { ++m_help; }

private:
    QList<Answer> m_answers;
    QStringList m_files;
    QList<Message> m_messages;
    QStringList m_fileTitles;
    bool m_allowUnscripted = false;
    int m_help = 0;
};
