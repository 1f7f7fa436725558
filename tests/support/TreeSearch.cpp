#include "support/TreeSearch.h"

#include <QTreeWidget>

QTreeWidgetItem* findNode(QTreeWidget* tree, const QStringList& path)
{
    QTreeWidgetItem* node = tree->invisibleRootItem();
    for (const QString& text : path) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < node->childCount() && !next; ++i) {
            if (node->child(i)->text(0) == text)
                next = node->child(i);
        }
        if (!next)
            return nullptr;
        node = next;
    }
    return node;
}
