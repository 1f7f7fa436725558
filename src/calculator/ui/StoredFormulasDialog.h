#pragma once

#include <QDialog>

class QListWidget;

// "Formules enregistrées": the stored formulas; "OK" hands one back, "&Effacer" deletes one.
class StoredFormulasDialog : public QDialog
{
    Q_OBJECT
public:
    explicit StoredFormulasDialog(QWidget* parent = nullptr);

    void applyAndClose();
    void deleteFormula();
    QListWidget* list() const { return m_list; }

private:
    bool requireSelection();
    QListWidget* m_list = nullptr;
};
