#include "support/TreeSearch.h"

#include <QTreeWidget>

QTreeWidgetItem* findNode(QTreeWidget* tree, const QStringList& path)
{
    QTreeWidgetItem* node = tree->invisibleRootItem();
    for (const QString& text : path) {
        node->setExpanded(true); // the tree reads a node's children when it is first expanded
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < node->childCount() && !next; ++i) {
            if (node->child(i)->text(0) == text)
                next = node->child(i);
        }
        if (!next)
            return nullptr;
        node = next;
    }
    node->setExpanded(true);
    return node;
}
