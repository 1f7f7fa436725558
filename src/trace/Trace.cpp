#include "trace/Trace.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRecursiveMutex>

#include <cstdarg>
#include <cstdio>
#include <vector>

Q_LOGGING_CATEGORY(lcTrace, "tonnelix.trace", QtInfoMsg)

namespace {

struct TraceState
{
    bool enabled = false;
    QString fileName;
    QFile file; // open from TraceOpen on, every record flushed at once
    int depth = 0;
    QRecursiveMutex mutex; // a warning raised while a record is written comes back here
    QtMessageHandler previous = nullptr;
    bool handling = false;
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

void writeRecord(const QString& text)
{
    TraceState& s = state();
    if (!s.file.isOpen())
        return;
    s.file.write((recordPrefix() + text + QLatin1Char('\n')).toUtf8());
    s.file.flush();
}

// The trace's own records go to its file only; Qt's warnings and errors go to the file too (while it is
// open), and on to the handler that was there before.
void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    TraceState& s = state();
    const bool ours = context.category && qstrcmp(context.category, lcTrace().categoryName()) == 0;
    {
        QMutexLocker lock(&s.mutex);
        if (ours)
            writeRecord(message);
        else if (s.enabled && type != QtDebugMsg && type != QtInfoMsg)
            writeRecord(QStringLiteral("Qt (%1) : %2")
                            .arg(QString::fromLatin1(context.category ? context.category : "default"), message));
    }
    if (!ours && s.previous)
        s.previous(type, context, message);
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
    {
        QMutexLocker lock(&state().mutex);
        state().fileName = name;
        state().file.close();
        state().file.setFileName(name);
        if (!state().file.open(QIODevice::Append | QIODevice::Text))
            return;
        if (!state().handling) {
            state().handling = true;
            state().previous = qInstallMessageHandler(handleMessage);
        }
    }
    TraceText(QStringLiteral("V2.08"));
    TraceText(QStringLiteral("Tonnelix PC"));
    TraceText(QCoreApplication::applicationFilePath());
    TraceText(QString(46, QLatin1Char('-')));
}

void TraceText(const QString& text)
{
    if (!state().enabled || !state().file.isOpen())
        return;
    qCInfo(lcTrace).noquote() << text;
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
