#pragma once

class QMainWindow;
class CTonnelixView;

// What the user arranged in the window, kept in the settings ("Fenetre" section) and given back at the next
// start: the window's place and size, the toolbars, the splitter between tree and pages, the page shown and
// the column widths of the named lists.
namespace WindowState {

void save(const QMainWindow& window, const CTonnelixView& view);
void restore(QMainWindow& window, CTonnelixView& view);
// The page shown last, once the cellar is open (opening it shows the first page).
void restorePage(CTonnelixView& view);

} // namespace WindowState
