#include "printing/ui/PrintCommands.h"

#include "db/CellarSession.h"
#include "printing/WineListPrint.h"
#include "printing/ui/PrintOrderDialog.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace PrintCommands {

namespace {

// The order, asked first, and the lots in that order; 0 when the user cancels.
int askOrder(QWidget* parent, std::vector<WineListPrint::Lot>& lots)
{
    CellarSession* session = CellarSession::current();
    if (!session)
        return 0;
    PrintOrderDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    WineListPrint::registerFontSubstitutes();
    lots = WineListPrint::load(*session, dialog.order());
    return dialog.order();
}

} // namespace

QPrinter& printer()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void print(QWidget* parent)
{
    std::vector<WineListPrint::Lot> lots;
    const int order = askOrder(parent, lots);
    if (order == 0)
        return;
    QPrintDialog dialog(&printer(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WineListPrint::paint(printer(), lots, order);
}

void preview(QWidget* parent)
{
    std::vector<WineListPrint::Lot> lots;
    const int order = askOrder(parent, lots);
    if (order == 0)
        return;
    QPrintPreviewDialog dialog(&printer(), parent);
    dialog.setWindowTitle(WineListPrint::title(order));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&lots, order](QPrinter* device) { WineListPrint::paint(*device, lots, order); });
    dialog.exec();
}

} // namespace PrintCommands
