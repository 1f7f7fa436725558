#include "pages/WineListQuery.h"

#include "db/CellarSession.h"

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
    if (colour == QLatin1String("Rouge"))
        return QStringLiteral("0");
    if (colour == QLatin1String("Blanc"))
        return QStringLiteral("1");
    if (colour == QLatin1String("Rose"))
        return QStringLiteral("2");
    if (colour == QLatin1String("Autres"))
        return QStringLiteral("3");
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
    if (!valid || !session.OpenQuery(label, sql, values))
        return rows;
    Recordset& rs = session.recordset();
    if (rs.recordCount() == 0) {
        session.CloseQuery();
        return rows;
    }
    const int cEtat = rs.fieldIndex(QStringLiteral("Etat"));
    const int cPlats = rs.fieldIndex(QStringLiteral("RelPlats"));
    const int cTemp = rs.fieldIndex(QStringLiteral("Temperature"));
    const int cNic = rs.fieldIndex(QStringLiteral("Nic"));
    const int cMillesime = rs.fieldIndex(QStringLiteral("Millesime"));
    const int cCru = rs.fieldIndex(QStringLiteral("Cru"));
    const int cType = rs.fieldIndex(QStringLiteral("Type"));
    const int cAppellation = rs.fieldIndex(QStringLiteral("Appellation"));
    const int cOwner = rs.fieldIndex(QStringLiteral("Proprietaire"));
    const int cIndex = rs.fieldIndex(QStringLiteral("CAVE_Index"));
    const int cName = rs.fieldIndex(QStringLiteral("Nom vin"));
    const int cBought = rs.fieldIndex(QStringLiteral("Nbr Achat"));
    const int cSize = rs.fieldIndex(QStringLiteral("Contenance"));
    const int cPrice = rs.fieldIndex(QStringLiteral("Prix Achat"));
    const int cStock = rs.fieldIndex(QStringLiteral("Stock"));
    const int cDate = rs.fieldIndex(QStringLiteral("Date Achat"));
    const int cCote = rs.fieldIndex(QStringLiteral("Cote"));
    rows.reserve(static_cast<size_t>(rs.recordCount()));
    for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
        WineRow row;
        row.etat = rs.value(cEtat).toInt();
        row.relPlats = rs.value(cPlats).toString();
        row.temperature = rs.value(cTemp).toString();
        row.nic = rs.value(cNic).toString();
        row.millesime = rs.value(cMillesime).toInt();
        row.cru = rs.value(cCru).toString();
        row.type = rs.value(cType).toString();
        row.appellation = rs.value(cAppellation).toString();
        row.proprietaire = rs.value(cOwner).toString();
        row.index = rs.value(cIndex).toLongLong();
        row.nomVin = rs.value(cName).toString();
        row.nbrAchat = rs.value(cBought).toDouble();
        row.contenance = rs.value(cSize).toString();
        row.prixAchat = rs.value(cPrice).toDouble();
        row.stock = rs.value(cStock).toLongLong();
        row.dateAchat = rs.value(cDate).toString();
        row.cote = rs.value(cCote).toInt();
        rows.push_back(std::move(row));
    }
    session.CloseQuery();
    return rows;
}
