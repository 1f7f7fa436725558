#pragma once

#include <QString>

// What a file from outside must be before it is opened: a regular file. A pipe with no writer would hang the
// reading, a device would be read endlessly, a folder is no file.
namespace InputFile {

// Empty when path is a regular file (a link to one included); otherwise why it is not read, in French.
QString refusal(const QString& path);

} // namespace InputFile
