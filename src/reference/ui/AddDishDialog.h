#pragma once

#include <QDialog>

class DishList;
class QLineEdit;

// "Rajout d'une réference de plat": a new dish of the reference list.
class AddDishDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AddDishDialog(QWidget* parent = nullptr);

    void fillDishList();
    void applyAndClose();

    QLineEdit* nameEdit() const { return m_name; }
    DishList* dishList() const { return m_dishes; }

private:
    QLineEdit* m_name = nullptr;
    DishList* m_dishes = nullptr;
};
