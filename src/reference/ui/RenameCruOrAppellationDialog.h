#pragma once

#include <QDialog>

class NameList;
class QLabel;
class QLineEdit;

// "Modification d'un Cru" (mode "1") and "Modification d'une Appellation" (mode "2"): a new name for a cru
// or for one appellation of a wine type.
class RenameCruOrAppellationDialog : public QDialog
{
    Q_OBJECT
public:
    RenameCruOrAppellationDialog(QWidget* parent, const QString& mode);

    void fillControls();
    void nameChosen();
    void appellationChosen();
    void applyAndClose();
    // The write; false when it was refused or failed (the user has been told).
    bool renameInCellar();

    NameList* mainList() const { return m_list; }
    NameList* appellationList() const { return m_appellations; }
    QLineEdit* currentEdit() const { return m_current; }
    QLineEdit* newEdit() const { return m_new; }

private:
    bool crus() const { return m_mode == QLatin1String("1"); }

    QString m_mode;
    NameList* m_list = nullptr;
    QLabel* m_hint = nullptr;
    NameList* m_appellations = nullptr;
    QLineEdit* m_current = nullptr;
    QLineEdit* m_new = nullptr;
};
