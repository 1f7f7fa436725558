#pragma once

#include <QDialog>

class QLineEdit;
class QSlider;
class QTableWidget;

// "Valeur des monnaies": the values of some foreign currencies, the number of decimals, and the euro
// parities and VAT rates of fifteen countries.
class CurrencyValuesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CurrencyValuesDialog(QWidget* parent = nullptr);

    // Saves the decimals and the currency values, then closes.
    void applyAndClose();
    // Ends an edit of a currency value (row of the currencies list).
    void setCurrencyValue(int row, const QString& text);

    QTableWidget* parities() const { return m_parities; }
    QTableWidget* currencies() const { return m_currencies; }
    QSlider* decimals() const { return m_decimals; }
    QLineEdit* decimalsText() const { return m_decimalsText; }

private:
    void fillTables();
    void fitColumns();

    QTableWidget* m_parities = nullptr;
    QTableWidget* m_currencies = nullptr;
    QSlider* m_decimals = nullptr;
    QLineEdit* m_decimalsText = nullptr;
    QStringList m_values;
};
