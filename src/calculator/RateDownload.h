#pragma once

#include "platform/Prompt.h"

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
    QString error;          // empty when the request went through
    bool cancelled = false; // stopped by cancel()
};

// HTTP GET of page on site ("host" or "host:port"; port 80 by default) with the agent name, giving up
// after timeoutMs.
// The page is taken as typed, a query after "?" included. One download at a time: a second one asked for while
// one runs is refused with an error.
Answer get(const QString& site, const QString& page, const QString& agent, int timeoutMs = 15000);
// True while a download runs; cancel() stops it (its answer is then marked cancelled).
bool running();
void cancel();

// The dollar rate of a page: the first complete number after the first "US dollar", whatever tags and
// entities stand between them (at most a few words of text), as text with "." for the decimal point.
// Nothing when there is no label, no number after it, or a number that is not positive.
std::optional<QString> parseDollar(const QByteArray& body);

// The VAT rates (x 100) a page read in 1023-byte parts gives for each download tag, in the tags' download order
// within each part, each as its setting key and value; a tag followed by no number is passed over. The whole
// number after a tag is read ("19.60", "19,6"); downloadVat refuses the page when one is not a percentage.
struct Vat
{
    QString key;
    int value;
    double percent;
};
std::vector<Vat> parseVat(const QByteArray& body);

// The two downloads as the calculator runs them: settings read and written, messages shown.
// Both read "Dollar" back into dollarRate.
// What a download has to tell the user, in order: the page shows each in a message box.
struct Notice
{
    QString text;
    QString caption;
    Prompt::Icon icon = Prompt::Icon::None;
};
std::vector<Notice> downloadDollar(double& dollarRate);
std::vector<Notice> downloadVat(double& dollarRate);

} // namespace RateDownload
