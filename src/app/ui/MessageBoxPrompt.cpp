#include "app/ui/MessageBoxPrompt.h"

#include "app/ui/HelpWindow.h"

#include "platform/Paths.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace {

QMessageBox::Icon toIcon(Prompt::Icon icon)
{
    switch (icon) {
    case Prompt::Icon::Information:
        return QMessageBox::Information;
    case Prompt::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompt::Icon::Stop:
        return QMessageBox::Critical;
    case Prompt::Icon::Question:
        return QMessageBox::Question;
    case Prompt::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toButtons(Prompt::Buttons buttons)
{
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return QMessageBox::Ok;
    case Prompt::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompt::Buttons::YesNo:
    case Prompt::Buttons::YesNoDefaultNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompt::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

Prompt::Answer MessageBoxPrompt::message(const QString& text, const QString& caption, Icon icon, Buttons buttons)
{
    QMessageBox box(toIcon(icon), caption.isEmpty() ? QStringLiteral("Tonnelix") : caption, text, toButtons(buttons),
                    QApplication::activeWindow());
    if (buttons == Buttons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

QString MessageBoxPrompt::openFileName(const QString& title, const QString& filter, const QString& directory)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, directory, filter);
}

QString MessageBoxPrompt::saveFileName(const QString& title, const QString& filter, const QString& directory)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, directory, filter);
}

QString MessageBoxPrompt::folderName(const QString& title, const QString& directory)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, directory);
}

void MessageBoxPrompt::openHelp()
{
    HelpWindow::showGuide();
}
