// The trace log: numbered files, record layout, switch.
#include "trace/Trace.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestTrace : public QObject
{
    Q_OBJECT

    static QStringList lines(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void offWritesNothing()
    {
        QTemporaryDir dir;
        TraceSetEnabled(false);
        TraceOpen(dir.filePath(QStringLiteral("caveTrace")));
        TraceLine("nothing %d", 1);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("caveTrace001.Log"))));
    }

    void numberedFilesAndHeader()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath(QStringLiteral("caveTrace"));
        TraceSetEnabled(true);
        TraceOpen(base);
        QCOMPARE(TraceFileName(), base + QStringLiteral("001.Log"));
        TraceOpen(base);
        QCOMPARE(TraceFileName(), base + QStringLiteral("002.Log"));
        const QStringList header = lines(TraceFileName());
        QCOMPARE(header.size(), 4);
        QVERIFY(header[0].endsWith(QStringLiteral("\u00A0V2.08")));
        QVERIFY(header[1].endsWith(QStringLiteral("\u00A0Tonnelix PC")));
        QVERIFY(header[3].endsWith(QString(46, QLatin1Char('-'))));
        TraceSetEnabled(false);
    }

    void recordLayoutDepthAndPercent()
    {
        QTemporaryDir dir;
        TraceSetEnabled(true);
        TraceOpen(dir.filePath(QStringLiteral("caveTrace")));
        TraceLine("Entre Base %s", "/tmp/Cave 100%.mdb");
        TraceEnter();
        TraceEnter();
        TraceText(QStringLiteral("50 % de remise %d"));
        TraceLeave();
        TraceLeave();
        const QStringList all = lines(TraceFileName());
        QCOMPARE(all.size(), 6);
        // dd/mm/yy - hh:mm:ss, the user in 16 columns, the depth in 2, then "| ".
        const QRegularExpression stamp(
            QStringLiteral("^\\d\\d/\\d\\d/\\d\\d - [ \\d]\\d:\\d\\d:\\d\\d.{16}  0 \\| \u00A0"));
        QVERIFY2(stamp.match(all[4]).hasMatch(), qPrintable(all[4]));
        QVERIFY(all[4].endsWith(QStringLiteral("| \u00A0Entre Base /tmp/Cave 100%.mdb")));
        QVERIFY2(all[5].endsWith(QStringLiteral(" 2 |     \u00A050 % de remise %d")), qPrintable(all[5]));
        TraceSetEnabled(false);
    }

    // Qt's own warnings land in the trace between its records; the trace's records never reach the console.
    void qtWarningsAreTraced()
    {
        QTemporaryDir dir;
        TraceSetEnabled(true);
        TraceOpen(dir.filePath(QStringLiteral("caveTrace")));
        TraceText(QStringLiteral("avant"));
        QTest::ignoreMessage(QtWarningMsg, "QFile::open: vide");
        qWarning("QFile::open: vide");
        TraceText(QStringLiteral("après"));
        const QStringList all = lines(TraceFileName());
        QCOMPARE(all.size(), 7);
        QVERIFY(all[4].endsWith(QStringLiteral("\u00A0avant")));
        QVERIFY2(all[5].endsWith(QStringLiteral("\u00A0Qt (default) : QFile::open: vide")), qPrintable(all[5]));
        QVERIFY(all[6].endsWith(QStringLiteral("\u00A0après")));
        // Off, a warning goes to the console alone.
        TraceSetEnabled(false);
        QTest::ignoreMessage(QtWarningMsg, "hors trace");
        qWarning("hors trace");
        QCOMPARE(lines(TraceFileName()).size(), 7);
    }

    void lastNumberIsReused()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath(QStringLiteral("t"));
        for (int n = 1; n <= 998; ++n) {
            QFile f(QStringLiteral("%1%2.Log").arg(base).arg(n, 3, 10, QLatin1Char('0')));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        TraceSetEnabled(true);
        TraceOpen(base);
        QCOMPARE(TraceFileName(), base + QStringLiteral("998.Log"));
        TraceSetEnabled(false);
    }
};

QTEST_GUILESS_MAIN(TestTrace)
#include "test_trace.moc"
