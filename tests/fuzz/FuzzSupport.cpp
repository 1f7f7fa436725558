#include "FuzzSupport.h"

#include "db/CellarSession.h"
#include "db/SchemaUpgrade.h"
#include "platform/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace FuzzSupport {

namespace {

QTemporaryDir* scratch = nullptr;

} // namespace

void initialise()
{
    if (scratch)
        return;
    static int argc = 1;
    static char name[] = "tonnelix-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    scratch = new QTemporaryDir(base + QStringLiteral("/tonnelix-fuzz-XXXXXX"));
    Profile::useFile(scratch->filePath(QStringLiteral("profile.ini")));
}

QString scratchFile(const QString& name)
{
    initialise();
    return scratch->filePath(name);
}

QString writeScratch(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = scratchFile(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

const QByteArray& emptyCellar()
{
    static const QByteArray bytes = [] {
        const QString path = scratchFile(QStringLiteral("template.mdb"));
        {
            CellarSession session(OpenCellarFile(path, true));
            SchemaUpgrade(session).RunChain();
        }
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    return bytes;
}

std::unique_ptr<CellarSession> openEmptyCellar(const QString& name)
{
    const QString cellar = scratchFile(name);
    QFile::remove(cellar);
    QFile file(cellar);
    if (!file.open(QIODevice::WriteOnly) || file.write(emptyCellar()) < 0)
        return nullptr;
    file.close();
    try {
        return std::make_unique<CellarSession>(OpenCellarFile(cellar, false));
    } catch (const DbError&) {
        return nullptr;
    }
}

} // namespace FuzzSupport
