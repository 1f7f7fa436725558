#pragma once

#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// The node of a tree reached by following texts from the top ({"Rouge", "FR", "Bordeaux"}); nullptr when
// a text is missing on the way. Every node on the way, and the one found, is expanded: its children are
// there to look at.
QTreeWidgetItem* findNode(QTreeWidget* tree, const QStringList& path);
