#pragma once

#include <QString>

// Puts a file and a rename on the disk itself before the program goes on: a copy that is about to take the
// place of a cellar must survive a power cut, not only a killed process.
namespace FileSync {

// Flushes the file's content to the disk; false when the file cannot be opened or flushed.
bool syncFile(const QString& path);

// Renames source to target in one step (same disk), then flushes the folder so that the new name lasts.
bool renameDurably(const QString& source, const QString& target);

} // namespace FileSync
