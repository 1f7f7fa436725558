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
