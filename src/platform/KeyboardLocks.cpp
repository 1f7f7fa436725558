#include "platform/KeyboardLocks.h"

#include <QDir>
#include <QFile>

namespace {

bool lit(const QDir& folder, const QString& led)
{
    QFile brightness(folder.filePath(led + QStringLiteral("/brightness")));
    if (!brightness.open(QIODevice::ReadOnly))
        return false;
    // A few bytes: the light's level in decimal, 0 when off.
    const QByteArray level = brightness.read(16).trimmed();
    bool ok = false;
    return level.toInt(&ok) > 0 && ok;
}

} // namespace

KeyboardLocks KeyboardLocks::read(const QString& ledsFolder)
{
    KeyboardLocks locks;
    const QDir folder(ledsFolder);
    const QStringList leds = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& led : leds) {
        if (led.endsWith(QLatin1String("::capslock")))
            locks.caps = locks.caps || lit(folder, led);
        else if (led.endsWith(QLatin1String("::numlock")))
            locks.num = locks.num || lit(folder, led);
        else if (led.endsWith(QLatin1String("::scrolllock")))
            locks.scroll = locks.scroll || lit(folder, led);
    }
    return locks;
}
