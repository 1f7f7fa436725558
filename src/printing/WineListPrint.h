#pragma once

#include <QString>
#include <vector>

class CellarSession;
class QPagedPaintDevice;

// The printed wine list: every lot in one of seven orders, three lines per lot, a title line with the page
// number and a rule on every page. Drawn on any paged device: a printer, its preview, a PDF file.
namespace WineListPrint {

inline constexpr int kOrders = 7;

struct Lot
{
    QString vintage, owner, type, cru, name, stock;
};

// "LISTE DES VINS (par Nom)" ... for the orders 1 to 7 (nom, millésime, type, cru, stock, robe, appellation).
QString title(int order);
// The lots in that order (label "CellarView::OnPreparePrinting"); ties keep the purchase order.
std::vector<Lot> load(CellarSession& session, int order);

// The title and the page text together on 81 characters: "LISTE ...      Page 3/5".
QString titleLine(int order, int page, int pages);
// Line k of the body (three per lot); a field longer than 99 characters is cut, visibly, with "…".
QString lineText(const std::vector<Lot>& lots, int k);
// Lines per page for a page of deviceHeight and lines of lineHeight: seven lines' room taken off, then
// rounded down to a multiple of 4 (4 at least).
int linesPerPage(int deviceHeight, int lineHeight);
int pageCount(int printedLines, int perPage);

// Draws every page on the device (its first page must be current); the number of pages drawn.
int paint(QPagedPaintDevice& device, const std::vector<Lot>& lots, int order);

// "Courier New" and "Book Antiqua", as the list asks for them, stand for metric-compatible faces here.
void registerFontSubstitutes();

} // namespace WineListPrint
