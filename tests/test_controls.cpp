// Coloured labels and edits.
#include "widgets/ui/ColorLabel.h"
#include "widgets/ui/NotifyingEdit.h"
#include "widgets/ui/Pictures.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

class TestControls : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void systemColoursUntilSet()
    {
        ColorLabel label(QStringLiteral("Cru"));
        QCOMPARE(label.GetTextColour(), QApplication::palette().color(QPalette::ButtonText));
        QCOMPARE(label.GetBackColour(), QApplication::palette().color(QPalette::Button));
        QVERIFY(!label.autoFillBackground()); // looks like an ordinary label
        label.SetTextColour(QColor(255, 0, 0));
        label.SetBackColour(QColor(243, 244, 186));
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(label.palette().color(QPalette::Window), QColor(243, 244, 186));
        label.SetTextColour(); // back to the system colour
        QCOMPARE(label.GetTextColour(), QApplication::palette().color(QPalette::ButtonText));
    }

    void blinkPeriodsShareOneTimer()
    {
        ColorLabel label;
        label.SetBlinkTextColours(QColor(Qt::red), QColor(Qt::blue));
        const int expected[][2] = {{0, 2000}, {1, 1000}, {2, 500}, {250, 250}};
        for (const auto& [speed, period] : expected) {
            label.StartTextBlink(1, speed);
            QVERIFY(label.isBlinkTimerRunning());
            QCOMPARE(label.blinkInterval(), period);
        }
        QCOMPARE(label.currentTextColour(), QColor(Qt::red));
        QTRY_COMPARE_WITH_TIMEOUT(label.currentTextColour(), QColor(Qt::blue), 1000);
        // Starting the background blink restarts the one timer; stopping it stops the text blink's timer too.
        label.StartBackBlink(1, 2);
        label.StartBackBlink(0, 2);
        QVERIFY(!label.isBlinkTimerRunning());
        label.StartTextBlink(0, 0);
        label.SetTextColour(QColor(Qt::green));
        QCOMPARE(label.currentTextColour(), QColor(Qt::green));
    }

    void backgroundBlinkNotifiesEverySecondTick()
    {
        ColorLabel label;
        label.setControlId(1150);
        QObject window;
        label.SetNotify(&window, 1024);
        QSignalSpy spy(&label, &ColorLabel::notify);
        label.SetBlinkBackColours(QColor(Qt::white), QColor(Qt::black));
        label.StartBackBlink(1, 20);
        QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 2, 2000);
        label.StartBackBlink(0, 20);
        const QList<QVariant> first = spy.first();
        QCOMPARE(first.at(1).toInt(), 1024);
        QCOMPARE(first.at(2).toInt(), 1150);
    }

    void priceEditIsRedOnLightCyan()
    {
        NotifyingEdit edit;
        QCOMPARE(edit.palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(128, 255, 255));
    }

    void everyPictureIsThere()
    {
        for (int i = 0; i < Pictures::kTreeImageCount; ++i)
            QVERIFY2(!Pictures::treeImage(i).isNull(), qPrintable(QString::number(i)));
        for (int c = 0; c < 5; ++c)
            QVERIFY(!Pictures::listIcon(c).isNull());
        for (int k = 0; k < 6; ++k)
            QVERIFY(!Pictures::tabIcon(k).isNull());
        QCOMPARE(Pictures::flagIndex(QStringLiteral("FR")), 10);
        QCOMPARE(Pictures::flagIndex(QStringLiteral("PT")), 26);
        QCOMPARE(Pictures::flagIndex(QStringLiteral("NL")), 9);
        QCOMPARE(Pictures::flagIndex(QStringLiteral("fr")), 9); // exact comparison
        QCOMPARE(Pictures::flagIndex(QString()), 9);
    }
};

QTEST_MAIN(TestControls)
#include "test_controls.moc"
