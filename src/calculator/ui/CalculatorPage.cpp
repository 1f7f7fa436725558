#include "calculator/ui/CalculatorPage.h"
#include "platform/Settings.h"

#include "calculator/Currencies.h"
#include "calculator/RateDownload.h"
#include "calculator/StoredFormulas.h"
#include "calculator/ui/CurrencyValuesDialog.h"
#include "calculator/ui/StoredFormulasDialog.h"
#include "platform/LocaleFormat.h"
#include "platform/Prompt.h"
#include "widgets/ui/Pictures.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QLineEdit* readOnly(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

QComboBox* currencyList(QWidget* parent)
{
    auto* list = new QComboBox(parent);
    for (const Currency& c : Currencies::all())
        list->addItem(Pictures::countryFlag(c.flag), c.name);
    return list;
}

void setFlag(QLabel* label, const QString& currency)
{
    const Currency* c = Currencies::find(currency);
    label->setPixmap(Pictures::countryFlag(c ? c->flag : QString()).pixmap(16, 16));
}

} // namespace

CalculatorPage::CalculatorPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CCalculetteDlg"));
    Pictures::init();
    buildLayout();
    m_engine.decimals = qBound(0, Settings::get(Settings::decimals), 10);
    m_engine.dollarRate = Currencies::dollarRate();
    m_engine.rounding = Settings::get(Settings::euroRounding) != 0;
    m_rounding->setChecked(m_engine.rounding);
    {
        const QSignalBlocker quietUpper(m_upperList);
        const QSignalBlocker quietLower(m_lowerList);
        m_upperList->setCurrentText(Currencies::kEuro);
        m_lowerList->setCurrentText(QStringLiteral("France"));
    }
    onLowerChanged();
    setMemory(0);
}

void CalculatorPage::buildLayout()
{
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addLayout(buildAmounts());
    m_formula = new QLineEdit(this);
    m_formula->setObjectName(QStringLiteral("formula"));
    left->addWidget(m_formula);
    left->addLayout(buildKeypad());
    left->addStretch(1);
    layout->addLayout(left, 3);
    layout->addLayout(buildCommandKeys(), 1);

    connect(m_formula, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_engine.formula = text;
        recompute();
    });
    connect(m_lowerList, &QComboBox::currentIndexChanged, this, &CalculatorPage::onLowerChanged);
    connect(m_upperList, &QComboBox::currentIndexChanged, this, &CalculatorPage::onUpperChanged);
}

// The two currencies, the dollar between them and their amounts.
QGridLayout* CalculatorPage::buildAmounts()
{
    auto* amounts = new QGridLayout;
    m_upperRate = new QLabel(this);
    m_upperList = currencyList(this);
    m_upperFlag = new QLabel(this);
    m_upperAmount = readOnly(this);
    m_usFlag = new QLabel(this);
    m_usFlag->setPixmap(Pictures::countryFlag(QStringLiteral("US")).pixmap(16, 16));
    m_dollarAmount = readOnly(this);
    m_lowerRate = new QLabel(this);
    m_lowerList = currencyList(this);
    m_lowerFlag = new QLabel(this);
    m_result = readOnly(this);
    amounts->addWidget(m_upperRate, 0, 0);
    amounts->addWidget(m_upperList, 1, 0);
    amounts->addWidget(m_upperFlag, 1, 1);
    amounts->addWidget(m_upperAmount, 1, 2);
    amounts->addWidget(m_usFlag, 2, 1);
    amounts->addWidget(m_dollarAmount, 2, 2);
    amounts->addWidget(m_lowerRate, 3, 0);
    amounts->addWidget(m_lowerList, 4, 0);
    amounts->addWidget(m_lowerFlag, 4, 1);
    amounts->addWidget(m_result, 4, 2);
    return amounts;
}

// The keys of the formula: digits, operators, memory.
QGridLayout* CalculatorPage::buildKeypad()
{
    auto* pad = new QGridLayout;
    const QStringList rows[] = {{"7", "8", "9", "/", "(", ")"},
                                {"4", "5", "6", "*", "Sqrt", "%"},
                                {"1", "2", "3", "-", "C", "CE"},
                                {"0", ",", "=", "+", "", ""},
                                {"MC", "MR", "MS", "M+", "", ""}};
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 6; ++c) {
            const QString caption = rows[r][c];
            if (caption.isEmpty())
                continue;
            auto* button = new QPushButton(caption, this);
            button->setObjectName(caption);
            button->setFocusPolicy(Qt::NoFocus);
            // The memory keys, the root and the percent show pictures instead of their captions; the caption
            // stays their tip and their name for screen readers.
            static const QHash<QString, QString> pictures = {{QStringLiteral("MC"), QStringLiteral("memory-clear")},
                                                             {QStringLiteral("MR"), QStringLiteral("memory-recall")},
                                                             {QStringLiteral("MS"), QStringLiteral("memory-store")},
                                                             {QStringLiteral("M+"), QStringLiteral("memory-add")},
                                                             {QStringLiteral("Sqrt"), QStringLiteral("square-root")},
                                                             {QStringLiteral("%"), QStringLiteral("percent")}};
            if (const auto picture = pictures.constFind(caption); picture != pictures.constEnd()) {
                button->setText(QString());
                button->setIcon(QIcon(QStringLiteral(":/keypad/%1.svg").arg(*picture)));
                const int side = button->fontMetrics().height() + 6;
                button->setIconSize(QSize(side, side));
                button->setToolTip(caption);
                button->setAccessibleName(caption);
            }
            connect(button, &QPushButton::clicked, this, [this, caption] { press(caption); });
            pad->addWidget(button, r, c);
            m_keys << button;
        }
    }
    m_memoryIcon = new QLabel(this);
    pad->addWidget(m_memoryIcon, 4, 4);
    return pad;
}

// Conversion, rounding, VAT, memory of the amounts, configuration and the downloads of the rates.
QVBoxLayout* CalculatorPage::buildCommandKeys()
{
    auto* right = new QVBoxLayout;
    auto addKey = [this, right](const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(caption);
        connect(button, &QPushButton::clicked, this, [this, caption] { press(caption); });
        right->addWidget(button);
        m_keys << button;
        return button;
    };
    addKey(QStringLiteral("&Convertir"));
    m_rounding = addKey(QStringLiteral("Appliquer l'arrondi"));
    m_rounding->setCheckable(true);
    auto* vatRow = new QHBoxLayout;
    auto* vatKey = new QPushButton(QStringLiteral("&TVA"), this);
    vatKey->setObjectName(QStringLiteral("&TVA"));
    connect(vatKey, &QPushButton::clicked, this, [this] { press(QStringLiteral("&TVA")); });
    m_keys << vatKey;
    m_vat = new QLineEdit(this);
    m_vat->setMaximumWidth(70);
    m_vatFlag = new QLabel(this);
    vatRow->addWidget(vatKey);
    vatRow->addWidget(m_vat);
    vatRow->addWidget(new QLabel(QStringLiteral("%"), this));
    vatRow->addWidget(m_vatFlag);
    right->addLayout(vatRow);
    addKey(QStringLiteral("&Stocke"));
    addKey(QStringLiteral("&Ramène"));
    addKey(QStringLiteral("&Ramène +"));
    addKey(QStringLiteral("Configuration"));
    auto* downloads = new QGroupBox(QStringLiteral("Téléchargement"), this);
    auto* downloadLayout = new QHBoxLayout(downloads);
    for (const QString& caption : {QStringLiteral("Dollar"), QStringLiteral("TVA")}) {
        auto* button = new QPushButton(caption, downloads);
        button->setObjectName(caption);
        connect(button, &QPushButton::clicked, this, [this, caption] { press(caption); });
        downloadLayout->addWidget(button);
        m_keys << button;
        m_downloadKeys << button;
    }
    m_cancelDownload = new QPushButton(QStringLiteral("Annuler"), downloads);
    m_cancelDownload->setObjectName(QStringLiteral("cancelDownload"));
    m_cancelDownload->setToolTip(QStringLiteral("Arrête le téléchargement en cours"));
    m_cancelDownload->setEnabled(false);
    connect(m_cancelDownload, &QPushButton::clicked, this, [] { RateDownload::cancel(); });
    downloadLayout->addWidget(m_cancelDownload);
    right->addWidget(downloads);
    right->addStretch(1);
    return right;
}

QPushButton* CalculatorPage::key(const QString& caption) const
{
    for (QPushButton* button : m_keys) {
        if (button->objectName() == caption)
            return button;
    }
    return nullptr;
}

void CalculatorPage::show()
{
    const int caret = m_formula->cursorPosition();
    if (m_formula->text() != m_engine.formula)
        m_formula->setText(m_engine.formula);
    m_formula->setCursorPosition(qMin(caret, static_cast<int>(m_engine.formula.size())));
    // The engine keeps its numbers in the C form; the user reads them in the locale's (a comma in French).
    m_result->setText(LocaleFormat::display(m_engine.result));
    m_upperAmount->setText(LocaleFormat::display(m_engine.upperAmount));
    m_dollarAmount->setText(LocaleFormat::display(m_engine.dollarAmount));
}

void CalculatorPage::recompute()
{
    if (m_engine.recompute() == CalculatorEngine::Outcome::FormulaError) {
        show();
        Prompt::show(QStringLiteral("Erreur dans la formule !"), QStringLiteral("Tonnelix"));
        return;
    }
    show();
}

void CalculatorPage::setFormula(const QString& text)
{
    m_engine.formula = text;
    recompute();
    FocusFormula();
}

void CalculatorPage::InsertText(const QString& text)
{
    const int at = qBound(0, m_formula->cursorPosition(), static_cast<int>(m_engine.formula.size()));
    m_engine.formula.insert(at, text);
    recompute();
}

void CalculatorPage::FocusFormula()
{
    m_formula->setFocus();
    m_formula->setCursorPosition(static_cast<int>(m_formula->text().size()));
}

void CalculatorPage::setMemory(double value)
{
    m_engine.memory = value;
    m_memoryInUse = value != 0 || m_memoryInUse;
    m_memoryIcon->setPixmap(
        QIcon(m_memoryInUse ? QStringLiteral(":/icons/memory.svg") : QStringLiteral(":/icons/memory-empty.svg"))
            .pixmap(16, 16));
}

void CalculatorPage::press(const QString& key)
{
    static const QString inserted = QStringLiteral("0123456789+-*/");
    if (key.size() == 1 && inserted.contains(key)) {
        InsertText(key);
    } else if (key == QStringLiteral(",")) {
        InsertText(QStringLiteral("."));
    } else if (key == QStringLiteral("(") || key == QStringLiteral(")")) {
        InsertText(key);
    } else if (key == QStringLiteral("Sqrt")) {
        InsertText(QStringLiteral("rac("));
    } else if (key == QStringLiteral("%")) {
        InsertText(key);
    } else if (key == QStringLiteral("=")) {
        recompute();
    } else if (key == QStringLiteral("C")) {
        m_engine.clearAll();
        show();
    } else if (key == QStringLiteral("CE")) {
        m_engine.clearEntry();
        show();
    } else if (key == QStringLiteral("MS")) {
        m_memoryInUse = true;
        setMemory(m_engine.resultValue());
    } else if (key == QStringLiteral("M+")) {
        m_memoryInUse = true;
        setMemory(m_engine.memory + m_engine.resultValue());
    } else if (key == QStringLiteral("MC")) {
        m_memoryInUse = false;
        setMemory(0);
    } else if (key == QStringLiteral("MR")) {
        m_engine.formula += QString::number(m_engine.memory, 'f', 6);
        recompute();
    } else if (key == QStringLiteral("&Convertir")) {
        m_engine.convert();
        show();
    } else if (key == QStringLiteral("Appliquer l'arrondi")) {
        m_engine.rounding = m_rounding->isChecked();
        Settings::set(Settings::euroRounding, m_engine.rounding ? 1 : 0);
        m_engine.convert();
        show();
    } else if (key == QStringLiteral("&TVA")) {
        applyVat();
    } else if (key == QStringLiteral("&Stocke")) {
        storeFormula();
    } else if (key == QStringLiteral("&Ramène")) {
        recallFormula(false);
    } else if (key == QStringLiteral("&Ramène +")) {
        recallFormula(true);
    } else if (key == QStringLiteral("Configuration")) {
        editCurrencyValues();
    } else if (key == QStringLiteral("Dollar")) {
        downloadRates(true);
    } else if (key == QStringLiteral("TVA")) {
        downloadRates(false);
    }
    FocusFormula();
}

void CalculatorPage::applyVat()
{
    // The rate as shown or typed ("19,60" in French) joins the formula in the C form.
    const std::optional<double> rate = LocaleFormat::parseDecimal(m_vat->text());
    const QString vat = rate ? QString::number(*rate, 'f', 2) : m_vat->text().trimmed();
    if (!m_engine.applyVat(vat)) {
        Prompt::show(QStringLiteral("Pour appliquer un taux de TVA\nvous devez le faire précéder d'un opérateur !"),
                     QStringLiteral("Attention !"), Prompt::Icon::Exclamation);
        return;
    }
    show();
}

void CalculatorPage::storeFormula()
{
    if (!m_engine.formula.isEmpty())
        StoredFormulas::store(m_engine.formula);
}

void CalculatorPage::recallFormula(bool append)
{
    StoredFormulasDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_engine.formula = append ? m_engine.formula + StoredFormulas::chosen() : StoredFormulas::chosen();
    recompute();
}

void CalculatorPage::editCurrencyValues()
{
    CurrencyValuesDialog dialog(this);
    dialog.exec();
    m_engine.dollarRate = Currencies::dollarRate();
    m_engine.decimals = qBound(0, Settings::get(Settings::decimals), 10);
    if (m_lowerList->currentText() == Currencies::kDollar || m_upperList->currentText() == Currencies::kDollar)
        onLowerChanged();
}

void CalculatorPage::downloadRates(bool dollar)
{
    if (RateDownload::running())
        return;
    // The page stays responsive while the download runs: one download at a time, and it can be stopped.
    for (QPushButton* key : m_downloadKeys)
        key->setEnabled(false);
    m_cancelDownload->setEnabled(true);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const std::vector<RateDownload::Notice> notices =
        dollar ? RateDownload::downloadDollar(m_engine.dollarRate) : RateDownload::downloadVat(m_engine.dollarRate);
    for (const RateDownload::Notice& notice : notices)
        Prompt::show(notice.text, notice.caption, notice.icon);
    QApplication::restoreOverrideCursor();
    m_cancelDownload->setEnabled(false);
    for (QPushButton* key : m_downloadKeys)
        key->setEnabled(true);
    m_vat->setText(LocaleFormat::display(Currencies::vatText(m_lowerList->currentText())));
    m_upperRate->setText(LocaleFormat::display(Currencies::rateText(m_upperList->currentText())));
    m_lowerRate->setText(LocaleFormat::display(Currencies::rateText(m_lowerList->currentText())));
}

void CalculatorPage::setDollarRowVisible(bool visible)
{
    m_usFlag->setVisible(visible);
    m_dollarAmount->setVisible(visible);
    m_upperRate->setVisible(visible);
}

void CalculatorPage::chooseLower(const QString& currency)
{
    m_lowerList->setCurrentText(currency);
}

void CalculatorPage::chooseUpper(const QString& currency)
{
    m_upperList->setCurrentText(currency);
}

void CalculatorPage::onLowerChanged()
{
    const QSignalBlocker quiet(m_upperList);
    const QString lower = m_lowerList->currentText();
    if (lower == Currencies::kEuro && m_upperList->currentText() == Currencies::kEuro)
        m_upperList->setCurrentText(QStringLiteral("France"));
    if (lower == Currencies::kDollar) {
        m_upperList->setCurrentText(Currencies::kEuro);
        setDollarRowVisible(false);
    } else if (m_upperList->currentText() != Currencies::kDollar) {
        setDollarRowVisible(true);
    }
    m_engine.lower = lower;
    m_engine.upper = m_upperList->currentText();
    m_engine.result.clear();
    m_engine.upperAmount.clear();
    m_engine.dollarAmount.clear();
    m_upperRate->setText(LocaleFormat::display(Currencies::rateText(m_engine.upper)));
    m_lowerRate->setText(LocaleFormat::display(Currencies::rateText(lower)));
    setFlag(m_upperFlag, m_engine.upper);
    setFlag(m_lowerFlag, lower);
    setFlag(m_vatFlag, lower);
    m_vat->setText(LocaleFormat::display(Currencies::vatText(lower)));
    show();
}

void CalculatorPage::onUpperChanged()
{
    const QSignalBlocker quiet(m_lowerList);
    const QString upper = m_upperList->currentText();
    if (upper == Currencies::kDollar) {
        m_lowerList->setCurrentText(Currencies::kEuro);
        setDollarRowVisible(false);
    } else if (m_lowerList->currentText() != Currencies::kDollar) {
        setDollarRowVisible(true);
    }
    if (upper == Currencies::kEuro && m_lowerList->currentText() == Currencies::kEuro)
        m_lowerList->setCurrentText(QStringLiteral("France"));
    m_engine.upper = upper;
    m_engine.lower = m_lowerList->currentText();
    m_engine.result.clear();
    m_engine.upperAmount.clear();
    m_engine.dollarAmount.clear();
    m_upperRate->setText(LocaleFormat::display(Currencies::rateText(upper)));
    m_lowerRate->setText(LocaleFormat::display(Currencies::rateText(m_engine.lower)));
    setFlag(m_upperFlag, upper);
    setFlag(m_lowerFlag, m_engine.lower);
    setFlag(m_vatFlag, m_engine.lower);
    m_vat->setText(LocaleFormat::display(Currencies::vatText(m_engine.lower)));
    show();
}
