#pragma once

#include <QDialog>

class QButtonGroup;

// "Configuration des options": the background colour of the main view's tree ("Config"/"Couleur").
class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OptionsDialog(QWidget* parent = nullptr);

    // Writes the colour chosen and recolours the tree at once.
    void applyAndClose();
    QButtonGroup* colours() const { return m_colours; }

private:
    QButtonGroup* m_colours = nullptr;
};
