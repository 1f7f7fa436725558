#pragma once

class QPrinter;
class QWidget;

// The print and preview commands of the main frame: the order is asked, then the printer's or the
// preview's dialog is shown. The printer keeps its settings (page set-up) from one command to the next.
namespace PrintCommands {

QPrinter& printer();
void print(QWidget* parent);
void preview(QWidget* parent);

} // namespace PrintCommands
