#pragma once

#include <QDialog>

class NameList;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Création d'un Vin" (mode 1): a new wine type with its first appellation, colour and country.
// "Modificattion d'un Vin" (mode 2): a wine type's name, colour and country, for one appellation or all.
class WineTypeDialog : public QDialog
{
    Q_OBJECT
public:
    WineTypeDialog(QWidget* parent, int mode);

    void fillControls();
    void wineTypeChosen();
    void applyAndClose();

    NameList* typeList() const { return m_types; }
    QComboBox* countryList() const { return m_country; }
    QComboBox* colourList() const { return m_colour; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* appellationEdit() const { return m_appellation; }
    QComboBox* appellationList() const { return m_appellations; }
    QPushButton* okButton() const { return m_ok; }

private:
    bool confirm(const QString& first, const QString& appellation, const QString& nic, const QString& colour);
    // A new name that another wine type already has merges the two: asked first, with what moves.
    bool confirmMerge(const QString& oldType, const QString& appellation, const QString& newType);
    void create();
    void modify();

    int m_mode;
    QLabel* m_info = nullptr;
    QLabel* m_help = nullptr;
    QComboBox* m_country = nullptr;
    NameList* m_types = nullptr;
    QComboBox* m_colour = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_appellation = nullptr;
    QComboBox* m_appellations = nullptr;
    QPushButton* m_ok = nullptr;
};
