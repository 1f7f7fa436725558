#pragma once

#include <QDialog>

class NameList;
class QLabel;
class QLineEdit;
class QPushButton;

// "Création d'un nom de domaine" (mode 1) and "Suppression d'un nom de domaine" (mode 2): the estates
// that the bottle entry page offers for a wine type.
class EstatesDialog : public QDialog
{
    Q_OBJECT
public:
    EstatesDialog(QWidget* parent, int mode);

    void fillControls();
    void wineTypeChosen();
    void estateChosen();
    void applyAndClose();
    void deleteEstate();

    NameList* typeList() const { return m_types; }
    NameList* estateList() const { return m_estates; }
    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* deleteButton() const { return m_delete; }

    // The longest estate name kept.
    static constexpr int kMaxName = 255;

private:
    int m_mode;
    NameList* m_types = nullptr;
    NameList* m_estates = nullptr;
    QLabel* m_caption = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_delete = nullptr;
};
