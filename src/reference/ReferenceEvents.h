#pragma once

#include <QObject>

// Tells the lists that show reference names (the entry page's combos, the cellar tree) that they changed,
// so that they show the new names at once.
class ReferenceEvents : public QObject
{
    Q_OBJECT
public:
    static ReferenceEvents& instance();
    void notifyWineTypesChanged() { Q_EMIT wineTypesChanged(); }
    void notifyCrusChanged() { Q_EMIT crusChanged(); }
    void notifyEstatesChanged() { Q_EMIT estatesChanged(); }
    void notifyDishesChanged() { Q_EMIT dishesChanged(); }

Q_SIGNALS:
    // Wine types, appellations, colours or countries (the tree groups by them).
    void wineTypesChanged();
    void crusChanged();
    void estatesChanged();
    // The dishes' names (the library page shows them).
    void dishesChanged();
};
