#pragma once

#include <QString>

// Where an export may write: a new file, or a regular file that is there. A device, a pipe, a folder or a
// link to one of them is never written (an export onto /dev/null must not replace it with a file).
namespace OutputFile {

// Empty when path may be written; otherwise why not, in French.
QString refusal(const QString& path);

} // namespace OutputFile
