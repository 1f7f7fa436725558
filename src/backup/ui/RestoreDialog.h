#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

// "Restauration": the backups beside the cellar, by date; the one chosen is put in place of the cellar
// (which is backed up first).
class RestoreDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RestoreDialog(QWidget* parent = nullptr);

    void fillControls();
    // Restores the selected backup; false (the user told) when refused or failed.
    bool applyAndClose();

    QTableWidget* list() const { return m_list; }
    QPushButton* okButton() const { return m_ok; }
    // A backup of the Windows release (a Jet file) is not put in place of the cellar: it is copied into a new
    // cellar, whose path this gives once the dialog is accepted (the window then opens it).
    const QString& convertedCellar() const { return m_converted; }

private:
    QString m_converted;
    QTableWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};
