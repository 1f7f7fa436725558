#pragma once

// What every run of Tonnelix sets first, with or without a window.
namespace Application {

// The names under which the settings and data folders are found, and the version.
void setNames();
// Qt's own texts (buttons, dialogs, command-line help) in French, whatever the desktop's language: the whole
// program speaks French. False when Qt's French translations are not installed.
bool installTranslations();

} // namespace Application
