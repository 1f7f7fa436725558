#pragma once

#include <QDialog>

class DishList;

// "Plats / Vins": the dishes suggested with one wine, from its RelPlats text.
class DishesForWineDialog : public QDialog
{
    Q_OBJECT
public:
    DishesForWineDialog(QWidget* parent, const QString& relPlats);

    DishList* dishList() const { return m_dishes; }

private:
    DishList* m_dishes = nullptr;
};
