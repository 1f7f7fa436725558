#pragma once

#include <QString>
#include <QStringList>

// Splits a text on "/" into twelve fields: runs of "/" count as one separator and separators at the start
// or end give no field; fields past the twelfth are dropped, missing ones are empty.
QStringList SplitSlashFields(const QString& line);

// Splits a text on every "/", keeping empty fields in their places ("a//b" gives "a", "", "b"), any number
// of fields, any length: the exchange file is read this way, field by position.
QStringList SplitSlashFieldsByPosition(const QString& line);
