#pragma once

#include <QColor>
#include <QLabel>

class QTimer;

// A label with its own text and background colours, each of which can blink between two colours.
// An invalid QColor stands for the system's colour. Text and background blinking share one timer.
class ColorLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ColorLabel(QWidget* parent = nullptr);
    explicit ColorLabel(const QString& text, QWidget* parent = nullptr);

    void SetTextColour(const QColor& colour = QColor());
    void SetBackColour(const QColor& colour = QColor());
    void SetBlinkTextColours(const QColor& first, const QColor& second);
    void SetBlinkBackColours(const QColor& first, const QColor& second);
    // on = 1 starts blinking; speed 0, 1, 2 give 2000, 1000, 500 ms, any other value is milliseconds.
    void StartTextBlink(int on, int speed);
    void StartBackBlink(int on, int speed);
    // At each blink tick that turns a colour to its second value, notify() is emitted with this
    // message and the control's id, when a window is set.
    void SetNotify(QObject* window, int message = 1024);
    void setControlId(int id) { m_controlId = id; }

    QColor GetTextColour() const;
    QColor GetBackColour() const;
    // The colours painted now (blink colour when blinking).
    QColor currentTextColour() const;
    QColor currentBackColour() const;
    bool isBlinkTimerRunning() const;
    int blinkInterval() const;

Q_SIGNALS:
    void notify(QObject* window, int message, int controlId);

private:
    void init();
    void restartTimer(int on, int speed);
    void onTimer();
    void applyColours();

    QColor m_text;
    QColor m_blinkText[2];
    int m_textBlinking = 0;
    int m_textIndex = 0;
    QColor m_back;
    QColor m_blinkBack[2];
    int m_backBlinking = 0;
    int m_backIndex = 0;
    QObject* m_notifyWindow = nullptr;
    int m_notifyMessage = 1024;
    int m_controlId = 0;
    QTimer* m_timer = nullptr;
};
