#include "db/Schema.h"

#include "db/ReferenceData.h"
#include "db/engine/Database.h"

namespace Schema {

bool isBlank(Database& db)
{
    return db.tableNames().isEmpty();
}

bool isCellar(Database& db)
{
    return db.tableExists(QStringLiteral("CAVE")) && db.tableExists(QStringLiteral("TYPEVIN"));
}

void createBaseSchema(Database& db)
{
    Transaction tx(db);
    db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS CAVE ("
                              "[Index] INTEGER PRIMARY KEY AUTOINCREMENT,"
                              " [Nom vin] TEXT COLLATE NOCASE,"
                              " RelType INTEGER,"
                              " Proprietaire TEXT COLLATE NOCASE,"
                              " Cru TEXT COLLATE NOCASE,"
                              " Millesime INTEGER,"
                              " [Nbr Achat] REAL,"
                              " [Prix Achat] REAL,"
                              " Stock INTEGER,"
                              " [Date Achat] TEXT COLLATE NOCASE,"
                              " Cote INTEGER)"));
    db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS TYPEVIN ("
                              "[Index] INTEGER PRIMARY KEY AUTOINCREMENT,"
                              " Type TEXT COLLATE NOCASE,"
                              " Appellation TEXT COLLATE NOCASE,"
                              " Etat TEXT COLLATE NOCASE,"
                              " UNIQUE (Type, Appellation))"));
    db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS CRUS (Nom TEXT COLLATE NOCASE UNIQUE)"));
    db.execute(
        QStringLiteral("CREATE TABLE IF NOT EXISTS ANNEES (Type TEXT COLLATE NOCASE, Cote TEXT COLLATE NOCASE)"));
    tx.commit();
}

void seedCrus(Database& db)
{
    if (db.scalar(QStringLiteral("SELECT count(*) FROM CRUS")).toInt() > 0)
        return;
    Transaction tx(db);
    for (const QString& cru : ReferenceData::commonCrus())
        db.execute(QStringLiteral("INSERT OR IGNORE INTO CRUS (Nom) VALUES (?)"), {cru});
    tx.commit();
}

void seedCountries(Database& db)
{
    if (db.scalar(QStringLiteral("SELECT count(*) FROM PAYS")).toInt() > 0)
        return;
    Transaction tx(db);
    for (const auto& country : ReferenceData::countries())
        db.execute(QStringLiteral("INSERT INTO PAYS (Pays, Nic) VALUES (?, ?)"), {country.name, country.code});
    tx.commit();
}

void createIndexes(Database& db)
{
    db.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS CaveRelType ON CAVE (RelType)"));
    if (db.tableExists(QStringLiteral("RAYONNAGE"))) {
        db.execute(QStringLiteral(
            "CREATE INDEX IF NOT EXISTS RayonnageCellule ON RAYONNAGE (Casier, [Coordonnees X], [Coordonnees Y])"));
        db.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS RayonnageRelation ON RAYONNAGE (Relation)"));
    }
}

} // namespace Schema
