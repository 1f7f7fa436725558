#pragma once

#include "reference/ReferenceLists.h"

#include <QString>
#include <vector>

class CellarSession;

// The facts kept per TYPEVIN row (wine type and appellation) for the library page and its editor.
namespace Library {

// The attribute codes of the editor, in the order of the page's buttons' meaning.
enum Attribute
{
    Grapes = 1,      // Raisin
    Soil = 2,        // Terroir
    Character = 3,   // Caracteres
    Vintages = 4,    // Millesimesremarquables
    Area = 5,        // Superficie
    Dishes = 6,      // RelPlats
    Keeping = 7,     // Garde
    Temperature = 8, // Temperature
};
// The TYPEVIN field of an attribute code; empty for any other code.
QString field(int attribute);

struct Row
{
    QString type;
    QString appellation;
    QString garde;
};
// Every TYPEVIN row, in table order.
std::vector<Row> rows(CellarSession& session, const QString& label);

struct Facts
{
    bool found = false;
    QString raisin, terroir, caracteres, millesimes, superficie, garde, temperature, nic, relPlats;
    QString value(int attribute) const;
};
// The facts of the first row of that wine type and appellation.
Facts facts(CellarSession& session, const QString& label, const QString& type, const QString& appellation);

// Writes one fact to the first row of that wine type and appellation (NotFound when there is none).
ReferenceLists::Write setFact(CellarSession& session, const QString& type, const QString& appellation, int attribute,
                              const QString& value);

// The serving temperature "min-max" from two bounds "08" to "25"; the bounds are compared as numbers.
struct TemperatureRange
{
    QString minimum;
    QString maximum;
};
TemperatureRange splitTemperature(const QString& text);

} // namespace Library
