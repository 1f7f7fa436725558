#include "calculator/RateDownload.h"
#include "platform/Settings.h"

#include "calculator/Currencies.h"
#include "platform/LocaleFormat.h"
#include "platform/Profile.h"

#include <QEventLoop>
#include <QLocale>
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

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number that begins at from: digits, then "." or "," and more digits. Its text in the C form ("."),
// and where it ends.
struct Number
{
    QString text;
    double value = 0;
    qsizetype end = 0;
};

std::optional<Number> numberAt(const QByteArray& text, qsizetype from)
{
    qsizetype i = from;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == from)
        return std::nullopt;
    QByteArray digits = text.mid(from, i - from);
    if (i + 1 < text.size() && (text[i] == '.' || text[i] == ',') && isDigit(text[i + 1])) {
        const qsizetype fraction = i + 1;
        i = fraction;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        digits += '.' + text.mid(fraction, i - fraction);
    }
    bool ok = false;
    Number n;
    n.text = QString::fromLatin1(digits);
    n.value = QLocale::c().toDouble(n.text, &ok);
    n.end = i;
    if (!ok)
        return std::nullopt;
    return n;
}

// How much visible text may stand between a label and its number.
constexpr int kLabelReach = 64;

// The first number after from, passing over tags ("<td class=x1>") and entities ("&#160;") and at most
// kLabelReach characters of other text.
std::optional<Number> numberAfter(const QByteArray& text, qsizetype from)
{
    int visible = 0;
    for (qsizetype i = from; i < text.size() && visible <= kLabelReach; ++i) {
        const char c = text[i];
        if (c == '<') {
            const qsizetype close = text.indexOf('>', i);
            if (close < 0)
                return std::nullopt;
            i = close;
        } else if (c == '&') {
            const qsizetype semicolon = text.indexOf(';', i);
            if (semicolon > 0 && semicolon - i <= 10)
                i = semicolon;
            ++visible;
        } else if (isDigit(c)) {
            if (i > from && (text[i - 1] == '.' || text[i - 1] == ','))
                return std::nullopt; // ".5" or a piece of another number: no complete number here
            return numberAt(text, i);
        } else {
            ++visible;
        }
    }
    return std::nullopt;
}

// The running download, which cancel() stops.
QNetworkReply* g_running = nullptr;

const QString kDone = QStringLiteral("Téléchargement !");
const QString kFailed = QStringLiteral("Erreur de Téléchargement !");

} // namespace

namespace {

constexpr qint64 kMaxPage = 1 << 20;

} // namespace

Answer get(const QString& site, const QString& page, const QString& agent, int timeoutMs)
{
    Answer answer;
    if (site.trimmed().isEmpty()) {
        answer.error = QStringLiteral("Aucun serveur de téléchargement n'est indiqué.");
        return answer;
    }
    if (g_running) {
        answer.error = QStringLiteral("Un téléchargement est déjà en cours.");
        return answer;
    }
    QUrl url(QStringLiteral("http://") + site.trimmed());
    if (url.port() < 0)
        url.setPort(80);
    // The page as typed: its path, and the query after "?" left as it is.
    const qsizetype question = page.indexOf(QLatin1Char('?'));
    const QString path = question < 0 ? page : page.left(question);
    url.setPath(path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path, QUrl::TolerantMode);
    if (question >= 0)
        url.setQuery(page.mid(question + 1), QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty()) {
        answer.error = QStringLiteral("Adresse de téléchargement invalide : %1").arg(site);
        return answer;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, agent);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    g_running = reply;
    // A rate page is a few kilobytes: one past the cap is given up, never held whole in memory.
    reply->setReadBufferSize(kMaxPage + 1);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    bool tooLarge = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        if (reply->bytesAvailable() > kMaxPage && !tooLarge) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    g_running = nullptr;
    answer.cancelled = reply->error() == QNetworkReply::OperationCanceledError && !timedOut && !tooLarge;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    answer.connected = status.isValid();
    answer.status = status.toInt();
    if (reply->isOpen() && !tooLarge)
        answer.body = reply->readAll();
    if (tooLarge)
        answer.error =
            QStringLiteral("La page de %1 dépasse %2 Ko : elle n'a pas été lue.").arg(url.host()).arg(kMaxPage / 1024);
    else if (answer.cancelled)
        answer.error = QStringLiteral("Téléchargement annulé.");
    else if (timedOut)
        answer.error =
            QStringLiteral("Le serveur %1 n'a pas répondu dans les %2 secondes.").arg(url.host()).arg(timeoutMs / 1000);
    else if (reply->error() != QNetworkReply::NoError && !answer.connected)
        answer.error = reply->errorString();
    reply->deleteLater();
    return answer;
}

bool running()
{
    return g_running != nullptr;
}

void cancel()
{
    if (g_running)
        g_running->abort();
}

std::optional<QString> parseDollar(const QByteArray& body)
{
    static const QByteArray kLabel = "US dollar";
    const qsizetype at = body.indexOf(kLabel);
    if (at < 0)
        return std::nullopt;
    const std::optional<Number> rate = numberAfter(body, at + kLabel.size());
    // Text where the rate should be, or a number no dollar is worth (a page gone wrong): keep the one we have.
    if (!rate || !(rate->value >= 1e-3 && rate->value <= 1e3))
        return std::nullopt;
    return rate->text;
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
            qsizetype from = start + at + qstrlen(tag.tag);
            while (from < body.size() && body[from] == ' ')
                ++from;
            const std::optional<Number> rate = numberAt(body, from);
            if (!rate)
                continue;
            // A number too large for the setting (a page gone wrong) is kept as -1: downloadVat refuses it with
            // the percentage, which is outside 0-100 too.
            const double scaled = rate->value * 100 + 1e-9;
            const int value = scaled >= 0 && scaled < 2.0e9 ? static_cast<int>(scaled) : -1;
            rates.push_back({QString::fromLatin1(tag.key), value, rate->value});
        }
    }
    return rates;
}

std::vector<Notice> downloadDollar(double& dollarRate)
{
    std::vector<Notice> notices;
    const Answer answer = get(Settings::get(Settings::dollarSite), Settings::get(Settings::dollarPage),
                              QStringLiteral("Zalbrec Calculette"));
    if (answer.cancelled) {
        dollarRate = Currencies::dollarRate();
        return notices;
    }
    if (!answer.error.isEmpty())
        notices.push_back({answer.error, kFailed});
    bool found = true;
    if (answer.connected && answer.status == 200) {
        const std::optional<QString> rate = parseDollar(answer.body);
        found = rate.has_value();
        if (rate)
            Settings::set(Settings::dollarRate, *rate);
    }
    dollarRate = Currencies::dollarRate();
    if (!answer.connected)
        return notices;
    if (!found)
        notices.push_back(
            {QStringLiteral("Le téléchargement n'a trouvé aucune valeur du dollar US : elle reste inchangée"), kDone,
             Prompt::Icon::Exclamation});
    else
        notices.push_back({QStringLiteral("Le téléchargement de la valeur du dollar US est terminé"), kDone});
    return notices;
}

std::vector<Notice> downloadVat(double& dollarRate)
{
    std::vector<Notice> notices;
    const Answer answer =
        get(Settings::get(Settings::vatSite), Settings::get(Settings::vatPage), QStringLiteral("Zalbrec Tonnelix"));
    if (answer.cancelled) {
        dollarRate = Currencies::dollarRate();
        return notices;
    }
    if (!answer.error.isEmpty())
        notices.push_back({answer.error, kFailed});
    bool refused = false;
    if (answer.connected && answer.status == 200) {
        const std::vector<Vat> rates = parseVat(answer.body);
        // A page that gives a rate no VAT can have is not trusted at all.
        for (const Vat& vat : rates) {
            if (vat.percent < 0 || vat.percent > 100) {
                notices.push_back(
                    {QStringLiteral("Le taux de TVA téléchargé (%1 = %2) n'est pas un pourcentage entre 0 et "
                                    "100 :\naucun taux n'a été enregistré.")
                         .arg(vat.key, LocaleFormat::fixed(vat.percent, 2)),
                     kFailed, Prompt::Icon::Exclamation});
                refused = true;
                break;
            }
        }
        if (!refused) {
            for (const Vat& vat : rates)
                Profile::writeInt(QStringLiteral("Config"), vat.key, vat.value);
        }
    }
    dollarRate = Currencies::dollarRate();
    if (answer.connected && !refused)
        notices.push_back({QStringLiteral("Le téléchargement des taux de TVA est terminé"), kDone});
    return notices;
}

} // namespace RateDownload
