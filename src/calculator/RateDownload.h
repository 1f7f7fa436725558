#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The downloads of the dollar rate and the VAT rates, and the reading of their pages.
namespace RateDownload {

struct Answer
{
    bool connected = false; // the server answered
    int status = 0;
    QByteArray body;
    QString error; // empty when the request went through
};

// HTTP GET of page on site ("host" or "host:port"; port 80 by default) with the agent name, giving up
// after timeoutMs.
Answer get(const QString& site, const QString& page, const QString& agent, int timeoutMs = 15000);

// The dollar rate of a page read in 1023-byte parts: in the first part holding "US dollar", the six
// characters from one before the first "." after it. Nothing when no part has it or it is no positive number.
std::optional<QString> parseDollar(const QByteArray& body);

// The VAT rates (x 100) a page gives for each download tag, in the tags' download order, each as its setting
// key and value; a tag followed by no number is passed over.
struct Vat
{
    QString key;
    int value;
};
std::vector<Vat> parseVat(const QByteArray& body);

// The two downloads as the calculator runs them: settings read and written, messages shown.
// Both read "Dollar" back into dollarRate.
void downloadDollar(double& dollarRate);
void downloadVat(double& dollarRate);

} // namespace RateDownload
