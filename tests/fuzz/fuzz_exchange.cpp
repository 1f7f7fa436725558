// The pocket device's exchange file: every line decoded and split, then the whole file imported into an
// empty cellar, beside its wines and in their place.
#include "FuzzSupport.h"

#include "db/CellarSession.h"
#include "db/SlashFields.h"
#include "exchange/ExchangeFile.h"
#include "exchange/Windows1252.h"

#include <QFile>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::initialise();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& line : bytes.split('\n')) {
        const QString text = Windows1252::decode(line);
        (void)SplitSlashFieldsByPosition(text);
        int unencodable = 0;
        (void)Windows1252::encode(text, unencodable);
    }
    const QString exchange = FuzzSupport::writeScratch(QStringLiteral("exchange.txt"), data, size);
    const std::unique_ptr<CellarSession> session = FuzzSupport::openEmptyCellar(QStringLiteral("cellar.mdb"));
    if (!session)
        return 0;
    const bool replace = size > 0 && (data[0] & 1);
    const ExchangeFile::Result result = ExchangeFile::importFrom(*session, exchange, replace);
    (void)ExchangeFile::report(result);
    return 0;
}
