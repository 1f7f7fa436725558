// CSV files: decoded and read, then imported whole into an empty cellar.
#include "FuzzSupport.h"

#include "db/CellarSession.h"
#include "exchange/Csv.h"
#include "exchange/CsvExchange.h"

#include <QFile>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::initialise();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Csv::Table table = Csv::read(Csv::decode(bytes));
    for (const QStringList& row : table.rows)
        (void)Csv::line(row);
    const QString csv = FuzzSupport::writeScratch(QStringLiteral("file.csv"), data, size);
    const std::unique_ptr<CellarSession> session = FuzzSupport::openEmptyCellar(QStringLiteral("csv-cellar.mdb"));
    if (!session)
        return 0;
    (void)CsvExchange::importFrom(*session, csv);
    return 0;
}
