#pragma once

#include "reference/ReferenceLists.h"

#include <QString>
#include <optional>
#include <vector>

class CellarSession;

// The reference list of dishes (PLATS) and the dishes suggested with a wine type (TYPEVIN.RelPlats).
// RelPlats is a run of entries "*" + IndexPlats + ",", any number of them: "*3,*12,*7,". A dish is always
// named by its index, so that dishes of the same name and renamed dishes stay the one chosen.
namespace Dishes {

struct Dish
{
    qint64 index = 0;
    QString name;
    bool operator==(const Dish&) const = default;
};

// The indexes of a RelPlats text, in order, repeats kept; empty entries and entries that are not a number
// after their first character are passed over. Empty or blank text: no dish.
std::vector<qint64> decode(const QString& relPlats);
QString encode(const std::vector<qint64>& indexes);

// Every dish, sorted by name without regard to case (then by index).
std::vector<Dish> all(CellarSession& session, const QString& label);
// The dishes of a RelPlats text, in its order; entries whose dish no longer exists are left out.
std::vector<Dish> of(CellarSession& session, const QString& label, const QString& relPlats);
// The names of the dishes of a RelPlats text, each followed by separator ("; " on the library page).
QString names(CellarSession& session, const QString& label, const QString& relPlats, const QString& separator);

// A new dish; its index, or 0 when the write failed.
qint64 add(CellarSession& session, const QString& name);
ReferenceLists::Write rename(CellarSession& session, qint64 index, const QString& name);
// How many TYPEVIN rows suggest the dish; nothing when the cellar cannot be read.
std::optional<int> suggestedBy(CellarSession& session, qint64 index);
// Deletes the dish and takes it out of every RelPlats that names it, in one transaction.
ReferenceLists::Write remove(CellarSession& session, qint64 index);

struct Wine
{
    QString type;
    QString appellation;
};
// The TYPEVIN rows that suggest a dish, in table order; a row that names it twice is listed twice.
std::vector<Wine> winesFor(CellarSession& session, const QString& label, qint64 index);

} // namespace Dishes
