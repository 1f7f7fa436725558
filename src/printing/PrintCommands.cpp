#include "printing/PrintCommands.h"

#include "db/CellarSession.h"
#include "printing/CDChoixImp.h"
#include "printing/WineListPrint.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace PrintCommands {

namespace {

// The order, asked first; 0 when the user cancels.
int askOrder(QWidget* parent)
{
    CDChoixImp dialog(parent);
    return dialog.exec() == QDialog::Accepted ? dialog.order() : 0;
}

} // namespace

QPrinter& printer()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void print(QWidget* parent)
{
    CellarSession* session = CellarSession::current();
    const int order = session ? askOrder(parent) : 0;
    if (order == 0)
        return;
    WineListPrint::registerFontSubstitutes();
    const std::vector<WineListPrint::Lot> lots = WineListPrint::load(*session, order);
    QPrintDialog dialog(&printer(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WineListPrint::paint(printer(), lots, order);
}

void preview(QWidget* parent)
{
    CellarSession* session = CellarSession::current();
    const int order = session ? askOrder(parent) : 0;
    if (order == 0)
        return;
    WineListPrint::registerFontSubstitutes();
    const std::vector<WineListPrint::Lot> lots = WineListPrint::load(*session, order);
    QPrintPreviewDialog dialog(&printer(), parent);
    dialog.setWindowTitle(WineListPrint::title(order));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&lots, order](QPrinter* device) { WineListPrint::paint(*device, lots, order); });
    dialog.exec();
}

} // namespace PrintCommands
