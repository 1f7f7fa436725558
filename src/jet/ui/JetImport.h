#pragma once

#include <QString>

class QWidget;

// The window's side of the conversion of a Windows cellar: the question, the new cellar's name, the
// conversion run as a child process (`tonnelix --convert-jet … --progress`, so that a crash of the Jet reader
// costs the conversion, never the open window) with its progress, the report, and the folder where missing
// pictures may be found.
namespace JetImport {

// The program run for the conversion: this one unless told (the tests name the real executable).
void setConverter(const QString& program);

// Converts the Jet cellar at jetPath after asking; the new cellar's path (the settings then point at it), or
// an empty text when the user declined or the conversion failed (the user has been told why).
QString convertInteractively(const QString& jetPath, QWidget* parent = nullptr);

} // namespace JetImport
