#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The real program, run as a user scripts it: no display, no platform plugin chosen (a window would fail),
// optionally with settings and data folders of its own under home.
struct ProgramRun
{
    int status = -100; // the exit code; -100 when it did not end in time, -200 when it crashed
    QByteArray out;
    QByteArray err;
    QByteArray both() const { return out + err; }
};

ProgramRun runProgram(const QStringList& arguments, const QString& home = QString());
