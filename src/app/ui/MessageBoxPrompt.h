#pragma once

#include "platform/Prompt.h"

// Prompts shown in QMessageBox and QFileDialog, owned by the active window.
class MessageBoxPrompt final : public Prompt
{
public:
    Answer message(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;
    QString openFileName(const QString& title, const QString& filter, const QString& directory) override;
    QString saveFileName(const QString& title, const QString& filter, const QString& directory) override;
    QString folderName(const QString& title, const QString& directory) override;
    void openHelp() override;
};
