#pragma once

#include "exchange/ImportResult.h"

#include <QString>
#include <QStringList>

class CellarSession;

// The cellar as a CSV file (UTF-8, a header row, one row per lot), written and read back. The import maps
// the columns by their header names, whatever their order, and runs in one transaction: a row that cannot
// be read refuses the whole file, with its line, and nothing is written.
namespace CsvExchange {

// The header of our own export, in its order.
QStringList columns();

using Result = ImportResult;

Result exportTo(CellarSession& session, const QString& path);

// Reads the file's header only: which columns would be used and which passed over.
Result inspect(const QString& path);
Result importFrom(CellarSession& session, const QString& path);

} // namespace CsvExchange
