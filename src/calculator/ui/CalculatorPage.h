#pragma once

#include "calculator/CalculatorEngine.h"

#include <QWidget>

class QGridLayout;
class QVBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Calculette Euro": a formula's value in one currency, converted into another and into US dollars, with
// VAT and percentages, a memory, stored formulas and the rate downloads.
class CalculatorPage : public QWidget
{
    Q_OBJECT
public:
    explicit CalculatorPage(QWidget* parent = nullptr);

    CalculatorEngine& engine() { return m_engine; }
    // Presses a key of the page by its caption ("7", "+", "CE", "MS", "&TVA", ...).
    void press(const QString& key);
    void setFormula(const QString& text);
    void chooseLower(const QString& currency);
    void chooseUpper(const QString& currency);

    QLineEdit* formulaEdit() const { return m_formula; }
    QLineEdit* resultEdit() const { return m_result; }
    QLineEdit* upperEdit() const { return m_upperAmount; }
    QLineEdit* dollarEdit() const { return m_dollarAmount; }
    QLineEdit* vatEdit() const { return m_vat; }
    QComboBox* upperList() const { return m_upperList; }
    QComboBox* lowerList() const { return m_lowerList; }
    QLabel* upperRate() const { return m_upperRate; }
    QLabel* lowerRate() const { return m_lowerRate; }
    QPushButton* roundingButton() const { return m_rounding; }
    QPushButton* key(const QString& caption) const;
    QPushButton* cancelDownloadButton() const { return m_cancelDownload; }
    bool memoryInUse() const { return m_memoryInUse; }

    // Inserts text at the caret of the formula field, then recomputes.
    void InsertText(const QString& text);
    void FocusFormula();

private:
    void buildLayout();
    QGridLayout* buildAmounts();
    QGridLayout* buildKeypad();
    QVBoxLayout* buildCommandKeys();
    void recompute();
    void show();
    void onLowerChanged();
    void onUpperChanged();
    void setDollarRowVisible(bool visible);
    void setMemory(double value);
    void applyVat();
    void storeFormula();
    void recallFormula(bool append);
    void editCurrencyValues();
    void downloadRates(bool dollar);

    CalculatorEngine m_engine;
    QComboBox* m_upperList = nullptr;
    QComboBox* m_lowerList = nullptr;
    QLabel* m_upperRate = nullptr;
    QLabel* m_lowerRate = nullptr;
    QLabel* m_upperFlag = nullptr;
    QLabel* m_lowerFlag = nullptr;
    QLabel* m_usFlag = nullptr;
    QLabel* m_vatFlag = nullptr;
    QLabel* m_memoryIcon = nullptr;
    QLineEdit* m_upperAmount = nullptr;
    QLineEdit* m_dollarAmount = nullptr;
    QLineEdit* m_result = nullptr;
    QLineEdit* m_formula = nullptr;
    QLineEdit* m_vat = nullptr;
    QPushButton* m_rounding = nullptr;
    QList<QPushButton*> m_keys;
    QList<QPushButton*> m_downloadKeys;
    QPushButton* m_cancelDownload = nullptr;
    bool m_memoryInUse = false;
};
