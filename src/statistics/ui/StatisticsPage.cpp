#include "statistics/ui/StatisticsPage.h"

#include "db/CellarSession.h"
#include "platform/LocaleFormat.h"
#include "reference/ReferenceLists.h"
#include "statistics/ui/ReadyToDrinkDialog.h"
#include "widgets/ui/ColorLabel.h"
#include "widgets/ui/Pictures.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedBarSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace CellarStatistics;

namespace {

CellarSession* session()
{
    return CellarSession::current();
}

const char* const kGroupTitles[GroupCount] = {"Rouge", "Blanc", "Rosés et Autres"};

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

} // namespace

const QString& StatisticsPage::allYears()
{
    static const QString text = QStringLiteral("Toutes les années contenues dans la cave");
    return text;
}

StatisticsPage::StatisticsPage(QWidget* parent) : QWidget(parent), m_periodText(allYears())
{
    setObjectName(QStringLiteral("CPage4"));
    buildLayout();
}

void StatisticsPage::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Période des statistiques :"), this));
    m_period = new QComboBox(this);
    m_period->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_period->setMinimumContentsLength(24);
    m_period->addItem(allYears());
    const int year = QDate::currentDate().year();
    for (int y = year + 2; y >= 1801; --y)
        m_period->addItem(QStringLiteral("Pour l'année ") + QString::number(y));
    top->addWidget(m_period, 1);
    auto* ready = new QPushButton(QStringLiteral("Liste des vins pouvant être bus ?"), this);
    top->addWidget(ready);
    layout->addLayout(top);
    m_total = new ColorLabel(this);
    m_total->setObjectName(QStringLiteral("total"));
    m_total->setText(QStringLiteral("Total"));
    layout->addWidget(m_total);

    auto* groups = new QHBoxLayout;
    const int icons[GroupCount] = {0, 1, 2};
    for (int g = 0; g < GroupCount; ++g) {
        auto* box = new QGroupBox(QString::fromUtf8(kGroupTitles[g]), this);
        auto* grid = new QGridLayout(box);
        auto* picture = new QLabel(box);
        picture->setPixmap(Pictures::listIcon(icons[g]).pixmap(QSize(32, 32)));
        grid->addWidget(picture, 0, 0);
        grid->addWidget(new QLabel(QStringLiteral("Cru :"), box), 0, 1, Qt::AlignRight);
        m_crus[g] = new QComboBox(box);
        m_crus[g]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_crus[g]->setMinimumContentsLength(8);
        grid->addWidget(m_crus[g], 0, 2);
        auto edit = [box] {
            auto* e = new QLineEdit(box);
            e->setReadOnly(true);
            e->setAlignment(Qt::AlignRight);
            return e;
        };
        m_bought[g] = edit();
        m_remaining[g] = edit();
        m_invested[g] = edit();
        grid->addWidget(new QLabel(QStringLiteral("Nbr de bouteilles achetées :"), box), 1, 0, 1, 2);
        grid->addWidget(m_bought[g], 1, 2);
        grid->addWidget(new QLabel(QStringLiteral("Nbr de bouteilles restantes  :"), box), 2, 0, 1, 2);
        grid->addWidget(m_remaining[g], 2, 2);
        grid->addWidget(new QLabel(QStringLiteral("Somme investie :"), box), 3, 0, 1, 2);
        grid->addWidget(m_invested[g], 3, 2);
        m_average[g] = new ColorLabel(box);
        grid->addWidget(m_average[g], 4, 0, 1, 3);
        grid->setColumnStretch(2, 1);
        groups->addWidget(box, 1);
        connect(m_crus[g], &QComboBox::activated, this, [this, g] { cruChanged(g); });
    }
    layout->addLayout(groups);
    for (ColorLabel* label : {m_total, m_average[0], m_average[1], m_average[2]}) {
        label->SetBackColour(QColor(243, 244, 186));
        label->SetTextColour(QColor(255, 0, 0));
        label->setMargin(2);
    }

    auto* charts = new QHBoxLayout;
    m_stockChart = newChart(QStringLiteral("Bouteilles restantes par couleur"));
    m_spendingChart = newChart(QStringLiteral("Sommes dépensées par année d'achat"));
    // The charts follow a dark desktop theme.
    if (palette().color(QPalette::Window).lightness() < 128) {
        m_stockChart->setTheme(QChart::ChartThemeDark);
        m_spendingChart->setTheme(QChart::ChartThemeDark);
    }
    m_stockView = new QChartView(m_stockChart, this);
    m_spendingView = new QChartView(m_spendingChart, this);
    for (QChartView* view : {m_stockView, m_spendingView}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumHeight(fontMetrics().height() * 14);
        charts->addWidget(view, 1);
    }
    layout->addLayout(charts, 1);

    connect(m_period, &QComboBox::activated, this, &StatisticsPage::periodChanged);
    connect(ready, &QPushButton::clicked, this, &StatisticsPage::showReadyToDrink);
}

void StatisticsPage::fillControls()
{
    m_periodText = allYears();
    {
        const QSignalBlocker quiet(m_period);
        m_period->setCurrentIndex(0);
    }
    const QStringList crus =
        session() ? ReferenceLists::crus(*session(), QStringLiteral("CPage4::OnInitDialog")) : QStringList();
    for (QComboBox* combo : m_crus) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItems(crus);
        combo->setCurrentIndex(-1);
    }
}

void StatisticsPage::fillFigures(int mode, const QString& s1, const QString& s2)
{
    if (!session())
        return;
    Period period;
    bool shown[GroupCount] = {true, true, true};
    switch (mode) {
    case 5:
        period.year = s1.toInt();
        break;
    case 2:
    case 3:
    case 4:
        period.cru = s2;
        std::fill(std::begin(shown), std::end(shown), false);
        shown[mode == 2 ? Red : mode == 3 ? White : Others] = true;
        break;
    case 6:
        period.year = s1.toInt();
        period.cru = s2;
        std::fill(std::begin(shown), std::end(shown), false);
        shown[Red] = true;
        break;
    default:
        break;
    }
    const Figures figures = compute(*session(), QStringLiteral("CPage4::RempliStats"), period);
    // An empty result leaves the total line as it was.
    if (figures.lots > 0)
        m_total->setText(QString::number(figures.totalStock) + QStringLiteral(" bouteilles dans la cave"));
    for (int g = 0; g < GroupCount; ++g) {
        if (!shown[g])
            continue;
        const GroupFigures& f = figures.groups[g];
        m_bought[g]->setText(QString::number(f.bought));
        m_remaining[g]->setText(QString::number(f.remaining));
        m_invested[g]->setText(LocaleFormat::euros(f.invested));
        m_average[g]->setText(averageLine(f));
    }
    drawCharts(figures, period);
}

void StatisticsPage::drawCharts(const Figures& figures, const Period& period)
{
    m_stockChart->removeAllSeries();
    for (QAbstractAxis* axis : m_stockChart->axes()) {
        m_stockChart->removeAxis(axis); // the axis is ours again
        delete axis;
    }
    // One set per group, each with its own colour, stacked so that each stands in its own column.
    const QColor colours[GroupCount] = {QColor(150, 20, 40), QColor(214, 190, 70), QColor(226, 120, 170)};
    QStringList groups;
    auto* stockSeries = new QStackedBarSeries;
    for (int g = 0; g < GroupCount; ++g) {
        auto* set = new QBarSet(QString::fromUtf8(kGroupTitles[g]));
        groups << (g == Others ? QStringLiteral("Rosés, Autres") : QString::fromUtf8(kGroupTitles[g]));
        for (int column = 0; column < GroupCount; ++column)
            *set << (column == g ? static_cast<double>(figures.groups[g].remaining) : 0.0);
        set->setColor(colours[g]);
        set->setBorderColor(colours[g].darker(130));
        set->setLabelColor(g == White ? Qt::black : Qt::white);
        stockSeries->append(set);
    }
    stockSeries->setLabelsVisible(true);
    stockSeries->setLabelsFormat(QStringLiteral("@value"));
    m_stockChart->addSeries(stockSeries);
    auto* groupAxis = new QBarCategoryAxis;
    groupAxis->append(groups);
    m_stockChart->addAxis(groupAxis, Qt::AlignBottom);
    stockSeries->attachAxis(groupAxis);
    // Round steps on both scales (0, 50, 100... rather than 70, 141...).
    qint64 tallest = 0;
    for (const GroupFigures& group : figures.groups)
        tallest = std::max(tallest, group.remaining);
    auto* countAxis = new QValueAxis;
    countAxis->setRange(0, std::max<qint64>(tallest, 1));
    countAxis->applyNiceNumbers();
    countAxis->setLabelFormat(QStringLiteral("%d"));
    m_stockChart->addAxis(countAxis, Qt::AlignLeft);
    stockSeries->attachAxis(countAxis);

    m_spendingChart->removeAllSeries();
    for (QAbstractAxis* axis : m_spendingChart->axes()) {
        m_spendingChart->removeAxis(axis);
        delete axis;
    }
    // Years on a numeric axis, so that a long run of years keeps readable labels.
    auto* spent = new QLineSeries;
    spent->setColor(QColor(67, 160, 71));
    spent->setPointsVisible(true);
    double most = 0;
    int first = 0;
    int last = 0;
    if (session()) {
        for (const YearSpending& y : spendingPerYear(*session(), QStringLiteral("CPage4::RempliStats"), period)) {
            spent->append(y.year, y.spent);
            most = std::max(most, y.spent);
            first = first == 0 ? y.year : first;
            last = y.year;
        }
    }
    m_spendingChart->addSeries(spent);
    auto* yearAxis = new QValueAxis;
    yearAxis->setLabelFormat(QStringLiteral("%d"));
    yearAxis->setRange(first == 0 ? QDate::currentDate().year() - 1 : first - 1,
                       last == 0 ? QDate::currentDate().year() + 1 : last + 1);
    // A label every 1, 2, 5 or 10 years, on years that are multiples of the step.
    const int span = static_cast<int>(yearAxis->max() - yearAxis->min());
    const int every = span <= 8 ? 1 : span <= 16 ? 2 : span <= 40 ? 5 : 10;
    yearAxis->setTickType(QValueAxis::TicksDynamic);
    yearAxis->setTickAnchor(std::floor(yearAxis->min() / every) * every);
    yearAxis->setTickInterval(every);
    m_spendingChart->addAxis(yearAxis, Qt::AlignBottom);
    spent->attachAxis(yearAxis);
    auto* moneyAxis = new QValueAxis;
    moneyAxis->setRange(0, most > 0 ? most * 1.05 : 1);
    moneyAxis->applyNiceNumbers();
    // The axis's labels are printf texts (no "€" there): the unit is the axis's title.
    moneyAxis->setLabelFormat(QStringLiteral("%.0f"));
    moneyAxis->setTitleText(QStringLiteral("€"));
    m_spendingChart->addAxis(moneyAxis, Qt::AlignLeft);
    spent->attachAxis(moneyAxis);
}

void StatisticsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    showWholeCellar();
}

void StatisticsPage::showWholeCellar()
{
    fillFigures(1, QString(), QString());
    m_periodText = allYears();
    const QSignalBlocker quiet(m_period);
    m_period->setCurrentIndex(0);
    for (QComboBox* combo : m_crus) {
        const QSignalBlocker quietCru(combo);
        combo->setCurrentIndex(-1);
    }
}

void StatisticsPage::periodChanged()
{
    m_periodText = m_period->currentText();
    if (m_periodText == allYears())
        fillFigures(1, QString(), QString());
    else
        fillFigures(5, m_periodText.right(4), QString());
}

void StatisticsPage::cruChanged(int group)
{
    const QString cru = m_crus[group]->currentText();
    if (group == Red) {
        if (m_periodText == allYears())
            fillFigures(2, QString(), cru);
        else
            fillFigures(6, m_periodText.right(4), cru);
    } else {
        fillFigures(group == White ? 3 : 4, QString(), cru);
    }
}

void StatisticsPage::showReadyToDrink()
{
    ReadyToDrinkDialog dialog(window());
    dialog.exec();
}
