#include "app/IconFactory.h"

#include "app/CommandTable.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace IconFactory {

namespace {

QColor familyColour(int id)
{
    switch (id) {
    case Commands::AddWine:
    case Commands::AddCru:
    case Commands::AddAppellation:
    case Commands::AddDish:
    case Commands::AddEstate:
        return QColor(46, 125, 50); // additions: green
    case Commands::ModifyWine:
    case Commands::ModifyCru:
    case Commands::ModifyAppellation:
    case Commands::ModifyDish:
    case Commands::ModifyEstate:
        return QColor(21, 101, 192); // changes: blue
    case Commands::RackView:
    case Commands::RackUpdate:
    case Commands::ReadyToDrinkToolbar:
        return QColor(128, 0, 32); // the cellar itself: wine red
    default:
        return QColor(97, 97, 97);
    }
}

QPixmap tile(int id, const QString& glyph, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(familyColour(id));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 5.0, size / 5.0);
    QFont font;
    font.setBold(true);
    font.setPixelSize(size * 11 / 16);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
    return pixmap;
}

} // namespace

QIcon commandIcon(int commandId, const QString& glyph)
{
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(tile(commandId, glyph, size));
    return icon;
}

} // namespace IconFactory
