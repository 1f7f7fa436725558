#pragma once

#include <QByteArray>
#include <QString>

// The files the tests read and compare.
// A Jet database of the test data (cellars of the Windows release, another program's database).
QString jetFixture(const char* name);
// The SHA-256 of a file's bytes (empty when it cannot be read): "byte-identical" checks.
QByteArray fileChecksum(const QString& path);
