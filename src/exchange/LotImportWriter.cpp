#include "exchange/LotImportWriter.h"

#include "db/CellarEvents.h"
#include "db/CellarSession.h"

namespace {

const QString kLotColumns = QStringLiteral("CAVE ([Nom vin], RelType, Proprietaire, Cote, Millesime, Cru, [Nbr Achat], "
                                           "Stock, [Date Achat], [Prix Achat], Contenance)");

} // namespace

LotImportWriter::LotImportWriter(Database& db, const Options& options)
    : m_db(db), m_movements(db), m_types(db), m_lots(db, kLotColumns, 11), m_options(options)
{
    if (options.replace) {
        // The wines go, and with them their places in the racks; types and every other table stay.
        db.execute(QStringLiteral("DELETE FROM RAYONNAGE WHERE Relation IN (SELECT [Index] FROM CAVE)"));
        db.execute(QStringLiteral("DELETE FROM CAVE"));
    }
}

WriteResult LotImportWriter::write(CellarSession& session, const char* label, const Options& options, const Fill& fill,
                                   Totals& totals)
{
    Totals written;
    const WriteResult result = inTransaction(session.database(), label, [&](Database& db) {
        LotImportWriter writer(db, options);
        fill(writer);
        writer.finish();
        written = writer.m_totals;
        return true;
    });
    totals = result.done() ? written : Totals{};
    if (result.done())
        CellarEvents::instance().notifyLotsChanged();
    return result;
}

qint64 LotImportWriter::typeOf(const ImportedType& type)
{
    // A country the cellar does not list yet is added under the name the file's reader gave it.
    const QString code = type.country.toString();
    if (!type.countryName.isEmpty() && !code.isEmpty() && !m_countries.contains(code)) {
        if (!m_findCountry) {
            m_findCountry.emplace(m_db, QStringLiteral("SELECT 1 FROM PAYS WHERE Nic = ? LIMIT 1"));
            m_addCountry.emplace(m_db, QStringLiteral("INSERT INTO PAYS (Pays, Nic) VALUES (?, ?)"));
        }
        m_findCountry->bind({code});
        if (!m_findCountry->next())
            m_addCountry->execute({type.countryName, code});
        m_countries.insert(code, true);
    }
    return m_types.indexOf(type);
}

void LotImportWriter::add(const ImportedLot& lot)
{
    const QVariantList row{lot.name,   typeOf(lot.type), lot.owner,        lot.keeping, lot.vintage, lot.cru,
                           lot.bought, lot.stock,        lot.purchaseDate, lot.price,   lot.size};
    ++m_totals.lots;
    ++m_totals.movements;
    m_totals.bottles += lot.stock;
    if (lot.drunk.empty()) {
        m_lots.add(row); // many to a statement
        return;
    }
    // Its exits follow the lot's own entry in the journal: the lots before it are written first.
    m_lots.flush();
    if (!m_addLot) {
        m_addLot.emplace(m_db, QStringLiteral("INSERT INTO ") + kLotColumns +
                                   QStringLiteral(" VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        m_drink.emplace(m_db, QStringLiteral("UPDATE CAVE SET Stock = Stock - ? WHERE [Index] = ?"));
        m_dateLastMovement.emplace(m_db, QStringLiteral("UPDATE MOUVEMENTS SET DateHeure = ? WHERE IndexMouvement = "
                                                        "(SELECT max(IndexMouvement) FROM MOUVEMENTS)"));
    }
    m_addLot->execute(row);
    const qint64 index = m_db.lastInsertId();
    for (const auto& [day, count] : lot.drunk) {
        m_drink->execute({count, index});
        ++m_totals.movements;
        m_totals.bottles -= count;
        if (!day.isEmpty())
            m_dateLastMovement->execute({day + QStringLiteral("T12:00:00")});
    }
}

void LotImportWriter::finish()
{
    m_lots.flush();
    m_movements.markAsImport(m_options.keepExits);
    m_totals.newTypes = m_types.created();
}
