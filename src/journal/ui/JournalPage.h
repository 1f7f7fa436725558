#pragma once

#include <QWidget>

class JournalModel;
class QCheckBox;
class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QTableView;

// The "Journal" page: the movements of the cellar, newest first, filtered by period, wine type and kind,
// sortable by column, with the totals of the filter (bought, drunk, spent) and a chart of the bottles
// bought and drunk per month.
class JournalPage : public QWidget
{
    Q_OBJECT

public:
    explicit JournalPage(QWidget* parent = nullptr);

    // Reads the journal again (a change of stock, another cellar).
    void refresh();

    JournalModel* model() const { return m_model; }
    QTableView* list() const { return m_list; }
    QCheckBox* periodBox() const { return m_period; }
    QDateEdit* fromEdit() const { return m_from; }
    QDateEdit* toEdit() const { return m_to; }
    QComboBox* typeList() const { return m_type; }
    QComboBox* natureList() const { return m_nature; }
    QLabel* totalsLabel() const { return m_totals; }
    QChartView* chart() const { return m_chart; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyFilter();
    void fillChoices();

    JournalModel* m_model = nullptr;
    QTableView* m_list = nullptr;
    QCheckBox* m_period = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_nature = nullptr;
    QLabel* m_totals = nullptr;
    QChartView* m_chart = nullptr;
    bool m_stale = true;
};
