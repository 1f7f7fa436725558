#include "trace/Trace.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

struct TraceState
{
    bool enabled = false;
    QString fileName;
    int depth = 0;
};

TraceState& state()
{
    static TraceState s;
    return s;
}

QString userName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("LOGNAME");
    if (name.isEmpty())
        return QStringLiteral("NONE");
    return name.left(260);
}

// "dd/mm/yy - hh:mm:ss", the user right-aligned in 16, a blank, the depth in 2, " | ", 2 x depth blanks
// and a no-break space.
QString recordPrefix()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d - %2d:%02d:%02d", d.day(), d.month(), d.year() % 100, t.hour(),
                  t.minute(), t.second());
    const int depth = state().depth;
    QString prefix = QString::fromLatin1(stamp);
    prefix += userName().rightJustified(16, QLatin1Char(' '));
    prefix += QLatin1Char(' ');
    prefix += QString::number(depth).rightJustified(2, QLatin1Char(' '));
    prefix += QStringLiteral(" | ");
    prefix += QString(qMax(0, 2 * depth), QLatin1Char(' '));
    prefix += QChar(0x00A0);
    return prefix;
}

} // namespace

void TraceSetEnabled(bool enabled)
{
    state().enabled = enabled;
}

bool TraceEnabled()
{
    return state().enabled;
}

QString TraceFileName()
{
    return state().fileName;
}

void TraceOpen(const QString& baseName)
{
    if (!state().enabled)
        return;
    QString name;
    for (int n = 1; n <= 998; ++n) {
        name = QStringLiteral("%1%2.Log").arg(baseName).arg(n, 3, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(name))
            break;
    }
    state().fileName = name;
    TraceText(QStringLiteral("V2.08"));
    TraceText(QStringLiteral("Tonnelix PC"));
    TraceText(QCoreApplication::applicationFilePath());
    TraceText(QString(46, QLatin1Char('-')));
}

void TraceText(const QString& text)
{
    if (!state().enabled || state().fileName.isEmpty())
        return;
    QFile file(state().fileName);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return;
    file.write((recordPrefix() + text + QLatin1Char('\n')).toUtf8());
}

void TraceLine(const char* format, ...)
{
    if (!state().enabled)
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) + 1 : 1, '\0');
    if (size > 0)
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    TraceText(QString::fromUtf8(buffer.data()));
}

void TraceEnter()
{
    ++state().depth;
}

void TraceLeave()
{
    if (state().depth > 0)
        --state().depth;
}

int TraceDepth()
{
    return state().depth;
}
