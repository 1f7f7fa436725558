#pragma once

class QWidget;

// The splash picture shown centred for 750 ms while the main window appears; a key or a click closes it.
namespace SplashScreen {

void AutoriserSplash(bool allowed);
bool allowed();
void AfficherSplash(QWidget* parent);

} // namespace SplashScreen
