#include "support/ModalDriver.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {

// Waits for the next modal window to be shown, then hands it to the action from inside its own event loop.
class ModalWatcher : public QObject
{
public:
    ModalWatcher(std::function<void(QWidget*)> action, int timeoutMs)
        : m_action(std::move(action)), m_before(QApplication::activeModalWidget())
    {
        qApp->installEventFilter(this);
        m_timeout.setSingleShot(true);
        connect(&m_timeout, &QTimer::timeout, this, [this] {
            qApp->removeEventFilter(this);
            QTest::qFail("no modal dialog appeared", __FILE__, __LINE__);
            deleteLater();
        });
        m_timeout.start(timeoutMs);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow() || widget->windowModality() == Qt::NonModal || widget == m_before)
            return false;
        qApp->removeEventFilter(this);
        m_timeout.stop();
        // Shown, the dialog enters its loop: the action runs there, as a user's click would.
        QPointer<QWidget> modal(widget);
        QTimer::singleShot(0, widget, [this, modal] {
            if (modal)
                m_action(modal);
            deleteLater();
        });
        return false;
    }

private:
    std::function<void(QWidget*)> m_action;
    QPointer<QWidget> m_before;
    QTimer m_timeout;
};

} // namespace

void onNextModal(std::function<void(QWidget*)> action, int timeoutMs)
{
    new ModalWatcher(std::move(action), timeoutMs);
}
