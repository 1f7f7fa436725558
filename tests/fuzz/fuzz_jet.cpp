// Jet databases (cellars of the Windows release): read by libmdb from bytes in memory, every table and
// every row, as the conversion reads them. The conversion runs this code in a child process; a crash found
// here is one that a damaged file would cause there.
#include "jet/JetReader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    JetReader reader;
    QString error;
    if (!reader.openBuffer(bytes, &error))
        return 0;
    (void)reader.isJet3();
    (void)reader.isEncrypted();
    for (const QString& table : reader.tables()) {
        (void)reader.rowCount(table);
        qint64 rows = 0;
        reader.readTable(
            table, [&rows](const QList<JetReader::Column>&, const QVariantList& values) { rows += values.size(); },
            &error);
    }
    return 0;
}
