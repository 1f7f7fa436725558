// The calculator: conversions, keys, percent and VAT rules, memory, stored formulas, the currency dialog.
#include "calculator/CalculatorEngine.h"
#include "calculator/StoredFormulas.h"
#include "calculator/ui/CalculatorPage.h"
#include "calculator/ui/CurrencyValuesDialog.h"
#include "calculator/ui/StoredFormulasDialog.h"
#include "platform/LocaleFormat.h"
#include "platform/Profile.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompt.h"
#include "support/TempProfile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>

namespace {

// How the page shows a number kept in the C form: in the user's locale ("5,00" on a French desktop).
QString shown(const QString& cText)
{
    return LocaleFormat::display(cText);
}

const QString kConfig = QStringLiteral("Config");

void type(CalculatorPage& page, const QString& keys)
{
    for (const QChar c : keys)
        page.press(QString(c));
}

} // namespace

class TestCalculator : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conversions()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        Profile::writeString(kConfig, QStringLiteral("Dollar"), QStringLiteral("1.2736"));
        CalculatorPage page;
        QCOMPARE(page.lowerList()->currentText(), QStringLiteral("France"));
        QCOMPARE(page.upperList()->currentText(), QStringLiteral("Euro"));
        QCOMPARE(page.lowerRate()->text(), shown(QStringLiteral("6.55957")));
        type(page, QStringLiteral("100"));
        QCOMPARE(page.resultEdit()->text(), shown(QStringLiteral("100.00")));
        QCOMPARE(page.upperEdit()->text(), shown(QStringLiteral("15.244902")));
        QCOMPARE(page.dollarEdit()->text(), shown(QString::number(100 / 6.55957 * 1.2736, 'f', 6)));
        page.roundingButton()->click();
        QCOMPARE(page.upperEdit()->text(), shown(QStringLiteral("15.24")));
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("ArrondiEuro")), 1);
        page.roundingButton()->click();

        page.chooseLower(QStringLiteral("Allemagne"));
        page.chooseUpper(QStringLiteral("France"));
        QVERIFY(page.resultEdit()->text().isEmpty()); // a currency change clears the amounts
        page.press(QStringLiteral("="));
        QCOMPARE(page.upperEdit()->text(), shown(QString::number(100 * 6.55957 / 1.95583, 'f', 6)));
        QCOMPARE(page.dollarEdit()->text(), shown(QString::number(100 / 1.95583 * 1.2736, 'f', 6)));

        // The dollar on either side puts the euro on the other and hides the dollar row.
        page.chooseLower(QStringLiteral("Etats-Unis"));
        QCOMPARE(page.upperList()->currentText(), QStringLiteral("Euro"));
        QVERIFY(page.dollarEdit()->isHidden());
        page.chooseUpper(QStringLiteral("Etats-Unis"));
        QCOMPARE(page.lowerList()->currentText(), QStringLiteral("Euro"));
        page.chooseLower(QStringLiteral("Italie"));
        page.chooseUpper(QStringLiteral("Euro"));
        QVERIFY(!page.dollarEdit()->isHidden());
        // Never the euro on both sides.
        page.chooseLower(QStringLiteral("Euro"));
        QCOMPARE(page.upperList()->currentText(), QStringLiteral("France"));
    }

    // On a French desktop the page shows commas and takes them, and the mathematics are right.
    void frenchDesktop()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        Profile::writeInt(QStringLiteral("Config"), QStringLiteral("TFR"), 1960);
        {
            CalculatorPage page;
            type(page, QStringLiteral("0,5+2,5*2"));
            QCOMPARE(page.resultEdit()->text(), QStringLiteral("5,50"));
            QCOMPARE(page.lowerRate()->text(), QStringLiteral("6,55957"));
            QCOMPARE(page.vatEdit()->text(), QStringLiteral("19,60"));
            type(page, QStringLiteral("+"));
            page.press(QStringLiteral("&TVA"));
            QCOMPARE(page.formulaEdit()->text(), QStringLiteral("0.5+2.5*2+1.08"));
        }
        QLocale::setDefault(saved);
    }

    // The memory keys, the root and the percent show their pictures, sharp at 100 % and 200 %.
    void keypadPictures()
    {
        TempProfile profile;
        CalculatorPage page;
        for (const char* name : {"MC", "MR", "MS", "M+", "Sqrt", "%"}) {
            auto* key = page.findChild<QPushButton*>(QString::fromLatin1(name));
            QVERIFY2(key, name);
            QVERIFY(key->text().isEmpty());
            QCOMPARE(key->toolTip(), QString::fromLatin1(name));
            for (const qreal scale : {1.0, 2.0}) {
                const QImage image = key->icon().pixmap(QSize(24, 24), scale).toImage();
                QCOMPARE(image.size(), QSize(24, 24) * scale);
                int painted = 0;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x)
                        painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
                }
                QVERIFY2(painted > image.width() * image.height() / 3, name);
            }
        }
        // The other keys keep their captions.
        QCOMPARE(page.findChild<QPushButton*>(QStringLiteral("7"))->text(), QStringLiteral("7"));
    }

    void keysAndRules()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        CalculatorPage page;
        type(page, QStringLiteral("2,5*2"));
        QCOMPARE(page.formulaEdit()->text(), QStringLiteral("2.5*2"));
        QCOMPARE(page.resultEdit()->text(), shown(QStringLiteral("5.00")));

        page.press(QStringLiteral("C"));
        QVERIFY(page.formulaEdit()->text().isEmpty());
        QVERIFY(page.resultEdit()->text().isEmpty());
        type(page, QStringLiteral("12+34*2"));
        page.press(QStringLiteral("CE"));
        QCOMPARE(page.formulaEdit()->text(), QStringLiteral("12+34"));
        page.setFormula(QStringLiteral("7"));
        page.press(QStringLiteral("CE"));
        QVERIFY(page.formulaEdit()->text().isEmpty());

        type(page, QStringLiteral("200+10%"));
        QCOMPARE(page.formulaEdit()->text(), QStringLiteral("200+20.00"));
        QCOMPARE(page.resultEdit()->text(), shown(QStringLiteral("220.00")));
        page.setFormula(QStringLiteral("200-10"));
        page.press(QStringLiteral("%"));
        QCOMPARE(page.resultEdit()->text(), shown(QStringLiteral("180.00")));
        page.setFormula(QStringLiteral("200*10"));
        page.press(QStringLiteral("%"));
        QCOMPARE(page.formulaEdit()->text(), QStringLiteral("200*20.00"));

        // Division by a literal 0 or by an expression that comes to 0.
        page.setFormula(QStringLiteral("10/0"));
        QCOMPARE(page.resultEdit()->text(), QStringLiteral("Division par 0 impossible"));
        page.setFormula(QStringLiteral("10/(5-5)"));
        QCOMPARE(page.resultEdit()->text(), QStringLiteral("Division par 0 impossible"));

        // A mathematics error, then a valid formula without any message.
        prompt.queue(Prompt::Answer::Ok);
        page.setFormula(QStringLiteral("ln(0)"));
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Erreur dans la formule !"));
        page.setFormula(QStringLiteral("1+1"));
        QCOMPARE(page.resultEdit()->text(), shown(QStringLiteral("2.00")));
        QCOMPARE(prompt.messages().size(), 1);
        // A formula that does not compile leaves the previous result.
        page.setFormula(QStringLiteral("1+"));
        QCOMPARE(page.resultEdit()->text(), shown(QStringLiteral("2.00")));

        // Keys left to us: "(", ")" and "Sqrt".
        page.setFormula(QString());
        page.press(QStringLiteral("Sqrt"));
        type(page, QStringLiteral("16)"));
        QCOMPARE(page.formulaEdit()->text(), QStringLiteral("rac(16)"));
        QCOMPARE(page.resultEdit()->text(), shown(QStringLiteral("4.00")));
    }

    void vatMemoryAndDecimals()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        Profile::writeInt(kConfig, QStringLiteral("TFR"), 1960);
        CalculatorPage page;
        QCOMPARE(page.vatEdit()->text(), shown(QStringLiteral("19.60")));
        prompt.queue(Prompt::Answer::Ok);
        page.press(QStringLiteral("&TVA"));
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Pour appliquer un taux de TVA\nvous devez le faire précéder d'un opérateur !"));
        page.setFormula(QStringLiteral("100"));
        prompt.queue(Prompt::Answer::Ok);
        page.press(QStringLiteral("&TVA"));
        QCOMPARE(prompt.messages().size(), 2);
        page.setFormula(QStringLiteral("100+"));
        page.press(QStringLiteral("&TVA"));
        QCOMPARE(page.formulaEdit()->text(), QStringLiteral("100+19.60"));
        QCOMPARE(page.resultEdit()->text(), shown(QStringLiteral("119.60")));

        page.press(QStringLiteral("MS"));
        QVERIFY(page.memoryInUse());
        page.press(QStringLiteral("M+"));
        page.setFormula(QStringLiteral("1+"));
        page.press(QStringLiteral("MR"));
        QCOMPARE(page.formulaEdit()->text(), QStringLiteral("1+239.200000"));
        page.press(QStringLiteral("MC"));
        QVERIFY(!page.memoryInUse());
        QCOMPARE(page.engine().memory, 0.0);
        QCOMPARE(page.vatEdit()->text(), shown(QStringLiteral("19.60")));
        page.chooseLower(QStringLiteral("Euro"));
        QCOMPARE(page.vatEdit()->text(), shown(QStringLiteral("0.00")));

        Profile::writeInt(kConfig, QStringLiteral("NDecimal"), 0);
        CalculatorPage whole;
        whole.setFormula(QStringLiteral("10/4"));
        QCOMPARE(whole.resultEdit()->text(), shown(QStringLiteral("3")));
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("NDecimal"), 2), 0);
    }

    void storedFormulas()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        Profile::writeString(QStringLiteral("Formules"), QStringLiteral("0"), QStringLiteral("2*x"));
        Profile::writeString(QStringLiteral("Formules"), QStringLiteral("2"), QStringLiteral("1+1"));
        Profile::writeString(QStringLiteral("Formules"), QStringLiteral("3"), QStringLiteral("1+1"));
        QVERIFY(StoredFormulas::store(QStringLiteral("3*3")));
        QCOMPARE(Profile::getString(QStringLiteral("Formules"), QStringLiteral("1")), QStringLiteral("3*3"));
        {
            StoredFormulasDialog dialog;
            QCOMPARE(dialog.list()->count(), 4);
            prompt.queue(Prompt::Answer::Ok);
            dialog.applyAndClose(); // nothing selected
            QCOMPARE(dialog.result(), 0);
            dialog.list()->setCurrentRow(2); // the first "1+1"
            dialog.deleteFormula();
            QCOMPARE(Profile::getString(QStringLiteral("Formules"), QStringLiteral("2")), QString());
            QCOMPARE(Profile::getString(QStringLiteral("Formules"), QStringLiteral("3")), QStringLiteral("1+1"));
            QCOMPARE(dialog.list()->count(), 3);
            dialog.list()->setCurrentRow(0);
            dialog.applyAndClose();
            QCOMPARE(StoredFormulas::chosen(), QStringLiteral("2*x"));
        }
        CalculatorPage page;
        page.setFormula(QStringLiteral("5+"));
        onNextModal([](QWidget* dialog) {
            auto* stored = qobject_cast<StoredFormulasDialog*>(dialog);
            QVERIFY(stored);
            stored->list()->setCurrentRow(1); // "3*3"
            stored->applyAndClose();
        });
        page.press(QStringLiteral("&Ramène +"));
        QCOMPARE(page.formulaEdit()->text(), QStringLiteral("5+3*3"));
        QCOMPARE(page.resultEdit()->text(), shown(QStringLiteral("14.00")));
        // Leaving with "Quitter" keeps the formula.
        onNextModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
        page.press(QStringLiteral("&Ramène"));
        QCOMPARE(page.formulaEdit()->text(), QStringLiteral("5+3*3"));
        page.press(QStringLiteral("&Stocke"));
        QCOMPARE(Profile::getString(QStringLiteral("Formules"), QStringLiteral("2")), QStringLiteral("5+3*3"));
    }

    void currencyDialog()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        {
            CurrencyValuesDialog dialog;
            QCOMPARE(dialog.currencies()->item(0, 0)->text(), QStringLiteral("0.8776"));
            QCOMPARE(dialog.currencies()->item(5, 1)->text(), QStringLiteral("Afrique du Sud"));
            QCOMPARE(dialog.currencies()->item(5, 0)->text(), QStringLiteral("1.7110"));
            QCOMPARE(dialog.decimalsText()->text(), shown(QStringLiteral("2")));
            for (int row = 0; row < 15; ++row)
                QCOMPARE(dialog.parities()->item(row, 2)->text(), shown(QStringLiteral("0.00")));
            QCOMPARE(dialog.parities()->item(0, 1)->text(), shown(QStringLiteral("1.95583")));
            // The figures are not cut.
            const QFontMetrics metrics(dialog.parities()->font());
            QVERIFY(dialog.parities()->columnWidth(1) > metrics.horizontalAdvance(QStringLiteral("1,95583")));
            QCOMPARE(dialog.parities()->item(12, 1)->text(), QStringLiteral("H.Z"));
            dialog.currencies()->item(0, 0)->setText(QStringLiteral("1,2345"));
            QCOMPARE(dialog.currencies()->item(0, 0)->text(), QStringLiteral("1.2345"));
            dialog.decimals()->setValue(3);
            QCOMPARE(Profile::getInt(kConfig, QStringLiteral("NDecimal")), 3); // at once
            dialog.applyAndClose();
        }
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.2345"));
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Yen")), QStringLiteral("107.7"));
        {
            CurrencyValuesDialog dialog;
            dialog.currencies()->item(1, 0)->setText(QStringLiteral("99"));
            dialog.reject(); // value edits go with it
        }
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Yen")), QStringLiteral("107.7"));
    }
};

QTEST_MAIN(TestCalculator)
#include "test_calculator.moc"
