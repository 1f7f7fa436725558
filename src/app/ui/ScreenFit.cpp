#include "app/ui/ScreenFit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace ScreenFit {

QRect within(const QRect& frame, const QRect& available, const QSize& leastFrame)
{
    QRect fitted = frame;
    fitted.setWidth(std::max(std::min(frame.width(), available.width()), leastFrame.width()));
    fitted.setHeight(std::max(std::min(frame.height(), available.height()), leastFrame.height()));
    // Inside the area: the top left corner first, so that a title bar never leaves the screen.
    if (fitted.right() > available.right())
        fitted.moveRight(available.right());
    if (fitted.bottom() > available.bottom())
        fitted.moveBottom(available.bottom());
    if (fitted.left() < available.left())
        fitted.moveLeft(available.left());
    if (fitted.top() < available.top())
        fitted.moveTop(available.top());
    return fitted;
}

namespace {

class Watcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        const Qt::WindowType type = window->windowType();
        if (!window->isWindow() || (type != Qt::Window && type != Qt::Dialog) || window->isMaximized() ||
            window->isFullScreen() || !window->screen())
            return false;
        const QRect available = window->screen()->availableGeometry();
        const QRect frame = window->frameGeometry();
        if (available.contains(frame))
            return false;
        const QSize margins = frame.size() - window->size();
        const QRect fitted = within(frame, available, window->minimumSizeHint() + margins);
        window->resize(fitted.size() - margins);
        window->move(fitted.topLeft());
        return false;
    }
};

} // namespace

void install()
{
    static QPointer<Watcher> watcher; // goes with the application that owns it
    if (watcher && watcher->parent() == QCoreApplication::instance())
        return;
    watcher = new Watcher(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watcher);
}

} // namespace ScreenFit
