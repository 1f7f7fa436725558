#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

// "Restauration": the backups beside the cellar, by date; the one chosen is put in place of the cellar
// (which is backed up first).
class CDRestauration : public QDialog
{
    Q_OBJECT
public:
    explicit CDRestauration(QWidget* parent = nullptr);

    void OnInitDialog();
    // Restores the selected backup; false (the user told) when refused or failed.
    bool OnOK();

    QTableWidget* list() const { return m_list; }
    QPushButton* okButton() const { return m_ok; }

private:
    QTableWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};
