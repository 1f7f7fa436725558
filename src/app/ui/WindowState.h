#pragma once

class QMainWindow;
class CellarView;
class QWidget;

// What the user arranged in the window, kept in the settings ("Fenetre" section) and given back at the next
// start: the window's place and size, the toolbars, the splitter between tree and pages, the page shown and
// the column widths of the named lists.
namespace WindowState {

void save(const QMainWindow& window, const CellarView& view);
void restore(QMainWindow& window, CellarView& view);
// The column widths of the named lists of a page built after the start. Lists of pages never built keep
// what was saved for them.
void restoreColumns(const QWidget& page);
// The page shown last, once the cellar is open (opening it shows the first page).
void restorePage(CellarView& view);

} // namespace WindowState
