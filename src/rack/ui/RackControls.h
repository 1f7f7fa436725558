#pragma once

#include <QString>
#include <utility>
#include <vector>

class QColor;
class RackGrid;
class QComboBox;
class QGroupBox;
class QWidget;

// Controls both rack dialogs share.
namespace RackControls {

// "1" .. "99".
QComboBox* rackList(QWidget* parent);
// "02" .. "25".
QComboBox* countList(QWidget* parent);
// Selects the item with this text; false (and no selection) when there is none.
bool selectText(QComboBox* list, const QString& text);
// Reads a rack's stored geometry, selects it in the column and row lists (quietly) and applies it.
void applyGeometry(int rack, RackGrid& grid, QComboBox* columns, QComboBox* rows);
// The "Légende" group: a swatch per (caption, colour); the swatch of the last entry is returned in
// lastSwatch when asked, so that a dialog can hide it.
QGroupBox* legend(const std::vector<std::pair<QString, QColor>>& entries, QWidget* parent,
                  QWidget** lastSwatch = nullptr, QWidget** lastCaption = nullptr);

} // namespace RackControls
