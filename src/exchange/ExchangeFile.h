#pragma once

#include <QString>
#include <functional>

class CellarSession;

// The exchange file of the pocket device: one wine per line, fields separated by "/", Windows-1252, every
// line ended by 0D 0D 0A:
//   date (YYYYMMDD) / vintage / wine type / appellation / cru / name / bought / stock / price of one bottle /
//   total price / Euro
// A lot without a purchase date is written with the date 00000000, which reads back as no date.
namespace ExchangeFile {

// Percent done, 0 to 100; called as the records go (the caller may keep its window responsive there).
using Progress = std::function<void(int percent)>;

struct Result
{
    bool ok = false;
    QString message;      // the final message, or what went wrong (in French)
    int records = 0;      // lines written or wines added
    int typesCreated = 0; // import: wine types created for lines that named none
    int slashes = 0;      // export: wines whose texts held "/" (written as "-")
    int unencodable = 0;  // export: characters Windows-1252 cannot hold (written as "?")
};

// The final message with what the user should know: types created, "/" written as "-", characters that
// Windows-1252 cannot hold.
QString report(const Result& result);

// The wine types as the pocket program names them, and back.
QString toFile(const QString& type);
QString toCellar(const QString& type);

// Appends every wine of the cellar to the file, which is created if missing.
Result exportTo(CellarSession& session, const QString& path, const Progress& progress = {});
// Reads every line of the file and adds its wines, after deleting the cellar's wines when replace is set.
// The file is checked whole first; the import is one transaction: a refused or failed import leaves the
// cellar as it was.
Result importFrom(CellarSession& session, const QString& path, bool replace, const Progress& progress = {});

} // namespace ExchangeFile
