#pragma once

#include <QWidget>

class QPushButton;
class QTableWidget;

// "Années": the vintage ratings of the nine regions, one row per year; a year is added or modified with
// VintageYearDialog.
class VintageRatingsPage : public QWidget
{
    Q_OBJECT
public:
    explicit VintageRatingsPage(QWidget* parent = nullptr, int currentYear = 0);

    void fillTable();
    void addYear();
    void modifyYear();

    QTableWidget* list() const { return m_list; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* modifyButton() const { return m_modify; }

private:
    int m_year;
    QTableWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_modify = nullptr;
};
