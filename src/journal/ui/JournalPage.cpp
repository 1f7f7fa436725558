#include "journal/ui/JournalPage.h"

#include "db/CellarEvents.h"
#include "db/CellarSession.h"
#include "journal/ui/JournalModel.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

JournalPage::JournalPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("JournalPage"));
    m_model = new JournalModel(this);

    m_period = new QCheckBox(QStringLiteral("Période du"), this);
    m_from = new QDateEdit(QDate::currentDate().addYears(-1), this);
    m_to = new QDateEdit(QDate::currentDate(), this);
    for (QDateEdit* edit : {m_from, m_to}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        edit->setEnabled(false);
    }
    m_type = new QComboBox(this);
    m_nature = new QComboBox(this);
    m_type->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* filters = new QHBoxLayout;
    filters->addWidget(m_period);
    filters->addWidget(m_from);
    filters->addWidget(new QLabel(QStringLiteral("au"), this));
    filters->addWidget(m_to);
    filters->addSpacing(fontMetrics().height());
    filters->addWidget(new QLabel(QStringLiteral("Type :"), this));
    filters->addWidget(m_type);
    filters->addWidget(new QLabel(QStringLiteral("Nature :"), this));
    filters->addWidget(m_nature);
    filters->addStretch(1);

    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("journalList"));
    m_list->setModel(m_model);
    m_list->setSortingEnabled(true);
    m_list->horizontalHeader()->setSortIndicator(JournalModel::Date, Qt::DescendingOrder);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics metrics(m_list->font());
    m_list->setColumnWidth(JournalModel::Date, metrics.horizontalAdvance(QStringLiteral("31/12/2026 23:59")) * 5 / 4);
    m_list->setColumnWidth(JournalModel::Name,
                           metrics.horizontalAdvance(QStringLiteral("Château Grand Vin de Pauillac")));
    m_list->setColumnWidth(JournalModel::Type, metrics.horizontalAdvance(QStringLiteral("Côtes du Rhône")) * 5 / 4);

    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("journalTotals"));

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Bouteilles achetées et bues par mois"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The chart follows a dark desktop theme.
    if (palette().color(QPalette::Window).lightness() < 128)
        chart->setTheme(QChart::ChartThemeDark);
    m_chart = new QChartView(chart, this);
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(fontMetrics().height() * 14);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_list, 3);
    layout->addWidget(m_totals);
    layout->addWidget(m_chart, 2);

    connect(m_period, &QCheckBox::toggled, this, [this](bool on) {
        m_from->setEnabled(on);
        m_to->setEnabled(on);
        applyFilter();
    });
    connect(m_from, &QDateEdit::dateChanged, this, &JournalPage::applyFilter);
    connect(m_to, &QDateEdit::dateChanged, this, &JournalPage::applyFilter);
    connect(m_type, &QComboBox::currentIndexChanged, this, &JournalPage::applyFilter);
    connect(m_nature, &QComboBox::currentIndexChanged, this, &JournalPage::applyFilter);
    // Read again when the stock changes, but only once the page is seen.
    auto stale = [this] {
        m_stale = true;
        if (isVisible())
            refresh();
    };
    connect(&CellarEvents::instance(), &CellarEvents::lotsChanged, this, stale);
    connect(&CellarEvents::instance(), &CellarEvents::cellarReplaced, this, stale);
}

void JournalPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        refresh();
}

void JournalPage::refresh()
{
    m_stale = false;
    fillChoices();
    applyFilter();
}

void JournalPage::fillChoices()
{
    CellarSession* session = CellarSession::current();
    const QString type = m_type->currentText();
    const QString nature = m_nature->currentText();
    const QSignalBlocker blockType(m_type);
    const QSignalBlocker blockNature(m_nature);
    m_type->clear();
    m_type->addItem(QStringLiteral("Tous"));
    if (session)
        m_type->addItems(Journal::types(*session));
    m_type->setCurrentIndex(qMax(0, m_type->findText(type)));
    m_nature->clear();
    m_nature->addItem(QStringLiteral("Toutes"));
    m_nature->addItems(Journal::natures());
    m_nature->setCurrentIndex(qMax(0, m_nature->findText(nature)));
}

void JournalPage::applyFilter()
{
    Journal::Filter filter = m_model->filter();
    filter.from = m_period->isChecked() ? m_from->date() : QDate();
    filter.to = m_period->isChecked() ? m_to->date() : QDate();
    filter.type = m_type->currentIndex() > 0 ? m_type->currentText() : QString();
    filter.nature = m_nature->currentIndex() > 0 ? m_nature->currentText() : QString();
    m_model->setFilter(filter);

    CellarSession* session = CellarSession::current();
    const QLocale locale;
    // The totals and the chart from one reading of the movements.
    const Journal::Summary summary = session ? Journal::summary(*session, filter) : Journal::Summary{};
    const Journal::Totals& totals = summary.totals;
    m_totals->setText(QStringLiteral("Achetées : %1 bouteille(s)    Bues : %2 bouteille(s)    Dépensé : %3")
                          .arg(locale.toString(totals.bought), locale.toString(totals.drunk),
                               locale.toCurrencyString(totals.spent, QStringLiteral("€"))));

    QChart* chart = m_chart->chart();
    chart->removeAllSeries();
    // Removed axes are handed back to us, not deleted.
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* bought = new QBarSet(QStringLiteral("Achetées"));
    auto* drunk = new QBarSet(QStringLiteral("Bues"));
    QStringList months;
    qint64 highest = 0;
    const std::vector<Journal::Month>& perMonth = summary.months;
    for (const Journal::Month& month : perMonth) {
        const QDate first = QDate::fromString(month.month + QStringLiteral("-01"), Qt::ISODate);
        months << (first.isValid() ? locale.toString(first, QStringLiteral("MM/yy")) : month.month);
        *bought << static_cast<qreal>(month.bought);
        *drunk << static_cast<qreal>(month.drunk);
        highest = qMax(highest, qMax(month.bought, month.drunk));
    }
    auto* series = new QBarSeries;
    series->append(bought);
    series->append(drunk);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(months);
    auto* y = new QValueAxis;
    // Whole bottles on the scale: up to five steps of one, else five equal steps of a whole number.
    qint64 top = qMax<qint64>(highest, 1);
    if (top > 5)
        top = (top + 4) / 5 * 5;
    y->setRange(0, static_cast<qreal>(top));
    y->setTickCount(static_cast<int>(qMin<qint64>(top, 5)) + 1);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}
