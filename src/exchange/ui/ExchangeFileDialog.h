#pragma once

#include <QDialog>

class ColorLabel;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

// "Choix du type d'import" (mode 1) or "Exportation" (mode 2) of the exchange file chosen in the main
// frame: import beside the cellar's wines or in their place, or export every wine.
class ExchangeFileDialog : public QDialog
{
    Q_OBJECT
public:
    ExchangeFileDialog(QWidget* parent, const QString& path, int mode);

    // Runs the exchange; false (the user told) when it was refused or failed.
    bool applyAndClose();

    QRadioButton* addButton() const { return m_add; }
    QRadioButton* replaceButton() const { return m_replace; }
    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* okButton() const { return m_ok; }

private:
    QString m_path;
    int m_mode;
    QRadioButton* m_add = nullptr;
    QRadioButton* m_replace = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_ok = nullptr;
};
