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
    const QString cellar = FuzzSupport::scratchFile(QStringLiteral("csv-cellar.mdb"));
    QFile::remove(cellar);
    QFile file(cellar);
    if (!file.open(QIODevice::WriteOnly) || file.write(FuzzSupport::emptyCellar()) < 0)
        return 0;
    file.close();
    std::unique_ptr<CellarSession> session;
    try {
        session = std::make_unique<CellarSession>(OpenCellarFile(cellar, false));
    } catch (const DbError&) {
        return 0;
    }
    (void)CsvExchange::importFrom(*session, csv);
    return 0;
}
