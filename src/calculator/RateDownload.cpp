#include "calculator/RateDownload.h"

#include "calculator/Currencies.h"
#include "platform/Profile.h"
#include "platform/Prompt.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace RateDownload {

namespace {

constexpr int kPart = 1023;

struct Tag
{
    const char* tag;
    const char* key;
};
// In the order the download looks for them.
const Tag kTags[] = {{"Belgique=", "TBE"},    {"Allemagne=", "TAL"}, {"Italie=", "TIL"},   {"France=", "TFR"},
                     {"Espagne=", "TES"},     {"Finlande=", "TFI"},  {"Irlande=", "TIR"},  {"Luxembourg=", "TLU"},
                     {"Pays-Bas=", "TPA"},    {"Portugal=", "TPO"},  {"Autriche=", "TAU"}, {"Danemark=", "TDA"},
                     {"Royaume-Uni=", "TRU"}, {"Suede=", "TSU"},     {"Grece=", "TGR"}};

// Leading digits and "." of a text, as a number.
std::optional<double> leadingNumber(const QByteArray& text)
{
    int n = 0;
    while (n < text.size() && (std::isdigit(static_cast<unsigned char>(text[n])) || text[n] == '.'))
        ++n;
    bool ok = false;
    const double value = QString::fromLatin1(text.left(n)).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

const QString kDone = QStringLiteral("Téléchargement !");
const QString kFailed = QStringLiteral("Erreur de Téléchargement !");

} // namespace

Answer get(const QString& site, const QString& page, const QString& agent, int timeoutMs)
{
    Answer answer;
    if (site.trimmed().isEmpty()) {
        answer.error = QStringLiteral("Aucun serveur de téléchargement n'est indiqué.");
        return answer;
    }
    QUrl url(QStringLiteral("http://") + site.trimmed());
    if (url.port() < 0)
        url.setPort(80);
    url.setPath(page.startsWith(QLatin1Char('/')) ? page : QLatin1Char('/') + page);
    if (!url.isValid() || url.host().isEmpty()) {
        answer.error = QStringLiteral("Adresse de téléchargement invalide : %1").arg(site);
        return answer;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, agent);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    answer.connected = status.isValid();
    answer.status = status.toInt();
    answer.body = reply->readAll();
    if (timedOut)
        answer.error =
            QStringLiteral("Le serveur %1 n'a pas répondu dans les %2 secondes.").arg(url.host()).arg(timeoutMs / 1000);
    else if (reply->error() != QNetworkReply::NoError && !answer.connected)
        answer.error = reply->errorString();
    reply->deleteLater();
    return answer;
}

std::optional<QString> parseDollar(const QByteArray& body)
{
    for (qsizetype start = 0; start < body.size(); start += kPart) {
        const QByteArray part = body.mid(start, kPart);
        const qsizetype at = part.indexOf("US dollar");
        if (at < 0)
            continue;
        const qsizetype dot = part.indexOf('.', at);
        if (dot < 1)
            return std::nullopt;
        const QString rate = QString::fromLatin1(part.mid(dot - 1, 6));
        bool ok = false;
        const double value = rate.toDouble(&ok);
        if (!ok || value <= 0)
            return std::nullopt; // text where the rate should be: keep the one we have
        return rate;
    }
    return std::nullopt;
}

std::vector<Vat> parseVat(const QByteArray& body)
{
    std::vector<Vat> rates;
    for (qsizetype start = 0; start < body.size(); start += kPart) {
        const QByteArray part = body.mid(start, kPart);
        for (const Tag& tag : kTags) {
            const qsizetype at = part.indexOf(tag.tag);
            if (at < 0)
                continue;
            const std::optional<double> value = leadingNumber(part.mid(at + qstrlen(tag.tag), 4));
            if (value)
                rates.push_back({QString::fromLatin1(tag.key), static_cast<int>(*value * 100 + 1e-9)});
        }
    }
    return rates;
}

void downloadDollar(double& dollarRate)
{
    const Answer answer =
        get(Profile::getString(QStringLiteral("Config"), QStringLiteral("Site")),
            Profile::getString(QStringLiteral("Config"), QStringLiteral("Page")), QStringLiteral("Zalbrec Calculette"));
    if (!answer.error.isEmpty())
        Prompt::show(answer.error, kFailed);
    bool found = true;
    if (answer.connected && answer.status == 200) {
        const std::optional<QString> rate = parseDollar(answer.body);
        found = rate.has_value();
        if (rate)
            Profile::writeString(QStringLiteral("Config"), QStringLiteral("Dollar"), *rate);
    }
    dollarRate = Currencies::dollarRate();
    if (!answer.connected)
        return;
    if (!found)
        Prompt::show(QStringLiteral("Le téléchargement n'a trouvé aucune valeur du dollar US : elle reste inchangée"),
                     kDone, Prompt::Icon::Exclamation);
    else
        Prompt::show(QStringLiteral("Le téléchargement de la valeur du dollar US est terminé"), kDone);
}

void downloadVat(double& dollarRate)
{
    const Answer answer = get(Profile::getString(QStringLiteral("Config"), QStringLiteral("SiteTVA")),
                              Profile::getString(QStringLiteral("Config"), QStringLiteral("PageTVA")),
                              QStringLiteral("Zalbrec Tonnelix"));
    if (!answer.error.isEmpty())
        Prompt::show(answer.error, kFailed);
    if (answer.connected && answer.status == 200) {
        for (const Vat& vat : parseVat(answer.body))
            Profile::writeInt(QStringLiteral("Config"), vat.key, vat.value);
    }
    dollarRate = Currencies::dollarRate();
    if (answer.connected)
        Prompt::show(QStringLiteral("Le téléchargement des taux de TVA est terminé"), kDone);
}

} // namespace RateDownload
