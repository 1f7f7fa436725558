#pragma once

#include "db/Colour.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class CellarSession;

// The reference lists that classify wines, read and written without widgets: wine types with their
// appellations, colours and countries (TYPEVIN), crus (CRUS) and estates per wine type (DOMAINES).
// Every value is a bound parameter; every change runs in one transaction and leaves the cellar as it was
// when it fails. Reads report a failed query through the session (OpenQuery) and give an empty list.
namespace ReferenceLists {

enum class Write
{
    Done,
    Duplicate, // the name is already there (engine error 3022, or found before writing)
    NotFound,  // the row to change is gone
    Failed     // any other failure of the engine
};

// A name that the user may give: not empty and not blank.
bool isName(const QString& name);

// The distinct wine types, sorted without regard to case.
QStringList wineTypes(CellarSession& session, const QString& label);

struct Appellation
{
    QString name;
    std::optional<Colour> colour; // none when the row's code is no colour
    QString nic;
};
// The appellations of a wine type, in table order.
std::vector<Appellation> appellationsOf(CellarSession& session, const QString& label, const QString& type);

// The countries as the dialogs list them: "Nic - Pays", in table order.
QStringList countries(CellarSession& session, const QString& label);

// Every cru name, sorted without regard to case.
QStringList crus(CellarSession& session, const QString& label);

// A new wine type with its first appellation, colour code and country code.
Write createWineType(CellarSession& session, const QString& type, const QString& appellation, const QString& nic,
                     Colour colour);
// Renames a wine type and sets its colour and country, for one appellation or, when appellation is empty,
// for all of them. Duplicate when a renamed row would match a row that exists.
Write modifyWineType(CellarSession& session, const QString& oldType, const QString& appellation, const QString& newType,
                     const QString& nic, Colour colour);

// What a rename of a wine type (one appellation, or all when appellation is empty) carries along.
struct Moved
{
    int lots = 0;
    int appellations = 0;
};
// Nothing when the cellar cannot be read.
std::optional<Moved> countMoved(CellarSession& session, const QString& type, const QString& appellation);

Write addCru(CellarSession& session, const QString& name);
// A further appellation of an existing wine type: a TYPEVIN row with only Type and Appellation.
Write addAppellation(CellarSession& session, const QString& type, const QString& name);
// Gives a cru or an appellation a new name. Lots keep the cru name they were bought with; they refer to
// their appellation by key, so they follow its new name. Duplicate when another row has the new name.
Write renameCru(CellarSession& session, const QString& oldName, const QString& newName);
Write renameAppellation(CellarSession& session, const QString& type, const QString& oldName, const QString& newName);

// The wine types an estate may be given: every wine type, and any type that still has estates.
QStringList estateTypes(CellarSession& session, const QString& label);
// The estates of a wine type, sorted without regard to case.
QStringList estates(CellarSession& session, const QString& label, const QString& type);
Write addEstate(CellarSession& session, const QString& type, const QString& name);
// Deletes one row of the pair; NotFound when there is none.
Write deleteEstate(CellarSession& session, const QString& type, const QString& name);

} // namespace ReferenceLists
