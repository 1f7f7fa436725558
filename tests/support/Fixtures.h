#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The files the tests read and compare.
// A Jet database of the test data (cellars of the Windows release, another program's database).
QString jetFixture(const char* name);
// The SHA-256 of a file's bytes (empty when it cannot be read): "byte-identical" checks.
QByteArray fileChecksum(const QString& path);
// Writes to path the bytes of a Jet fixture as change leaves them (a cut, a damaged or a protected copy);
// false when the fixture cannot be read or path cannot be written.
bool alteredCopy(const char* fixture, const QString& path, const std::function<void(QByteArray&)>& change);
