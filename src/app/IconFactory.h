#pragma once

#include <QIcon>
#include <QString>

// The toolbar's pictures, drawn here: a rounded tile in the colour of the command's family with its glyph.
namespace IconFactory {

QIcon commandIcon(int commandId, const QString& glyph);

} // namespace IconFactory
