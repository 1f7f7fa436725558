#pragma once

#include <QHash>
#include <QString>
#include <vector>

class Database;

// What the cellar tree shows, read a level at a time so that showing the tree costs the same whatever
// the number of lots. Under the colour roots come the countries, then, grouped by wine type, the type,
// the appellation and the vintage, or, grouped by vintage, the vintage, the type and the appellation.
//
// A node stands for groups of lots: the lots of one wine type row with one colour and, once the
// vintages have been read, one vintage. Siblings are ordered by the smallest lot index under them, and
// nodes whose texts are equal are one node: the tree lists its nodes in the order the lots were entered.
// A lot's colour is its wine type's "Etat"; a lot whose type has no known colour takes the colour of the
// lot entered before it ("Autres" for the first ones), as the cellar has always been shown.
class CellarTree
{
public:
    struct Group
    {
        int colour = 3;
        qint64 type = 0;
        bool split = false; // the vintage is known
        QString vintage;
        qint64 first = 0;
    };
    struct Node
    {
        QString text;
        qint64 first = 0;
        std::vector<Group> groups;
    };

    // Reads the wine types in use and the countries under each colour: one aggregate query (and one
    // more, only for the lots whose type has no known colour).
    CellarTree(Database& db, bool byVintage);

    // The countries under a colour (0 red, 1 white, 2 rosé, 3 others).
    const std::vector<Node>& countries(int colour) const { return m_countries[colour]; }
    // The children of a node at depth 1 (a country), 2 or 3 of the tree below a colour root; nodes at
    // depth 4 have none. Reads the vintages of the node's lots when this level shows them.
    std::vector<Node> children(const std::vector<Group>& groups, int depth);
    bool byVintage() const { return m_byVintage; }
    // The aggregate query behind the first level.
    static QString firstLevelSql();
    // How a vintage shows in the tree.
    static QString vintageText(const QVariant& millesime);

private:
    struct TypeRow
    {
        QString nic, type, appellation;
        bool known = false; // "Etat" is a colour
    };
    std::vector<Group> splitByVintage(const std::vector<Group>& groups);
    QString key(const Group& group, int level) const;

    Database& m_db;
    bool m_byVintage;
    QHash<qint64, TypeRow> m_types;
    std::vector<Node> m_countries[4];
};
