#include "support/Fixtures.h"

#include "TestPaths.h"

#include <QCryptographicHash>
#include <QFile>

QString jetFixture(const char* name)
{
    return QStringLiteral(TONNELIX_TEST_DATA "/jet/") + QString::fromLatin1(name);
}

QByteArray fileChecksum(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray();
}

bool alteredCopy(const char* fixture, const QString& path, const std::function<void(QByteArray&)>& change)
{
    QFile whole(jetFixture(fixture));
    if (!whole.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = whole.readAll();
    change(bytes);
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}
