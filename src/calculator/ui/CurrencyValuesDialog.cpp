#include "calculator/ui/CurrencyValuesDialog.h"
#include "platform/Settings.h"

#include "platform/LocaleFormat.h"
#include "platform/Profile.h"
#include "widgets/ui/Pictures.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

struct ForeignCurrency
{
    const char* country;
    const char* key;
    const char* defaultValue;
    const char* flag;
};
const ForeignCurrency kForeign[] = {
    {"Etats-Unis", "Dollar", "0.8776", "US"},  {"Japon", "Yen", "107.7", "JP"},
    {"Canada", "DollarCana", "1.5078", "CA"},  {"Royaume-Uni", "livre", "0.615", "GB"},
    {"Suisse", "FrancSUISSE", "1.5078", "CH"}, {"Afrique du Sud", "Australian", "1.7110", "ZA"},
    {"Australie", "African", "7.2318", "AU"}};

struct Parity
{
    const char* country;
    const char* parity;
    const char* vatKey;
    const char* flag;
};
const Parity kParities[] = {
    {"Allemagne", "1.95583", "TAL", "DE"}, {"Autriche", "13.7603", "TAU", "AT"}, {"Belgique", "40.3399", "TBE", "BE"},
    {"Espagne", "166.386", "TES", "ES"},   {"Finlande", "5.94573", "TFI", "FI"}, {"France", "6.55957", "TFR", "FR"},
    {"Italie", "1936.27", "TIL", "IT"},    {"Irlande", "0.787564", "TIR", "IE"}, {"Luxembourg", "40.3399", "TLU", "LU"},
    {"Pays-Bas", "2.20371", "TPA", "NL"},  {"Portugal", "200.482", "TPO", "PT"}, {"Royaume-Uni", "0", "TRU", "GB"},
    {"Danemark", "0", "TDA", "DK"},        {"Suede", "0", "TSU", "SE"},          {"Gréce", "340.750", "TGR", "GR"}};

const QString kConfig = QStringLiteral("Config");

QTableWidgetItem* cell(const QString& text, bool editable = false)
{
    auto* item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

CurrencyValuesDialog::CurrencyValuesDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDConfig"));
    setWindowTitle(QStringLiteral("Valeur des monnaies"));
    Pictures::init();
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_parities = new QTableWidget(static_cast<int>(std::size(kParities)), 3, this);
    m_parities->setHorizontalHeaderLabels(
        {QStringLiteral("Pays"), QStringLiteral("Valeurs"), QStringLiteral("Taux TVA")});
    m_parities->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_parities->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_parities->verticalHeader()->setVisible(false);
    const QFontMetrics metrics(m_parities->font());
    const int column = metrics.horizontalAdvance(QStringLiteral("Royaume-Uni")) + metrics.height() * 2;
    m_parities->setColumnWidth(0, column);
    m_parities->setColumnWidth(1, column * 3 / 4);
    m_parities->setColumnWidth(2, column * 3 / 4);
    top->addWidget(m_parities, 1);
    auto* picture = new QLabel(this);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/cellar-picture.svg")).pixmap(120, 160));
    top->addWidget(picture);
    layout->addLayout(top);

    m_currencies = new QTableWidget(static_cast<int>(std::size(kForeign)), 2, this);
    m_currencies->setHorizontalHeaderLabels({QStringLiteral("Parités"), QStringLiteral("Pays")});
    m_currencies->verticalHeader()->setVisible(false);
    m_currencies->setColumnWidth(0, column);
    m_currencies->setColumnWidth(1, column);
    layout->addWidget(m_currencies);

    auto* decimalsBox = new QGroupBox(QStringLiteral("Nombre de décimales"), this);
    auto* decimalsLayout = new QHBoxLayout(decimalsBox);
    m_decimals = new QSlider(Qt::Horizontal, decimalsBox);
    m_decimals->setRange(0, 10);
    m_decimalsText = new QLineEdit(decimalsBox);
    m_decimalsText->setReadOnly(true);
    m_decimalsText->setMaximumWidth(40);
    decimalsLayout->addWidget(m_decimals, 1);
    decimalsLayout->addWidget(m_decimalsText);
    layout->addWidget(decimalsBox);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    layout->addWidget(ok, 0, Qt::AlignRight);

    fillTables();
    fitColumns();

    connect(m_decimals, &QSlider::valueChanged, this, [this](int value) {
        Settings::set(Settings::decimals, value);
        m_decimalsText->setText(QString::number(value));
    });
    connect(m_currencies, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0)
            setCurrencyValue(item->row(), item->text());
    });
    connect(ok, &QPushButton::clicked, this, &CurrencyValuesDialog::applyAndClose);
}

// The values of the currencies, the decimals and the parities with their VAT rates.
void CurrencyValuesDialog::fillTables()
{
    for (int row = 0; row < static_cast<int>(std::size(kForeign)); ++row) {
        const ForeignCurrency& c = kForeign[row];
        m_values << Profile::getString(kConfig, QString::fromLatin1(c.key), QString::fromLatin1(c.defaultValue));
        auto* value = cell(m_values.last(), true);
        m_currencies->setItem(row, 0, value);
        auto* country = cell(QString::fromUtf8(c.country));
        country->setIcon(Pictures::countryFlag(QString::fromLatin1(c.flag)));
        m_currencies->setItem(row, 1, country);
    }
    const int decimals = qBound(0, Settings::get(Settings::decimals), 10);
    m_decimals->setValue(decimals);
    m_decimalsText->setText(QString::number(decimals));
    for (int row = 0; row < static_cast<int>(std::size(kParities)); ++row) {
        const Parity& p = kParities[row];
        auto* country = cell(QString::fromUtf8(p.country));
        country->setIcon(Pictures::countryFlag(QString::fromLatin1(p.flag)));
        m_parities->setItem(row, 0, country);
        const QString parity = QString::fromLatin1(p.parity);
        // Read-only figures, as the user reads numbers: "1,95583" on a French desktop.
        m_parities->setItem(row, 1,
                            cell(parity.toDouble() == 0.0 ? QStringLiteral("H.Z") : LocaleFormat::display(parity)));
        m_parities->setItem(
            row, 2, cell(LocaleFormat::fixed(Profile::getInt(kConfig, QString::fromLatin1(p.vatKey), 0) / 100.0, 2)));
    }
}

// Every figure shows whole: the columns are as wide as their texts.
void CurrencyValuesDialog::fitColumns()
{
    const QFontMetrics metrics(m_parities->font());
    for (QTableWidget* table : {m_parities, m_currencies}) {
        QList<int> planned;
        for (int c = 0; c < table->columnCount(); ++c)
            planned << table->columnWidth(c);
        table->resizeColumnsToContents();
        for (int c = 0; c < table->columnCount(); ++c)
            table->setColumnWidth(c, qMax(planned[c], table->columnWidth(c) + metrics.height()));
    }
    m_parities->setMinimumWidth(m_parities->columnWidth(0) + m_parities->columnWidth(1) + m_parities->columnWidth(2) +
                                metrics.height() * 2);
}

void CurrencyValuesDialog::setCurrencyValue(int row, const QString& text)
{
    if (row < 0 || row >= m_values.size())
        return;
    QString value = text;
    value.replace(QLatin1Char(','), QLatin1Char('.'));
    value.truncate(29);
    m_values[row] = value;
    const QSignalBlocker quiet(m_currencies);
    m_currencies->item(row, 0)->setText(value);
}

void CurrencyValuesDialog::applyAndClose()
{
    Settings::set(Settings::decimals, m_decimals->value());
    for (int row = 0; row < m_values.size(); ++row)
        Profile::writeString(kConfig, QString::fromLatin1(kForeign[row].key), m_values.at(row));
    accept();
}
