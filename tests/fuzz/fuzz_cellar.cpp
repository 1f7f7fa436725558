// Database files given as a cellar: opened as the program opens one at start, then upgraded when accepted.
#include "FuzzSupport.h"

#include "db/CellarSession.h"
#include "db/SchemaUpgrade.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::initialise();
    const QString path = FuzzSupport::scratchFile(QStringLiteral("given.mdb"));
    QFile::remove(path + QStringLiteral("-journal"));
    FuzzSupport::writeScratch(QStringLiteral("given.mdb"), data, size);
    try {
        CellarSession session(OpenCellarFile(path, false));
        SchemaUpgrade(session).RunChain();
        session.OpenQuery(QStringLiteral("fuzz"), QStringLiteral("SELECT * FROM CAVE"));
    } catch (const DbError&) {
        // Refused with a message: what is expected of most mutated files.
    }
    return 0;
}
