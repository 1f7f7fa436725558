// Settings, numbers as the user types them.
#include "platform/LocaleFormat.h"
#include "platform/Profile.h"
#include "support/TempProfile.h"

#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fixedFollowsTheLocale()
    {
        QCOMPARE(LocaleFormat::fixed(100.0 / 6, 2, QLocale(QLocale::French)), QStringLiteral("16,67"));
        QCOMPARE(LocaleFormat::fixed(100.0 / 6, 2, QLocale::c()), QStringLiteral("16.67"));
        QCOMPARE(LocaleFormat::fixed(12345.5, 2, QLocale(QLocale::French)), QStringLiteral("12345,50"));
        // Euros: two decimals, the group separator and the sign.
        const QString euros = LocaleFormat::euros(12345.6, QLocale(QLocale::French));
        QVERIFY2(euros.startsWith(QStringLiteral("12")) && euros.endsWith(QStringLiteral("345,60 €")) &&
                     euros.size() == QStringLiteral("12 345,60 €").size(),
                 qPrintable(euros));
        QCOMPARE(LocaleFormat::euros(1234.5, QLocale::c()), QStringLiteral("1234.50 €"));
    }

    void parseDecimalAcceptsBothMarks()
    {
        QCOMPARE(LocaleFormat::parseDecimal(QStringLiteral("12.50")).value(), 12.5);
        QCOMPARE(LocaleFormat::parseDecimal(QStringLiteral("12,50")).value(), 12.5);
        QCOMPARE(LocaleFormat::parseDecimal(QStringLiteral(" 30 ")).value(), 30.0);
        QCOMPARE(LocaleFormat::parseDecimal(QStringLiteral("-1,5")).value(), -1.5);
        QVERIFY(!LocaleFormat::parseDecimal(QString()).has_value());
        QVERIFY(!LocaleFormat::parseDecimal(QStringLiteral("douze")).has_value());
        QVERIFY(!LocaleFormat::parseDecimal(QStringLiteral("1.234,5")).has_value());
        QVERIFY(!LocaleFormat::parseDecimal(QStringLiteral("12,5€")).has_value());
    }

    void profileSectionsValuesAndDefaults()
    {
        TempProfile profile;
        QCOMPARE(Profile::getInt(QStringLiteral("Config"), QStringLiteral("Trace"), 0), 0);
        QCOMPARE(Profile::getString(QStringLiteral("Config"), QStringLiteral("Base")), QString());
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Version Base"), QStringLiteral("6.00"));
        Profile::writeInt(QStringLiteral("Config"), QStringLiteral("Couleur"), 3);
        Profile::writeString(QStringLiteral("Formules"), QStringLiteral("0"), QStringLiteral("2*(3+4)"));
        QCOMPARE(Profile::getString(QStringLiteral("Config"), QStringLiteral("Version Base")), QStringLiteral("6.00"));
        QCOMPARE(Profile::getInt(QStringLiteral("Config"), QStringLiteral("Couleur")), 3);
        QCOMPARE(Profile::getString(QStringLiteral("Formules"), QStringLiteral("0")), QStringLiteral("2*(3+4)"));
        // A text where a number is expected reads as the default.
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Casier1"), QStringLiteral("abc"));
        QCOMPARE(Profile::getInt(QStringLiteral("Config"), QStringLiteral("Casier1"), 7), 7);
        QCOMPARE(Profile::storageLocation(), profile.fileName());
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
