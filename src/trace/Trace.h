#pragma once

#include <QLoggingCategory>
#include <QString>

// The trace's records are messages of this category; while the file is open, a message handler writes them
// to it, with Qt's own warnings beside them.
Q_DECLARE_LOGGING_CATEGORY(lcTrace)

// The trace log: when switched on, each start writes to a new numbered file and every record is
// stamped with date, time, user name and nesting depth. When off, a record costs one test.

void TraceSetEnabled(bool enabled);
bool TraceEnabled();

// Chooses base + "001" ... "998" + ".Log" (the first that does not exist) and writes the header.
void TraceOpen(const QString& baseName);
// The current log file (empty until TraceOpen has chosen one).
QString TraceFileName();

// Formats with printf rules and appends one record.
void TraceLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Appends one record holding text exactly as given ("%" and all).
void TraceText(const QString& text);

// Nesting depth shown in each record.
void TraceEnter();
void TraceLeave();
int TraceDepth();
