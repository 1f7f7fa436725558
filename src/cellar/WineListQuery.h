#pragma once

#include "db/Colour.h"

#include <QString>
#include <QVariantList>
#include <vector>

class CellarSession;

// One row of the wine list: a lot of CAVE with what it needs of its TYPEVIN row.
struct WineRow
{
    qint64 index = 0;            // CAVE.Index
    Colour colour = Colour::Red; // its type's; red when the type says none
    QString relPlats;
    QString temperature;
    QString nic;
    int vintage = 0;
    QString cru;
    QString type;
    QString appellation;
    QString proprietaire;
    QString nomVin;
    double nbrAchat = 0;
    QString contenance;
    double prixAchat = 0;
    qint64 stock = 0;
    QString dateAchat;
    int keeping = 0; // years; 99: none
};

// What the path of a tree node adds to its selection, so that the list shows exactly the lots counted under
// the node: the colour root, the country and, above a vintage, the wine type. Empty parts add nothing.
struct NodePath
{
    QString colour; // a root's word: "Rouge", "Blanc", "Rose", "Autres"
    QString country;
    bool hasCountry = false; // a country node may be empty (a type without Nic)
    QString type;
};

// The selection of the wine list for a node of the cellar tree.
struct WineListQuery
{
    QString sql;
    QVariantList values;
    QString vinText;         // what the "Vin" box shows: the first value, colour converted
    QString appellationText; // what the "Applellation" box shows: the second value
    bool valid = false;

    // mode 1: a0 type, a1 appellation; 2: a0 appellation, a2 vintage; 3: a0 colour, a2 vintage;
    // 5: a0 colour, a1 type, a2 vintage, a3 appellation; 6: a0 type, a2 vintage; 7: a0 colour, a1 type.
    static WineListQuery build(const QString& a0, const QString& a1, const QString& a2, const QString& a3, int mode,
                               const NodePath& path = {});
    // "Rouge" -> "0", "Blanc" -> "1", "Rose" -> "2", "Autres" -> "3"; any other text as it is.
    static QString colourCode(const QString& colour);

    // Runs the query; an empty list when it fails or finds nothing.
    std::vector<WineRow> load(CellarSession& session,
                              const QString& label = QStringLiteral("Cpage1::OnMajListeVin")) const;
    // The select list and join of every wine list, to be followed by a WHERE part.
    static const QString& selectClause();
};
