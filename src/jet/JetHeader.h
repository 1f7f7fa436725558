#pragma once

#include <QByteArray>

// The first page of a Jet database keeps its settings behind a fixed mask (an RC4 key stream); among them the
// database password, itself masked once more in Jet 4 by the file's creation date. A file with a password
// but no encryption has readable pages: the library would open it as if nothing protected it.
namespace JetHeader {

// The header with its masked part in clear (the bytes as they are when shorter than the masked part).
QByteArray unmasked(const QByteArray& firstPage);
// A password is set (any byte of it not zero). False for a header too short to hold one.
bool hasPassword(const QByteArray& firstPage);
// The first page with a password set (the test data of the refusals); Jet 4 takes UTF-16 characters.
QByteArray withPassword(const QByteArray& firstPage, const QByteArray& passwordBytes);

} // namespace JetHeader
