#pragma once

#include <QDialog>

class DishList;
class QLineEdit;
class QPushButton;

// "Modification d'un plat": renames a dish of the reference list, or deletes it.
class EditDishDialog : public QDialog
{
    Q_OBJECT
public:
    explicit EditDishDialog(QWidget* parent = nullptr);

    void fillDishList();
    void dishChosen();
    void applyAndClose();
    // Renames the dish chosen (by its index, whatever its name); false when the write failed.
    bool MAJ(qint64 index);
    // Deletes the dish chosen, after saying how many wine types suggest it.
    void deleteDish();

    DishList* dishList() const { return m_dishes; }
    QLineEdit* oldEdit() const { return m_old; }
    QLineEdit* newEdit() const { return m_new; }
    QPushButton* deleteButton() const { return m_delete; }

private:
    DishList* m_dishes = nullptr;
    QLineEdit* m_old = nullptr;
    QLineEdit* m_new = nullptr;
    QPushButton* m_delete = nullptr;
};
