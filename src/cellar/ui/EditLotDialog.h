#pragma once

#include "widgets/ui/ComboTools.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// "Modification d'un vin": the name, owner, cru, vintage, keeping time and size of a lot. The type and
// appellation are shown only; quantities, prices, date and picture are never touched.
class EditLotDialog : public QDialog
{
    Q_OBJECT
public:
    EditLotDialog(QWidget* parent, qint64 wineIndex);

    void fillControls();
    // Saves, refreshes the tree and the wine sheet, and closes; stays open when the write fails.
    void applyAndClose();

    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* ownerEdit() const { return m_owner; }
    QLineEdit* typeEdit() const { return m_type; }
    QLineEdit* appellationEdit() const { return m_appellation; }
    QComboBox* cruList() const { return m_cru; }
    QComboBox* vintageList() const { return m_vintage; }
    QComboBox* keepingList() const { return m_keeping; }
    QComboBox* sizeList() const { return m_size; }

private:
    qint64 m_wine;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_owner = nullptr;
    QLineEdit* m_type = nullptr;
    QLineEdit* m_appellation = nullptr;
    QComboBox* m_cru = nullptr;
    QComboBox* m_vintage = nullptr;
    QComboBox* m_keeping = nullptr;
    QComboBox* m_size = nullptr;
    ComboTools::StoredChoice m_storedCru;
    ComboTools::StoredChoice m_storedVintage;
    ComboTools::StoredChoice m_storedKeeping;
    ComboTools::StoredChoice m_storedSize;
};
