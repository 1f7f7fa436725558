#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>

class CellarSession;

// What every fuzz target shares: a Qt application object, settings kept in a scratch folder, and a folder
// in memory (/dev/shm when there is one) for the files a target writes.
namespace FuzzSupport {

void initialise();
QString scratchFile(const QString& name);
// Writes the input bytes to a scratch file and returns its path.
QString writeScratch(const QString& name, const uint8_t* data, size_t size);
// A complete empty cellar written once; its bytes, to copy before each run.
const QByteArray& emptyCellar();
// A session on a fresh copy of the empty cellar in the scratch file name; nullptr when it cannot be opened.
std::unique_ptr<CellarSession> openEmptyCellar(const QString& name);

} // namespace FuzzSupport
