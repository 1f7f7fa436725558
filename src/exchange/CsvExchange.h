#pragma once

#include <QString>
#include <QStringList>

class CellarSession;

// The cellar as a CSV file (UTF-8, a header row, one row per lot), written and read back. The import maps
// the columns by their header names, whatever their order, and runs in one transaction: a row that cannot
// be read refuses the whole file, with its line, and nothing is written.
namespace CsvExchange {

// The header of our own export, in its order.
QStringList columns();

struct Result
{
    bool ok = false;
    QString message;        // what went wrong, or the summary of what was done, in French
    int lots = 0;           // lots written (export) or created (import)
    qint64 bottles = 0;     // bottles in stock of the lots created
    int newTypes = 0;       // wine type and appellation pairs created
    QStringList recognised; // the file's columns that the import uses
    QStringList ignored;    // the file's columns it passes over
};

Result exportTo(CellarSession& session, const QString& path);

// Reads the file's header only: which columns would be used and which passed over.
Result inspect(const QString& path);
Result importFrom(CellarSession& session, const QString& path);

} // namespace CsvExchange
