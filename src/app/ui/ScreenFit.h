#pragma once

#include <QRect>

// No window is larger than the screen it opens on: a window shown with a frame larger than the screen's
// available area (a small screen, a large scale) is made to fit it, and moved inside it.
namespace ScreenFit {

// Where a window with that frame goes on a screen's available area: no larger than the area (but no smaller
// than the least frame its contents allow), and inside it.
QRect within(const QRect& frame, const QRect& available, const QSize& leastFrame = QSize());

// Watches every window of the application as it is shown (installed once, by the main window).
void install();

} // namespace ScreenFit
