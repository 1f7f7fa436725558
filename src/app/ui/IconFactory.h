#pragma once

#include <QIcon>

// The toolbar's pictures: a drawing of the command's subject (resources/toolbar), with a badge for the
// commands that add (+) or change (pencil) it. Drawn from SVG at every size asked, so they stay sharp
// at any scaling.
namespace IconFactory {

// A null icon for a command that has no picture.
QIcon commandIcon(int commandId);

} // namespace IconFactory
