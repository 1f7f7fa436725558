#include "app/ui/SplashScreen.h"

#include "trace/Trace.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QSplashScreen>
#include <QTimer>

namespace SplashScreen {

namespace {

bool g_allowed = true;
QPointer<QSplashScreen> g_splash;

// A key pressed anywhere closes the splash (a click on it closes it by itself).
class KeyCloser : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (g_splash && (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)) {
            g_splash->close();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void AutoriserSplash(bool allowed)
{
    g_allowed = allowed;
}

bool allowed()
{
    return g_allowed;
}

void AfficherSplash(QWidget* parent)
{
    TraceLine("Envoi du Splach");
    // Nothing to show without a screen (tests, pictures drawn offscreen).
    if (!g_allowed || g_splash || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    QPixmap picture(420, 200);
    picture.fill(QColor(243, 244, 186));
    {
        QPainter painter(&picture);
        QIcon(QStringLiteral(":/icons/tonnelix.svg")).paint(&painter, QRect(20, 40, 120, 120));
        QFont font = painter.font();
        font.setPointSize(28);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(128, 0, 32));
        painter.drawText(QRect(150, 40, 260, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tonnelix"));
        font.setPointSize(11);
        font.setBold(false);
        painter.setFont(font);
        painter.drawText(QRect(150, 110, 260, 40), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("L'inventaire de votre cave"));
    }
    auto* splash = new QSplashScreen(picture);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    g_splash = splash;
    static KeyCloser* closer = nullptr;
    if (!closer) {
        closer = new KeyCloser(qApp);
        qApp->installEventFilter(closer);
    }
    splash->show();
    QTimer::singleShot(750, splash, [splash, parent] {
        splash->close();
        if (parent)
            parent->update();
    });
}

} // namespace SplashScreen
