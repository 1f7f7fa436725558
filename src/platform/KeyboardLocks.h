#pragma once

#include <QString>

// The caps, num and scroll lock states, as the keyboard's lights show them. Linux publishes each light
// of every keyboard under /sys/class/leds ("input3::capslock"): a lock is on when any keyboard lights it.
// Where nothing is published (no keyboard, another system) every lock reads as off.
struct KeyboardLocks
{
    bool caps = false;
    bool num = false;
    bool scroll = false;

    static KeyboardLocks read(const QString& ledsFolder = QStringLiteral("/sys/class/leds"));
};
