#include "cellar/WineListQuery.h"

#include "db/CellarSession.h"
#include "db/engine/Statement.h"

namespace {

const QString kSelect = QStringLiteral(
    "SELECT TYPEVIN.[Index] AS TYPEVIN_Index, TYPEVIN.Etat, TYPEVIN.RelPlats, TYPEVIN.Temperature, TYPEVIN.Nic, "
    "CAVE.Millesime, CAVE.[Index], CAVE.Cru, TYPEVIN.Type, TYPEVIN.Appellation, CAVE.Proprietaire, "
    "CAVE.[Index] AS CAVE_Index, CAVE.[Nom vin], CAVE.[Nbr Achat], CAVE.Contenance, CAVE.[Prix Achat], CAVE.Stock, "
    "CAVE.[Date Achat], CAVE.Cote FROM TYPEVIN INNER JOIN CAVE ON TYPEVIN.[Index] = CAVE.RelType ");

// A vintage is compared as a number when it reads as one.
QVariant vintage(const QString& text)
{
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    return ok ? QVariant(year) : QVariant(text);
}

} // namespace

QString WineListQuery::colourCode(const QString& colour)
{
    // The tree's root words, "Rose" without its accent as the tree writes it; any other text is kept.
    static const std::pair<QLatin1String, Colour> roots[] = {{QLatin1String("Rouge"), Colour::Red},
                                                             {QLatin1String("Blanc"), Colour::White},
                                                             {QLatin1String("Rose"), Colour::Rose},
                                                             {QLatin1String("Autres"), Colour::Other}};
    for (const auto& [word, code] : roots) {
        if (colour == word)
            return ColourCode::stored(code);
    }
    return colour;
}

WineListQuery WineListQuery::build(const QString& a0, const QString& a1, const QString& a2, const QString& a3, int mode,
                                   const NodePath& path)
{
    WineListQuery q;
    const bool colourMode = mode == 3 || mode == 5 || mode == 7;
    const QString c0 = colourMode ? colourCode(a0) : a0;
    QString where;
    switch (mode) {
    case 1:
        where = QStringLiteral("WHERE TYPEVIN.Type = ? AND TYPEVIN.Appellation = ?;");
        q.values = {a0, a1};
        break;
    case 2:
        where = QStringLiteral("WHERE TYPEVIN.Appellation  = ? AND CAVE.Millesime = ?;");
        q.values = {a0, vintage(a2)};
        break;
    case 3:
        where = QStringLiteral("WHERE TYPEVIN.Etat = ? AND CAVE.Millesime = ?;");
        q.values = {c0, vintage(a2)};
        break;
    case 5:
        where = QStringLiteral(
            "WHERE TYPEVIN.Etat = ? AND CAVE.Millesime = ? AND TYPEVIN.Type = ? AND TYPEVIN.Appellation = ?;");
        q.values = {c0, vintage(a2), a1, a3};
        break;
    case 6:
        where = QStringLiteral("WHERE TYPEVIN.Type  = ? AND CAVE.Millesime = ?;");
        q.values = {a0, vintage(a2)};
        break;
    case 7:
        where = QStringLiteral("WHERE TYPEVIN.Etat = ? AND TYPEVIN.Type = ?;");
        q.values = {c0, a1};
        break;
    default:
        return q;
    }
    where.chop(1);
    if (!path.colour.isEmpty()) {
        where += QStringLiteral(" AND TYPEVIN.Etat = ?");
        q.values << colourCode(path.colour);
    }
    if (path.hasCountry) {
        where += QStringLiteral(" AND IFNULL(TYPEVIN.Nic, '') = ?");
        q.values << path.country;
    }
    if (!path.type.isEmpty()) {
        where += QStringLiteral(" AND TYPEVIN.Type = ?");
        q.values << path.type;
    }
    // Lots in the order they were bought.
    q.sql = kSelect + where + QStringLiteral(" ORDER BY CAVE.[Index];");
    q.vinText = c0;
    q.appellationText = a1;
    q.valid = true;
    return q;
}

const QString& WineListQuery::selectClause()
{
    return kSelect;
}

std::vector<WineRow> WineListQuery::load(CellarSession& session, const QString& label) const
{
    std::vector<WineRow> rows;
    if (!valid)
        return rows;
    // The rows are stepped through one at a time straight into the list's records: large cellars fill fast.
    // The columns stand where the select list above puts them.
    try {
        Statement rs(session.database(), sql);
        rs.bind(values);
        Statement::TextCache plats, temperatures, countries, crus, types, appellations, owners, sizes;
        while (rs.next()) {
            WineRow row;
            row.colour = ColourCode::fromStoredOrRed(rs.text(1));
            row.relPlats = rs.text(2, plats);
            row.temperature = rs.text(3, temperatures);
            row.nic = rs.text(4, countries);
            row.vintage = static_cast<int>(rs.integer(5));
            row.cru = rs.text(7, crus);
            row.type = rs.text(8, types);
            row.appellation = rs.text(9, appellations);
            row.proprietaire = rs.text(10, owners);
            row.index = rs.integer(11);
            row.nomVin = rs.text(12);
            row.nbrAchat = rs.real(13);
            row.contenance = rs.text(14, sizes);
            row.prixAchat = rs.real(15);
            row.stock = rs.integer(16);
            row.dateAchat = rs.text(17);
            row.keeping = static_cast<int>(rs.integer(18));
            rows.push_back(std::move(row));
        }
    } catch (const DbError& error) {
        rows.clear();
        CellarSession::reportFailure(label, error); // as every failed query does
    }
    return rows;
}
