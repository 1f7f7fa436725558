#include "app/ui/IconFactory.h"

#include "app/CommandTable.h"
#include "widgets/ui/Pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace IconFactory {

namespace {

enum class Badge
{
    None,
    Add,
    Edit
};

struct Picture
{
    const char* subject;
    Badge badge;
};

Picture pictureOf(int id)
{
    switch (id) {
    case Commands::Print:
        return {"print", Badge::None};
    case Commands::AddWine:
        return {"bottle", Badge::Add};
    case Commands::AddCru:
        return {"cru", Badge::Add};
    case Commands::AddAppellation:
        return {"appellation", Badge::Add};
    case Commands::AddDish:
        return {"dish", Badge::Add};
    case Commands::AddEstate:
        return {"estate", Badge::Add};
    case Commands::ModifyWine:
        return {"bottle", Badge::Edit};
    case Commands::ModifyCru:
        return {"cru", Badge::Edit};
    case Commands::ModifyAppellation:
        return {"appellation", Badge::Edit};
    case Commands::ModifyDish:
        return {"dish", Badge::Edit};
    case Commands::ModifyEstate:
        return {"estate", Badge::Edit};
    case Commands::Import:
        return {"import", Badge::None};
    case Commands::Export:
        return {"export", Badge::None};
    case Commands::ReadyToDrink:
    case Commands::ReadyToDrinkToolbar:
        return {"glass", Badge::None};
    case Commands::RackView:
        return {"rack", Badge::None};
    case Commands::RackUpdate:
        return {"rack", Badge::Edit};
    case Commands::Search:
        return {"search", Badge::None};
    case Commands::About:
        return {"about", Badge::None};
    case Commands::ContextHelp:
    case Commands::HelpTopics:
        return {"help", Badge::None};
    default:
        return {nullptr, Badge::None};
    }
}

// Paints the subject, and its badge in the lower right corner, at any size.
class CommandIconEngine final : public QIconEngine
{
public:
    explicit CommandIconEngine(Picture picture) : m_picture(picture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        QSvgRenderer subject(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(m_picture.subject)));
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        subject.render(painter, rect);
        if (m_picture.badge == Badge::None)
            return;
        QSvgRenderer badge(m_picture.badge == Badge::Add ? QStringLiteral(":/toolbar/badge-add.svg")
                                                         : QStringLiteral(":/toolbar/badge-edit.svg"));
        const qreal side = rect.width() * 0.56;
        badge.render(painter, QRectF(rect.right() + 1 - side, rect.bottom() + 1 - side, side, side));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // size is in device pixels (QIcon has already multiplied it by the scale).
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QIconEngine* clone() const override { return new CommandIconEngine(m_picture); }

private:
    Picture m_picture;
};

} // namespace

QIcon commandIcon(int commandId)
{
    Pictures::init(); // the drawings live in the resources
    const Picture picture = pictureOf(commandId);
    if (!picture.subject)
        return QIcon();
    return QIcon(new CommandIconEngine(picture));
}

} // namespace IconFactory
