// The rate downloads against a small HTTP server of the test's own on 127.0.0.1.
#include "calculator/RateDownload.h"
#include "platform/Profile.h"
#include "support/ScriptedPrompt.h"
#include "support/TempProfile.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Serves the pages of the cases by path; "/silent" never answers.
class PageServer : public QObject
{
public:
    PageServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            }
        });
    }

    QString site() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }
    QByteArray lastAgent;
    // Called when the request for "/silent" has arrived: the download is running and waiting.
    std::function<void()> silentRequested;

private:
    static QByteArray page(const QByteArray& path, int& status)
    {
        status = 200;
        const QByteArray filler(1023 + 100, ' ');
        if (path == "/dollar")
            return QByteArray(1500, '-') + "<td>US dollar</td>    <td>1.2736</td>" + QByteArray(200, '-');
        if (path == "/dollar-text")
            return "<td>US dollar</td><td>voir le site.</td>";
        if (path == "/dollar-cut") // "US dol" ends the first part, "lar 1.2736" starts the second
            return QByteArray(1023 - 6, 'a') + "US dollar 1.2736";
        if (path == "/rates?fmt=html&amp;x=%3F")
            return "<tr><th>US dollar</th><td class=\"r2\">1.1</td></tr>";
        if (path == "/huge") // a page no rate needs: 3 MB
            return "<td>US dollar</td><td>1.2736</td>" + QByteArray(3 << 20, 'x');
        if (path == "/vat-bad")
            return "<p>France=1960</p><p>Belgique=21.0</p>";
        if (path == "/vat")
            return "<p>France=19.6 %</p><p>Belgique=21.0</p>" + filler + "<p>Allemagne=16.0</p><p>Italie=n.c.</p>";
        status = 404;
        return "not here";
    }

    void answer(QTcpSocket* socket)
    {
        m_pending[socket] += socket->readAll();
        const QByteArray request = m_pending[socket];
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        for (const QByteArray& line : request.split('\n')) {
            if (line.toLower().startsWith("user-agent:"))
                lastAgent = line.mid(11).trimmed();
        }
        if (path == "/silent") {
            if (silentRequested)
                QTimer::singleShot(0, this, silentRequested);
            return;
        }
        int status = 200;
        const QByteArray body = page(path, status);
        socket->write("HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Not Found") +
                      "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
                      "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

const QString kConfig = QStringLiteral("Config");
const QString kDone = QStringLiteral("Téléchargement !");

} // namespace

class TestDownloads : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parsing()
    {
        QCOMPARE(RateDownload::parseDollar("xx US dollar   1.2736 yy").value(), QStringLiteral("1.2736"));
        QVERIFY(!RateDownload::parseDollar("no rate here").has_value());
        QVERIFY(!RateDownload::parseDollar("US dollar: see.page").has_value());
        // The whole number after the label, whatever the tags around it.
        QCOMPARE(RateDownload::parseDollar("<td>US dollar</td><td>1.1</td>").value(), QStringLiteral("1.1"));
        QCOMPARE(RateDownload::parseDollar("US dollar 1.27 EUR").value(), QStringLiteral("1.27"));
        QCOMPARE(RateDownload::parseDollar("US dollar <b class=\"c3\">12.345</b>").value(), QStringLiteral("12.345"));
        QCOMPARE(RateDownload::parseDollar("US dollar&#160;: 1,0842").value(), QStringLiteral("1.0842"));
        QCOMPARE(RateDownload::parseDollar("US dollar 2").value(), QStringLiteral("2"));
        QVERIFY(!RateDownload::parseDollar("US dollar 0.000").has_value());
        QVERIFY(!RateDownload::parseDollar("US dollar .5").has_value());
        // No dollar is worth 10^300 euros, nor 10^-40: a page gone wrong keeps the rate we have.
        QVERIFY(!RateDownload::parseDollar("US dollar 1" + QByteArray(300, '0')).has_value());
        QVERIFY(!RateDownload::parseDollar("US dollar 0." + QByteArray(39, '0') + "1").has_value());
        QVERIFY(!RateDownload::parseDollar("US dollar <td>n.c.</td>").has_value());
        QVERIFY(!RateDownload::parseDollar("US dollar" + QByteArray(200, ' ') + "1.2").has_value()); // too far
        QCOMPARE(RateDownload::parseVat("France=19.60")[0].value, 1960);
        QCOMPARE(RateDownload::parseVat("France= 5,5")[0].value, 550);
        QCOMPARE(RateDownload::parseVat("France=1960")[0].percent, 1960.0);
        // A number no setting can hold is read without overflow and marked so that the page is refused.
        QCOMPARE(RateDownload::parseVat("France=19555555555555555555555555512.345")[0].value, -1);
        const auto rates = RateDownload::parseVat("France=19.6 Belgique=21.0 Grece=abcd");
        QCOMPARE(rates.size(), size_t(2));
        QCOMPARE(rates[0].key, QStringLiteral("TBE")); // in the download's order
        QCOMPARE(rates[0].value, 2100);
        QCOMPARE(rates[1].key, QStringLiteral("TFR"));
        QCOMPARE(rates[1].value, 1960);
    }

    void dollarDownload()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        std::vector<RateDownload::Notice> notices;
        PageServer server;
        Profile::writeString(kConfig, QStringLiteral("Site"), server.site());
        Profile::writeString(kConfig, QStringLiteral("Page"), QStringLiteral("/dollar"));
        double rate = 0;
        notices = RateDownload::downloadDollar(rate);
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.2736"));
        QCOMPARE(rate, 1.2736);
        QCOMPARE(server.lastAgent, QByteArray("Zalbrec Calculette"));
        QCOMPARE(notices.back().text, QStringLiteral("Le téléchargement de la valeur du dollar US est terminé"));
        QCOMPARE(notices.back().caption, kDone);

        // A label cut by the original's 1023-byte parts is found all the same; a page with a query is fetched.
        Profile::writeString(kConfig, QStringLiteral("Dollar"), QStringLiteral("1.0"));
        Profile::writeString(kConfig, QStringLiteral("Page"), QStringLiteral("/dollar-cut"));
        notices = RateDownload::downloadDollar(rate);
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.2736"));
        Profile::writeString(kConfig, QStringLiteral("Page"), QStringLiteral("rates?fmt=html&amp;x=%3F"));
        notices = RateDownload::downloadDollar(rate);
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.1"));
        QCOMPARE(rate, 1.1);
        Profile::writeString(kConfig, QStringLiteral("Dollar"), QStringLiteral("1.2736"));

        // Text where the rate should be: the rate stays.
        for (const char* page : {"/dollar-text"}) {
            Profile::writeString(kConfig, QStringLiteral("Page"), QString::fromLatin1(page));
            notices = RateDownload::downloadDollar(rate);
            QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.2736"));
            QVERIFY(notices.back().text.contains(QStringLiteral("aucune valeur du dollar")));
        }
        // A missing page: nothing written, the completion message all the same.
        Profile::writeString(kConfig, QStringLiteral("Page"), QStringLiteral("/nowhere"));
        notices = RateDownload::downloadDollar(rate);
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.2736"));
        QCOMPARE(notices.back().caption, kDone);
    }

    void failuresAreReported()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        std::vector<RateDownload::Notice> notices;
        Profile::writeString(kConfig, QStringLiteral("Dollar"), QStringLiteral("1.1"));
        double rate = 0;
        notices = RateDownload::downloadDollar(rate); // no site
        QCOMPARE(notices.size(), size_t(1));
        QCOMPARE(notices.back().caption, QStringLiteral("Erreur de Téléchargement !"));
        QCOMPARE(rate, 1.1);

        // Nobody listening.
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        const quint16 port = closed.serverPort();
        closed.close();
        Profile::writeString(kConfig, QStringLiteral("Site"), QStringLiteral("127.0.0.1:%1").arg(port));
        notices = RateDownload::downloadDollar(rate);
        QCOMPARE(notices.back().caption, QStringLiteral("Erreur de Téléchargement !"));
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.1"));

        // A server that never answers is given up, not waited for forever.
        PageServer server;
        const RateDownload::Answer answer =
            RateDownload::get(server.site(), QStringLiteral("/silent"), QStringLiteral("Zalbrec Calculette"), 300);
        QVERIFY(!answer.error.isEmpty());
        QVERIFY(!answer.connected);

        // A page past the cap is given up, its content never kept.
        const RateDownload::Answer huge =
            RateDownload::get(server.site(), QStringLiteral("/huge"), QStringLiteral("Zalbrec Calculette"), 15000);
        QVERIFY2(huge.error.contains(QStringLiteral("dépasse 1024 Ko")), qUtf8Printable(huge.error));
        QVERIFY(huge.body.isEmpty());
        QVERIFY(!huge.cancelled);
    }

    void vatDownload()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        std::vector<RateDownload::Notice> notices;
        PageServer server;
        Profile::writeString(kConfig, QStringLiteral("SiteTVA"), server.site());
        Profile::writeString(kConfig, QStringLiteral("PageTVA"), QStringLiteral("vat"));
        Profile::writeInt(kConfig, QStringLiteral("TIL"), 2000);
        double rate = 0;
        notices = RateDownload::downloadVat(rate);
        QCOMPARE(server.lastAgent, QByteArray("Zalbrec Tonnelix"));
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TFR")), 1960);
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TBE")), 2100);
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TAL")), 1600); // from the second part
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TIL")), 2000); // "n.c." is no rate
        QCOMPARE(notices.back().text, QStringLiteral("Le téléchargement des taux de TVA est terminé"));

        // 1960 is no percentage: the page is refused whole, nothing is stored.
        Profile::writeString(kConfig, QStringLiteral("PageTVA"), QStringLiteral("/vat-bad"));
        notices = RateDownload::downloadVat(rate);
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TFR")), 1960);
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TBE")), 2100);
        QCOMPARE(notices.size(), size_t(1)); // the refusal alone
        QVERIFY(notices.back().text.startsWith(QStringLiteral("Le taux de TVA téléchargé (TFR = 1")));
        QCOMPARE(notices.back().caption, QStringLiteral("Erreur de Téléchargement !"));
    }

    void oneDownloadAtATimeAndCancel()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        std::vector<RateDownload::Notice> notices;
        PageServer server;
        Profile::writeString(kConfig, QStringLiteral("Dollar"), QStringLiteral("1.5"));
        Profile::writeString(kConfig, QStringLiteral("Site"), server.site());
        Profile::writeString(kConfig, QStringLiteral("Page"), QStringLiteral("/silent"));
        RateDownload::Answer second;
        bool wasRunning = false;
        // Once the server holds the request, not after a guessed delay.
        server.silentRequested = [&] {
            wasRunning = RateDownload::running();
            second = RateDownload::get(server.site(), QStringLiteral("/dollar"), QStringLiteral("x"));
            RateDownload::cancel();
        };
        double rate = 0;
        notices = RateDownload::downloadDollar(rate); // would wait 15 s without the cancel
        QVERIFY(wasRunning);
        QCOMPARE(second.error, QStringLiteral("Un téléchargement est déjà en cours."));
        QVERIFY(!RateDownload::running());
        QCOMPARE(notices.size(), size_t(0)); // a cancelled download says nothing
        QCOMPARE(rate, 1.5);
    }
};

QTEST_GUILESS_MAIN(TestDownloads)
#include "test_downloads.moc"
