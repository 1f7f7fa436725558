#pragma once

#include <QDialog>

class DishList;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Modification de ...": one fact of the library for one wine type and appellation. A free text for most
// facts, two bounds for the serving temperature, a list of dishes for the suggested dishes.
class LibraryFactDialog : public QDialog
{
    Q_OBJECT
public:
    LibraryFactDialog(QWidget* parent, int attribute, const QString& type, const QString& appellation);

    void fillControls();
    void fillDishList();
    void readFacts();
    void addDish();          // "<<"
    void removeDish();       // ">>"
    void addReferenceDish(); // "Ajout d'un plat de référence"
    void applyAndClose();

    QPlainTextEdit* oldValue() const { return m_old; }
    QLineEdit* newValue() const { return m_new; }
    QComboBox* minimumList() const { return m_minimum; }
    QComboBox* maximumList() const { return m_maximum; }
    DishList* wineDishes() const { return m_wineDishes; }
    DishList* referenceDishes() const { return m_reference; }

    static QString titleOf(int attribute);

private:
    int m_attribute;
    QString m_type;
    QString m_appellation;
    QPlainTextEdit* m_old = nullptr;
    QLabel* m_newLabel = nullptr;
    QLineEdit* m_new = nullptr;
    QWidget* m_temperature = nullptr;
    QComboBox* m_minimum = nullptr;
    QComboBox* m_maximum = nullptr;
    QWidget* m_dishes = nullptr;
    DishList* m_wineDishes = nullptr;
    DishList* m_reference = nullptr;
};
