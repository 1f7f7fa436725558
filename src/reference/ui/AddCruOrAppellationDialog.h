#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

// "Ajout d'un Cru" (mode 1): a new cru. "Ajout d'une Appellation" (mode 2): a further appellation of an
// existing wine type.
class AddCruOrAppellationDialog : public QDialog
{
    Q_OBJECT
public:
    AddCruOrAppellationDialog(int mode, QWidget* parent = nullptr);

    void fillControls();
    void wineTypeChanged();
    void applyAndClose();

    QComboBox* typeList() const { return m_type; }
    QComboBox* appellationList() const { return m_appellation; }
    QComboBox* cruList() const { return m_cru; }
    QLineEdit* nameEdit() const { return m_name; }

private:
    void done();

    int m_mode;
    QComboBox* m_type = nullptr;
    QComboBox* m_appellation = nullptr;
    QComboBox* m_cru = nullptr;
    QLabel* m_caption = nullptr;
    QLineEdit* m_name = nullptr;
};
