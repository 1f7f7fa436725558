#pragma once

#include <QString>

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
