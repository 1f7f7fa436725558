#include "pages/controls/CColorStaticST.h"

#include <QApplication>
#include <QTimer>

CColorStaticST::CColorStaticST(QWidget* parent) : QLabel(parent)
{
    init();
}

CColorStaticST::CColorStaticST(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    init();
}

void CColorStaticST::init()
{
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &CColorStaticST::onTimer);
    applyColours();
}

QColor CColorStaticST::GetTextColour() const
{
    return m_text.isValid() ? m_text : QApplication::palette().color(QPalette::ButtonText);
}

QColor CColorStaticST::GetBackColour() const
{
    return m_back.isValid() ? m_back : QApplication::palette().color(QPalette::Button);
}

QColor CColorStaticST::currentTextColour() const
{
    if (m_textBlinking == 1) {
        const QColor c = m_blinkText[m_textIndex];
        return c.isValid() ? c : QApplication::palette().color(QPalette::ButtonText);
    }
    return GetTextColour();
}

QColor CColorStaticST::currentBackColour() const
{
    if (m_backBlinking == 1) {
        const QColor c = m_blinkBack[m_backIndex];
        return c.isValid() ? c : QApplication::palette().color(QPalette::Button);
    }
    return GetBackColour();
}

void CColorStaticST::applyColours()
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, currentTextColour());
    p.setColor(QPalette::Text, currentTextColour());
    const bool ownBackground = m_back.isValid() || m_backBlinking == 1;
    if (ownBackground)
        p.setColor(QPalette::Window, currentBackColour());
    setAutoFillBackground(ownBackground);
    setPalette(p);
    update();
}

void CColorStaticST::SetTextColour(const QColor& colour)
{
    m_text = colour;
    applyColours();
}

void CColorStaticST::SetBackColour(const QColor& colour)
{
    m_back = colour;
    applyColours();
}

void CColorStaticST::SetBlinkTextColours(const QColor& first, const QColor& second)
{
    m_blinkText[0] = first;
    m_blinkText[1] = second;
}

void CColorStaticST::SetBlinkBackColours(const QColor& first, const QColor& second)
{
    m_blinkBack[0] = first;
    m_blinkBack[1] = second;
    applyColours();
}

void CColorStaticST::restartTimer(int on, int speed)
{
    m_timer->stop();
    if (on != 1)
        return;
    int period = speed;
    if (speed == 0)
        period = 2000;
    else if (speed == 1)
        period = 1000;
    else if (speed == 2)
        period = 500;
    m_timer->start(qMax(1, period));
}

void CColorStaticST::StartTextBlink(int on, int speed)
{
    m_textBlinking = on;
    m_textIndex = 0;
    restartTimer(on, speed);
    applyColours();
}

void CColorStaticST::StartBackBlink(int on, int speed)
{
    m_backBlinking = on;
    m_backIndex = 0;
    restartTimer(on, speed);
    applyColours();
}

void CColorStaticST::SetNotify(QObject* window, int message)
{
    m_notifyWindow = window;
    m_notifyMessage = message;
}

bool CColorStaticST::isBlinkTimerRunning() const
{
    return m_timer->isActive();
}

int CColorStaticST::blinkInterval() const
{
    return m_timer->interval();
}

void CColorStaticST::onTimer()
{
    if (m_textBlinking == 1)
        m_textIndex ^= 1;
    if (m_backBlinking == 1)
        m_backIndex ^= 1;
    if (m_textBlinking != 1 && m_backBlinking != 1)
        return;
    applyColours();
    if (m_notifyWindow && (m_textIndex == 1 || m_backIndex == 1))
        Q_EMIT notify(m_notifyWindow, m_notifyMessage, m_controlId);
}
