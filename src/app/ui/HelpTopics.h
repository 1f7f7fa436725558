#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Where F1 opens the guide: each page and dialog has its own section, named by the anchor of its heading in
// resources/guide/guide.html. Pages and dialogs are known by their object name (their class's name).
namespace HelpTopics {

// The section of a page or dialog; empty (the guide's beginning) for one without a section of its own.
QString sectionOf(const QString& objectName);
// The section of whatever a widget belongs to: the dialog around it, else the page shown in the main window.
QString sectionFor(const QWidget* widget);
// Every section named above, for the tests that check the guide has them all.
QStringList sections();

} // namespace HelpTopics
