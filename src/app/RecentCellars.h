#pragma once

#include <QStringList>

// The last five cellars opened, newest first, in the settings ("Recent File List"/"File1" … "File5").
namespace RecentCellars {

QStringList list();
// Puts the cellar first (once), keeping five.
void add(const QString& path);

} // namespace RecentCellars
