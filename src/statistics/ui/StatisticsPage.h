#pragma once

#include "statistics/CellarStatistics.h"

#include <QWidget>

class ColorLabel;
class QBarSet;
class QChart;
class QChartView;
class QComboBox;
class QLineEdit;

// "Stat sur la Cave": bottles bought, bottles remaining and money spent per colour group, over every
// vintage, one vintage or one cru; two charts (bottles remaining per group, money spent per purchase year)
// follow the same choice.
class StatisticsPage : public QWidget
{
    Q_OBJECT
public:
    explicit StatisticsPage(QWidget* parent = nullptr);

    void fillControls();
    // mode 1: every lot; 5: vintage s1; 2: Rouge, cru s2; 6: Rouge, vintage s1 and cru s2; 3: Blanc, cru s2;
    // 4: Rosés et Autres, cru s2.
    void fillFigures(int mode, const QString& s1, const QString& s2);
    // The page becomes the one shown: the whole cellar again.
    void showWholeCellar();
    void periodChanged();
    void cruChanged(int group);
    void showReadyToDrink();

    QComboBox* periodList() const { return m_period; }
    QComboBox* cruList(int group) const { return m_crus[group]; }
    QLineEdit* boughtEdit(int group) const { return m_bought[group]; }
    QLineEdit* remainingEdit(int group) const { return m_remaining[group]; }
    QLineEdit* investedEdit(int group) const { return m_invested[group]; }
    ColorLabel* averageText(int group) const { return m_average[group]; }
    ColorLabel* totalText() const { return m_total; }
    QChart* stockChart() const { return m_stockChart; }
    QChart* spendingChart() const { return m_spendingChart; }

    static const QString& allYears();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void drawCharts(const CellarStatistics::Figures& figures, const CellarStatistics::Period& period);

    QComboBox* m_period = nullptr;
    ColorLabel* m_total = nullptr;
    QComboBox* m_crus[CellarStatistics::GroupCount] = {};
    QLineEdit* m_bought[CellarStatistics::GroupCount] = {};
    QLineEdit* m_remaining[CellarStatistics::GroupCount] = {};
    QLineEdit* m_invested[CellarStatistics::GroupCount] = {};
    ColorLabel* m_average[CellarStatistics::GroupCount] = {};
    QChart* m_stockChart = nullptr;
    QChart* m_spendingChart = nullptr;
    QChartView* m_stockView = nullptr;
    QChartView* m_spendingView = nullptr;
    QString m_periodText;
};
