#pragma once

#include <optional>

#include "rack/RackGrid.h"

#include <QString>
#include <array>
#include <vector>

class CellarSession;

// The positions of bottles in the racks (table RAYONNAGE).
namespace RackStore {

// For each cell of a loaded rack: the position row shown there and its wine (0: none).
struct CellOwner
{
    qint64 rowid = 0;
    qint64 wine = 0;
};
using CellOwners = std::array<std::array<CellOwner, RackGrid::kMax + 1>, RackGrid::kMax + 1>;

// The rack holding a bottle of the wine; 1 when it has none.
int findRack(CellarSession& session, qint64 wine);

// Loads a rack's bottles into grid (states by colour; the searched wine's bottles marked when
// markWine is not 0) and owners. Returns false when the query cannot be opened (nothing changed).
// wineFound tells whether a bottle of markWine is in the rack.
bool loadRack(CellarSession& session, const QString& label, int rack, qint64 markWine, RackGrid& grid,
              CellOwners& owners, bool* wineFound = nullptr);

// "Nom - Type - Appellation - Millesime" of the bottle at a cell; empty when none; "Inconnu" when the
// query cannot be opened.
QString describeCell(CellarSession& session, const QString& label, int rack, int column, int row);

// Whether the wine lot exists.
bool wineExists(CellarSession& session, qint64 wine);

struct Change
{
    int column = 0;
    int row = 0;
    qint64 addWine = 0;     // a bottle of this wine is placed in the cell
    qint64 removeRowid = 0; // this position row is deleted
};

enum class Outcome
{
    Written,
    AddFailed,
    RemoveFailed
};

// Writes every change in one transaction: all of them, or none.
Outcome apply(CellarSession& session, const QString& label, int rack, const std::vector<Change>& changes);

// A lot as the manual update lists it: its wine type's colour code, name, appellation, vintage and index.
struct PlaceableWine
{
    Colour colour = Colour::Red;
    QString name;
    QString appellation;
    int vintage = 0;
    qint64 index = 0;
};
// Every lot whose wine type exists, in the order of their index; nothing when the query failed (reported).
std::vector<PlaceableWine> placeableWines(CellarSession& session, const QString& label);

// The lot's stock; nothing when it is not there or the query failed (reported).
std::optional<qint64> stockOf(CellarSession& session, const QString& label, qint64 wine);

// The positions of a wine: in all racks, and in one rack.
struct Placed
{
    int total = 0;
    std::vector<RackGrid::Cell> inRack;
};
Placed placedBottles(CellarSession& session, const QString& label, qint64 wine, int rack);

} // namespace RackStore
