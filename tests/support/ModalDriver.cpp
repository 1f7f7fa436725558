#include "support/ModalDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace {

void poll(std::shared_ptr<std::function<void(QWidget*)>> action, std::shared_ptr<QElapsedTimer> clock, int timeoutMs,
          QWidget* before)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != before && modal->isVisible()) {
        (*action)(modal);
        return;
    }
    if (clock->elapsed() > timeoutMs) {
        QTest::qFail("no modal dialog appeared", __FILE__, __LINE__);
        return;
    }
    QTimer::singleShot(10, [=] { poll(action, clock, timeoutMs, before); });
}

} // namespace

void onNextModal(std::function<void(QWidget*)> action, int timeoutMs)
{
    auto shared = std::make_shared<std::function<void(QWidget*)>>(std::move(action));
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QWidget* before = QApplication::activeModalWidget();
    QTimer::singleShot(0, [=] { poll(shared, clock, timeoutMs, before); });
}
