#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// Comma-separated values as RFC 4180 writes them: fields with a comma, a quote or a line break are quoted,
// a quote inside is doubled. The reader takes CRLF or LF line ends and line breaks inside quoted fields.
namespace Csv {

// One line of fields, quoted where needed, ended by CRLF.
QString line(const QStringList& fields);

struct Table
{
    std::vector<QStringList> rows; // the header row first
    std::vector<int> lines;        // the line of the file each row starts on
    QString error;                 // empty when the whole text was read
};
// Reads the whole text, or its first maxRows rows; an unbalanced quote or text after a closing quote stops
// it with the line number.
Table read(const QString& text, int maxRows = -1);

// A text cell as a spreadsheet may open it without running it: a cell that begins with "=", "+", "-", "@", a
// tab or a carriage return (after any apostrophes) gets one more apostrophe in front; unprotectedCell takes
// exactly that apostrophe off again, so that the program's own files come back exact.
QString protectedCell(const QString& text);
QString unprotectedCell(const QString& text);

// The text of a file's bytes: UTF-8 (a byte-order mark skipped) when they are valid UTF-8, else Windows-1252.
QString decode(const QByteArray& bytes, bool* wasUtf8 = nullptr);

} // namespace Csv
