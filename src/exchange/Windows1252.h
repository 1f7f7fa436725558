#pragma once

#include <QByteArray>
#include <QString>

// The Windows-1252 character set of the exchange file: Latin-1 but for 0x80-0x9F, where it has the euro
// sign, typographic quotes, "œ" and a few more.
namespace Windows1252 {

// A character it cannot hold becomes "?"; unencodable counts them.
QByteArray encode(const QString& text, int& unencodable);
QString decode(const QByteArray& bytes);

} // namespace Windows1252
