#pragma once

#include "db/Colour.h"

#include <QIcon>
#include <QString>

// The pictures drawn for Tonnelix (resources/): tree images, wine-list icons, page tabs.
namespace Pictures {

// Registers the resources; called by every window that shows them (cheap after the first call).
void init();

// Tree image by index: 0-8 colour roots and nodes, 9 the globe, 10-29 flags.
QIcon treeImage(int index);
inline constexpr int kTreeImageCount = 30;
// Flag image index for a country code (exact comparison); 9 for any other code.
int flagIndex(const QString& code);
// The flag of a country code: the tree's flags, plus "US" and "EU"; the globe for any other code.
QIcon countryFlag(const QString& code);
// List icon by colour code 0 red, 1 white, 2 rosé, 3 other (4: spare).
QIcon listIcon(int colour);
// The list icon of a colour.
inline QIcon colourIcon(Colour colour)
{
    return listIcon(static_cast<int>(colour));
}
// Tab image k of the sheet (0-5).
QIcon tabIcon(int k);

} // namespace Pictures
