#include "printing/WineListPrint.h"

#include "db/CellarSession.h"
#include "db/engine/Statement.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

namespace WineListPrint {

namespace {

constexpr int kFieldLength = 99;

QString field(const QString& text)
{
    return text.size() > kFieldLength ? text.left(kFieldLength - 1) + QChar(0x2026) : text;
}

const char* const kRuler = "---------1---------2---------3---------4---------5---------6---------7---------8-";

} // namespace

QString title(int order)
{
    static const char* const titles[kOrders] = {"LISTE DES VINS (par Nom)",        "LISTE DES VINS (par Millésime)",
                                                "LISTE DES VINS (par Type)",       "LISTE DES VINS (par Cru)",
                                                "LISTE DES VINS (par Stock)",      "LISTE DES VINS (par Robe)",
                                                "LISTE DES VINS (par Appellation)"};
    return order >= 1 && order <= kOrders ? QString::fromUtf8(titles[order - 1]) : QString();
}

std::vector<Lot> load(CellarSession& session, int order)
{
    static const char* const orderings[kOrders] = {"CAVE.[Nom vin]", "CAVE.Millesime", "TYPEVIN.Type",       "CAVE.Cru",
                                                   "CAVE.Stock",     "TYPEVIN.Etat",   "TYPEVIN.Appellation"};
    std::vector<Lot> lots;
    if (order < 1 || order > kOrders)
        return lots;
    // The ordering comes from the table above, never from the user.
    const QString sql =
        QStringLiteral("SELECT CAVE.[Nom vin], CAVE.Cru, CAVE.Proprietaire, CAVE.Stock, CAVE.Millesime, "
                       "TYPEVIN.Type FROM TYPEVIN INNER JOIN CAVE ON TYPEVIN.[Index] = CAVE.RelType "
                       "ORDER BY ") +
        QLatin1String(orderings[order - 1]) + QStringLiteral(", CAVE.[Index]");
    try {
        Statement rows(session.database(), sql);
        rows.bind({});
        while (rows.next())
            lots.push_back({QString::number(static_cast<qint16>(rows.integer(4))), rows.text(2), rows.text(5),
                            rows.text(1), rows.text(0), QString::number(static_cast<qint32>(rows.integer(3)))});
    } catch (const DbError& error) {
        CellarSession::reportFailure(QStringLiteral("CTonnelixView::OnPreparePrinting"), error);
        lots.clear();
    }
    return lots;
}

QString titleLine(int order, int page, int pages)
{
    const QString pageText = QStringLiteral("Page %1/%2").arg(page).arg(pages);
    QString line = title(order);
    while (line.size() + pageText.size() < 81)
        line += QLatin1Char(' ');
    return line + pageText;
}

QString lineText(const std::vector<Lot>& lots, int k)
{
    const Lot& lot = lots[static_cast<size_t>(k / 3)];
    const QString four(4, QLatin1Char(' '));
    switch (k % 3) {
    case 0:
        return field(lot.name) + four + field(lot.cru) + four;
    case 1:
        return QString(14, QLatin1Char(' ')) + field(lot.vintage) + four + field(lot.type);
    default:
        return four + field(lot.owner) + four + field(lot.stock);
    }
}

int linesPerPage(int deviceHeight, int lineHeight)
{
    if (lineHeight <= 0)
        return 4;
    int lines = (deviceHeight - 7 * lineHeight) / lineHeight;
    while (lines % 4 != 0)
        --lines;
    return std::max(4, lines);
}

int pageCount(int printedLines, int perPage)
{
    return std::max(1, (printedLines + perPage - 1) / perPage);
}

int paint(QPagedPaintDevice& device, const std::vector<Lot>& lots, int order)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return 0;
    const QFont body(QStringLiteral("Courier New"), 10);
    QFont titleFont(QStringLiteral("Book Antiqua"), 15);
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont, &device);
    const int lineHeight = metrics.height() + metrics.leading();
    const int textWidth = metrics.horizontalAdvance(QString::fromLatin1(kRuler).left(80));
    const int printed = static_cast<int>(lots.size()) * 3;
    const int perPage = linesPerPage(device.height(), lineHeight);
    const int pages = pageCount(printed, perPage);
    const int margin = std::max(0, (device.width() - textWidth) / 2);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            device.newPage();
        painter.setFont(titleFont);
        painter.drawText(margin, 2 * lineHeight, titleLine(order, page, pages));
        const int rule = 2 * lineHeight + (3 * lineHeight) / 2;
        painter.setPen(QPen(Qt::black, std::max(1, lineHeight / 16)));
        painter.drawLine(margin, rule, margin + textWidth, rule);
        painter.setPen(QPen(Qt::black));
        painter.setFont(body);
        const int first = (page - 1) * perPage;
        const int last = std::min(page * perPage - 1, printed - 1);
        for (int k = first; k <= last; ++k)
            painter.drawText(margin, (k - first + 5) * lineHeight, lineText(lots, k));
    }
    return pages;
}

void registerFontSubstitutes()
{
    QFont::insertSubstitutions(
        QStringLiteral("Courier New"),
        {QStringLiteral("Liberation Mono"), QStringLiteral("Nimbus Mono PS"), QStringLiteral("DejaVu Sans Mono")});
    QFont::insertSubstitutions(
        QStringLiteral("Book Antiqua"),
        {QStringLiteral("P052"), QStringLiteral("TeX Gyre Pagella"), QStringLiteral("URW Palladio L")});
}

} // namespace WineListPrint
