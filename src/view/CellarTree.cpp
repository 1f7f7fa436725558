#include "view/CellarTree.h"

#include "db/Colour.h"

#include "db/engine/Database.h"
#include "db/engine/Statement.h"

#include <QVariant>
#include <algorithm>
#include <functional>
#include <iterator>

namespace {

// The colour of a lot whose type has none: that of the nearest lot before it whose type has one.
const char* const kCarriedColour =
    "coalesce((SELECT t2.Etat FROM CAVE c2 INNER JOIN TYPEVIN t2 ON t2.[Index] = c2.RelType "
    "WHERE c2.[Index] < c.[Index] AND t2.Etat IN ('0', '1', '2', '3') ORDER BY c2.[Index] DESC LIMIT 1), '3')";

// Types are asked for by lists of bound values, a few hundred at a time.
constexpr int kTypesPerQuery = 500;

// Runs the query once for each slice of the types: `sql` has "%1" where the list of their placeholders goes,
// and `row` is called for each row of the results.
void forTypes(Database& db, const std::vector<qint64>& types, const QString& sql,
              const std::function<void(Statement&)>& row)
{
    for (size_t from = 0; from < types.size(); from += kTypesPerQuery) {
        const size_t count = std::min<size_t>(kTypesPerQuery, types.size() - from);
        QVariantList values;
        QString marks;
        for (size_t i = from; i < from + count; ++i) {
            values << types[i];
            marks += i == from ? QStringLiteral("?") : QStringLiteral(", ?");
        }
        Statement rows(db, sql.arg(marks));
        rows.bind(values);
        while (rows.next())
            row(rows);
    }
}

// The root of a type's colour code (Colour's value); -1 for a code that is no colour.
int colourOf(const QString& etat)
{
    const std::optional<Colour> colour = ColourCode::fromStored(etat);
    return colour ? static_cast<int>(*colour) : -1;
}

// Merges the groups into nodes by text, in the order of their first lots.
std::vector<CellarTree::Node> gather(const std::vector<CellarTree::Group>& groups,
                                     const std::function<QString(const CellarTree::Group&)>& text)
{
    std::vector<CellarTree::Node> nodes;
    QHash<QString, size_t> at;
    for (const CellarTree::Group& group : groups) {
        const QString t = text(group);
        auto found = at.constFind(t);
        if (found == at.constEnd()) {
            found = at.insert(t, nodes.size());
            nodes.push_back({t, group.first, {}});
        }
        CellarTree::Node& node = nodes[found.value()];
        node.first = std::min(node.first, group.first);
        node.groups.push_back(group);
    }
    std::sort(nodes.begin(), nodes.end(),
              [](const CellarTree::Node& a, const CellarTree::Node& b) { return a.first < b.first; });
    for (CellarTree::Node& node : nodes)
        std::sort(node.groups.begin(), node.groups.end(),
                  [](const CellarTree::Group& a, const CellarTree::Group& b) { return a.first < b.first; });
    return nodes;
}

} // namespace

QString CellarTree::firstLevelSql()
{
    return QStringLiteral("SELECT t.[Index], t.Etat, t.Nic, t.Type, t.Appellation, g.first FROM "
                          "(SELECT RelType, min([Index]) AS first FROM CAVE GROUP BY RelType) g "
                          "INNER JOIN TYPEVIN t ON t.[Index] = g.RelType");
}

QString CellarTree::vintageText(const QVariant& millesime)
{
    return QString::number(static_cast<qint16>(millesime.toInt()));
}

CellarTree::CellarTree(Database& db, bool byVintage) : m_db(db), m_byVintage(byVintage)
{
    std::vector<Group> groups;
    std::vector<qint64> uncoloured;
    {
        Statement used(db, firstLevelSql());
        used.bind({});
        while (used.next()) {
            const qint64 type = used.integer(0);
            const int colour = colourOf(used.text(1));
            m_types.insert(type, {used.text(2), used.text(3), used.text(4), colour >= 0});
            if (colour >= 0)
                groups.push_back({colour, type, false, {}, used.integer(5)});
            else
                uncoloured.push_back(type);
        }
    }
    // The lots of types without a colour, by the colour they take from the lots before them.
    forTypes(db, uncoloured,
             QStringLiteral("SELECT c.RelType, %2, min(c.[Index]) FROM CAVE c WHERE c.RelType IN (%1) GROUP BY 1, 2")
                 .replace(QStringLiteral("%2"), QString::fromLatin1(kCarriedColour)),
             [&groups](Statement& odd) {
                 groups.push_back({colourOf(odd.text(1)), odd.integer(0), false, {}, odd.integer(2)});
             });
    for (int colour = 0; colour < 4; ++colour) {
        std::vector<Group> mine;
        std::copy_if(groups.begin(), groups.end(), std::back_inserter(mine),
                     [colour](const Group& g) { return g.colour == colour; });
        m_countries[colour] = gather(mine, [this](const Group& g) { return m_types.value(g.type).nic; });
    }
}

QString CellarTree::key(const Group& group, int level) const
{
    const TypeRow& type = *m_types.constFind(group.type);
    // Levels below the country: 2, 3 and 4.
    static const int typeOrder[] = {0, 1, 2}; // type, appellation, vintage
    static const int vintageOrder[] = {2, 0, 1};
    switch ((m_byVintage ? vintageOrder : typeOrder)[level - 2]) {
    case 0:
        return type.type;
    case 1:
        return type.appellation;
    default:
        return group.vintage;
    }
}

std::vector<CellarTree::Group> CellarTree::splitByVintage(const std::vector<Group>& groups)
{
    std::vector<Group> split;
    // (colour, type, vintage text) -> position in `split`: vintages that show alike are one.
    QHash<QString, size_t> at;
    auto add = [&](int colour, qint64 type, const QVariant& millesime, qint64 first) {
        const QString vintage = vintageText(millesime);
        const QString k = QStringLiteral("%1/%2/%3").arg(colour).arg(type).arg(vintage);
        auto found = at.constFind(k);
        if (found == at.constEnd()) {
            at.insert(k, split.size());
            split.push_back({colour, type, true, vintage, first});
        } else {
            Group& g = split[found.value()];
            g.first = std::min(g.first, first);
        }
    };
    std::vector<qint64> plain;
    for (const Group& g : groups) {
        if (g.split)
            split.push_back(g);
        else if (m_types.value(g.type).known)
            plain.push_back(g.type);
        else {
            // A type without a colour: only its lots that took this node's colour.
            Statement odd(m_db, QStringLiteral("SELECT c.Millesime, min(c.[Index]) FROM CAVE c WHERE c.RelType = ? AND "
                                               "%1 = ? GROUP BY c.Millesime")
                                    .arg(QString::fromLatin1(kCarriedColour)));
            odd.bind({g.type, QString::number(g.colour)});
            while (odd.next())
                add(g.colour, g.type, odd.value(0), odd.integer(1));
        }
    }
    QHash<qint64, int> colours;
    for (const Group& g : groups)
        colours.insert(g.type, g.colour);
    forTypes(m_db, plain,
             QStringLiteral("SELECT RelType, Millesime, min([Index]) FROM CAVE WHERE RelType IN (%1) GROUP BY RelType, "
                            "Millesime"),
             [&](Statement& vintages) {
                 const qint64 type = vintages.integer(0);
                 add(colours.value(type), type, vintages.value(1), vintages.integer(2));
             });
    return split;
}

std::vector<CellarTree::Node> CellarTree::children(const std::vector<Group>& groups, int depth)
{
    if (depth < 1 || depth > 3 || groups.empty())
        return {};
    const int level = depth + 1;
    const bool needsVintage = m_byVintage ? level == 2 : level == 4;
    const std::vector<Group> source = needsVintage ? splitByVintage(groups) : groups;
    return gather(source, [this, level](const Group& g) { return key(g, level); });
}
