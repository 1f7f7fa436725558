#pragma once

#include <QString>
#include <cstdio>

namespace Console {

// Writes a line to standard output or error in the user's encoding, flushed at once.
void print(FILE* stream, const QString& text);

} // namespace Console
