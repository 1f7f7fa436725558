#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The lists a new cellar starts with.
namespace ReferenceData {

struct Country
{
    QString code; // two letters, as TYPEVIN.Nic holds it
    QString name; // French name in capitals
};

const std::vector<Country>& countries();
const QStringList& commonCrus();

} // namespace ReferenceData
