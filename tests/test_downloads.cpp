// The rate downloads against a small HTTP server of the test's own on 127.0.0.1.
#include "calculator/RateDownload.h"
#include "platform/Profile.h"
#include "support/ScriptedPrompt.h"
#include "support/TempProfile.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

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
        if (path == "/silent")
            return;
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
        PageServer server;
        Profile::writeString(kConfig, QStringLiteral("Site"), server.site());
        Profile::writeString(kConfig, QStringLiteral("Page"), QStringLiteral("/dollar"));
        double rate = 0;
        prompt.queue(Prompt::Answer::Ok);
        RateDownload::downloadDollar(rate);
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.2736"));
        QCOMPARE(rate, 1.2736);
        QCOMPARE(server.lastAgent, QByteArray("Zalbrec Calculette"));
        QCOMPARE(prompt.messages().last().text,
                 QStringLiteral("Le téléchargement de la valeur du dollar US est terminé"));
        QCOMPARE(prompt.messages().last().caption, kDone);

        // Text where the rate should be, and a page cut in the middle of "US dollar": the rate stays.
        for (const char* page : {"/dollar-text", "/dollar-cut"}) {
            Profile::writeString(kConfig, QStringLiteral("Page"), QString::fromLatin1(page));
            prompt.queue(Prompt::Answer::Ok);
            RateDownload::downloadDollar(rate);
            QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.2736"));
            QVERIFY(prompt.messages().last().text.contains(QStringLiteral("aucune valeur du dollar")));
        }
        // A missing page: nothing written, the completion message all the same.
        Profile::writeString(kConfig, QStringLiteral("Page"), QStringLiteral("/nowhere"));
        prompt.queue(Prompt::Answer::Ok);
        RateDownload::downloadDollar(rate);
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.2736"));
        QCOMPARE(prompt.messages().last().caption, kDone);
    }

    void failuresAreReported()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        Profile::writeString(kConfig, QStringLiteral("Dollar"), QStringLiteral("1.1"));
        double rate = 0;
        prompt.queue(Prompt::Answer::Ok);
        RateDownload::downloadDollar(rate); // no site
        QCOMPARE(prompt.messages().size(), 1);
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Erreur de Téléchargement !"));
        QCOMPARE(rate, 1.1);

        // Nobody listening.
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        const quint16 port = closed.serverPort();
        closed.close();
        Profile::writeString(kConfig, QStringLiteral("Site"), QStringLiteral("127.0.0.1:%1").arg(port));
        prompt.queue(Prompt::Answer::Ok);
        RateDownload::downloadDollar(rate);
        QCOMPARE(prompt.messages().last().caption, QStringLiteral("Erreur de Téléchargement !"));
        QCOMPARE(Profile::getString(kConfig, QStringLiteral("Dollar")), QStringLiteral("1.1"));

        // A server that never answers is given up, not waited for forever.
        PageServer server;
        const RateDownload::Answer answer =
            RateDownload::get(server.site(), QStringLiteral("/silent"), QStringLiteral("Zalbrec Calculette"), 300);
        QVERIFY(!answer.error.isEmpty());
        QVERIFY(!answer.connected);
    }

    void vatDownload()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        PageServer server;
        Profile::writeString(kConfig, QStringLiteral("SiteTVA"), server.site());
        Profile::writeString(kConfig, QStringLiteral("PageTVA"), QStringLiteral("vat"));
        Profile::writeInt(kConfig, QStringLiteral("TIL"), 2000);
        double rate = 0;
        prompt.queue(Prompt::Answer::Ok);
        RateDownload::downloadVat(rate);
        QCOMPARE(server.lastAgent, QByteArray("Zalbrec Tonnelix"));
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TFR")), 1960);
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TBE")), 2100);
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TAL")), 1600); // from the second part
        QCOMPARE(Profile::getInt(kConfig, QStringLiteral("TIL")), 2000); // "n.c." is no rate
        QCOMPARE(prompt.messages().last().text, QStringLiteral("Le téléchargement des taux de TVA est terminé"));
    }
};

QTEST_GUILESS_MAIN(TestDownloads)
#include "test_downloads.moc"
