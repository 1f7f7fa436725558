#include "widgets/ui/ColorLabel.h"

#include <QApplication>
#include <QTimer>

ColorLabel::ColorLabel(QWidget* parent) : QLabel(parent)
{
    init();
}

ColorLabel::ColorLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    init();
}

void ColorLabel::init()
{
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &ColorLabel::onTimer);
    applyColours();
}

QColor ColorLabel::GetTextColour() const
{
    return m_text.isValid() ? m_text : QApplication::palette().color(QPalette::ButtonText);
}

QColor ColorLabel::GetBackColour() const
{
    return m_back.isValid() ? m_back : QApplication::palette().color(QPalette::Button);
}

QColor ColorLabel::currentTextColour() const
{
    if (m_textBlinking == 1) {
        const QColor c = m_blinkText[m_textIndex];
        return c.isValid() ? c : QApplication::palette().color(QPalette::ButtonText);
    }
    return GetTextColour();
}

QColor ColorLabel::currentBackColour() const
{
    if (m_backBlinking == 1) {
        const QColor c = m_blinkBack[m_backIndex];
        return c.isValid() ? c : QApplication::palette().color(QPalette::Button);
    }
    return GetBackColour();
}

void ColorLabel::applyColours()
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

void ColorLabel::SetTextColour(const QColor& colour)
{
    m_text = colour;
    applyColours();
}

void ColorLabel::SetBackColour(const QColor& colour)
{
    m_back = colour;
    applyColours();
}

void ColorLabel::SetBlinkTextColours(const QColor& first, const QColor& second)
{
    m_blinkText[0] = first;
    m_blinkText[1] = second;
}

void ColorLabel::SetBlinkBackColours(const QColor& first, const QColor& second)
{
    m_blinkBack[0] = first;
    m_blinkBack[1] = second;
    applyColours();
}

void ColorLabel::restartTimer(int on, int speed)
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

void ColorLabel::StartTextBlink(int on, int speed)
{
    m_textBlinking = on;
    m_textIndex = 0;
    restartTimer(on, speed);
    applyColours();
}

void ColorLabel::StartBackBlink(int on, int speed)
{
    m_backBlinking = on;
    m_backIndex = 0;
    restartTimer(on, speed);
    applyColours();
}

void ColorLabel::SetNotify(QObject* window, int message)
{
    m_notifyWindow = window;
    m_notifyMessage = message;
}

bool ColorLabel::isBlinkTimerRunning() const
{
    return m_timer->isActive();
}

int ColorLabel::blinkInterval() const
{
    return m_timer->interval();
}

void ColorLabel::onTimer()
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
