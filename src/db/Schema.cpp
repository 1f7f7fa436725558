#include "db/Schema.h"

#include "db/CellarSession.h"
#include "db/ReferenceData.h"
#include "db/engine/Database.h"
#include "db/engine/DbError.h"
#include "db/engine/Statement.h"

#include <QLocale>
#include <algorithm>

#include <QHash>

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
}

void createTable(Database& db, const QString& table)
{
    static const QHash<QString, QString> definitions = {
        {QStringLiteral("INFO"),
         QStringLiteral(
             "[Version Base] TEXT COLLATE NOCASE, Date TEXT COLLATE NOCASE, Proprietaire TEXT COLLATE NOCASE")},
        {QStringLiteral("RAYONNAGE"),
         QStringLiteral("Relation INTEGER, Casier INTEGER, [Coordonnees X] INTEGER, [Coordonnees Y] INTEGER")},
        {QStringLiteral("PLATS"),
         QStringLiteral("IndexPlats INTEGER PRIMARY KEY AUTOINCREMENT, Plat TEXT COLLATE NOCASE")},
        {QStringLiteral("DOMAINES"), QStringLiteral("Domaine TEXT COLLATE NOCASE, Type TEXT COLLATE NOCASE")},
        {QStringLiteral("PAYS"), QStringLiteral("Pays TEXT COLLATE NOCASE, Nic TEXT COLLATE NOCASE")}};
    const auto definition = definitions.constFind(table.toUpper());
    if (definition == definitions.constEnd())
        throw DbError(DbError::kItemNotFound, QStringLiteral("Table inconnue : %1").arg(table));
    db.execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(definition.key(), definition.value()));
}

QStringList addedColumns(const QString& table)
{
    if (table.compare(QLatin1String("CAVE"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Contenance"), QStringLiteral("Cepage"),  QStringLiteral("Filler"),
                QStringLiteral("Filler1"),    QStringLiteral("Filler2"), QStringLiteral("Images")};
    if (table.compare(QLatin1String("TYPEVIN"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Raisin"),
                QStringLiteral("Garde"),
                QStringLiteral("Terroir"),
                QStringLiteral("Caracteres"),
                QStringLiteral("Millesimesremarquables"),
                QStringLiteral("RelPlats"),
                QStringLiteral("Superficie"),
                QStringLiteral("Temperature"),
                QStringLiteral("Nic")};
    return {};
}

QStringList addedTables()
{
    return {QStringLiteral("INFO"), QStringLiteral("RAYONNAGE"), QStringLiteral("PLATS"), QStringLiteral("DOMAINES"),
            QStringLiteral("PAYS")};
}

void seedCrus(Database& db)
{
    if (db.scalar(QStringLiteral("SELECT count(*) FROM CRUS")).toInt() > 0)
        return;
    for (const QString& cru : ReferenceData::commonCrus())
        db.execute(QStringLiteral("INSERT OR IGNORE INTO CRUS (Nom) VALUES (?)"), {cru});
}

void seedCountries(Database& db)
{
    if (db.scalar(QStringLiteral("SELECT count(*) FROM PAYS")).toInt() > 0)
        return;
    for (const auto& country : ReferenceData::countries())
        db.execute(QStringLiteral("INSERT INTO PAYS (Pays, Nic) VALUES (?, ?)"), {country.name, country.code});
}

void createJournal(Database& db)
{
    const bool existed = db.tableExists(QStringLiteral("MOUVEMENTS"));
    db.execute(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS MOUVEMENTS (IndexMouvement INTEGER PRIMARY KEY AUTOINCREMENT, DateHeure TEXT, "
        "RelCave INTEGER, NomVin TEXT COLLATE NOCASE, Type TEXT COLLATE NOCASE, Quantite INTEGER, PrixUnitaire REAL, "
        "Nature TEXT)"));
    db.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS MouvementsDate ON MOUVEMENTS (DateHeure)"));
    db.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS MouvementsCave ON MOUVEMENTS (RelCave)"));
    // Every change of a lot's stock writes its movement, in the statement (and so the transaction) that
    // makes it, whatever part of the program or release makes it: the triggers use the engine's own
    // functions only, so an older Tonnelix writing this cellar keeps the journal right too. The writers
    // that know better (an import, a correction) relabel their movements afterwards.
    static const char* const movement =
        "INSERT INTO MOUVEMENTS (DateHeure, RelCave, NomVin, Type, Quantite, PrixUnitaire, Nature) VALUES ("
        "strftime('%Y-%m-%dT%H:%M:%S', 'now', 'localtime'), %1.[Index], %1.[Nom vin], "
        "(SELECT Type FROM TYPEVIN WHERE TYPEVIN.[Index] = %1.RelType), %2, "
        "CASE WHEN coalesce(%1.[Nbr Achat], 0) <> 0 THEN %1.[Prix Achat] / %1.[Nbr Achat] ELSE 0 END, %3);";
    db.execute(QStringLiteral("CREATE TRIGGER IF NOT EXISTS JournalAchat AFTER INSERT ON CAVE "
                              "WHEN coalesce(NEW.Stock, 0) <> 0 BEGIN ") +
               QString::fromLatin1(movement).arg(QStringLiteral("NEW"), QStringLiteral("NEW.Stock"),
                                                 QStringLiteral("'achat'")) +
               QStringLiteral(" END"));
    db.execute(QStringLiteral("CREATE TRIGGER IF NOT EXISTS JournalStock AFTER UPDATE OF Stock ON CAVE "
                              "WHEN coalesce(NEW.Stock, 0) <> coalesce(OLD.Stock, 0) BEGIN ") +
               QString::fromLatin1(movement).arg(
                   QStringLiteral("NEW"), QStringLiteral("coalesce(NEW.Stock, 0) - coalesce(OLD.Stock, 0)"),
                   QStringLiteral("CASE WHEN coalesce(NEW.Stock, 0) > coalesce(OLD.Stock, 0) THEN 'entrée' "
                                  "ELSE 'sortie' END")) +
               QStringLiteral(" END"));
    db.execute(QStringLiteral("CREATE TRIGGER IF NOT EXISTS JournalSuppression AFTER DELETE ON CAVE "
                              "WHEN coalesce(OLD.Stock, 0) <> 0 BEGIN ") +
               QString::fromLatin1(movement).arg(QStringLiteral("OLD"), QStringLiteral("-OLD.Stock"),
                                                 QStringLiteral("'suppression'")) +
               QStringLiteral(" END"));
    // A cellar that had no journal opens it with what each lot holds.
    if (!existed)
        db.execute(QStringLiteral(
            "INSERT INTO MOUVEMENTS (DateHeure, RelCave, NomVin, Type, Quantite, PrixUnitaire, Nature) "
            "SELECT strftime('%Y-%m-%dT%H:%M:%S', 'now', 'localtime'), c.[Index], c.[Nom vin], t.Type, c.Stock, "
            "CASE WHEN coalesce(c.[Nbr Achat], 0) <> 0 THEN c.[Prix Achat] / c.[Nbr Achat] ELSE 0 END, 'ouverture' "
            "FROM CAVE c LEFT JOIN TYPEVIN t ON t.[Index] = c.RelType WHERE coalesce(c.Stock, 0) <> 0 "
            "ORDER BY c.[Index]"));
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

std::optional<QString> recordedVersion(CellarSession& session, const QString& label)
{
    std::optional<QString> version;
    session.forEachRow(label, QStringLiteral("SELECT * FROM INFO;"), {},
                       [&](Recordset& rs) { version = rs.text(QStringLiteral("Version Base")); }); // the last row
    return version;
}

std::optional<double> parseVersion(const QString& text)
{
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

namespace {

// Every version text of the INFO rows, in table order.
QStringList versionTexts(Database& db)
{
    QStringList texts;
    if (!db.tableExists(QStringLiteral("INFO")) ||
        !db.columnExists(QStringLiteral("INFO"), QStringLiteral("Version Base")))
        return texts;
    Statement rows(db, QStringLiteral("SELECT [Version Base] FROM INFO ORDER BY rowid"));
    rows.bind({});
    while (rows.next())
        texts << rows.text(0);
    return texts;
}

} // namespace

double recordedVersionNumber(Database& db)
{
    double newest = 0;
    for (const QString& text : versionTexts(db))
        newest = std::max(newest, parseVersion(text).value_or(0.0));
    return newest;
}

std::optional<QString> newerVersionText(Database& db)
{
    for (const QString& text : versionTexts(db)) {
        if (parseVersion(text).value_or(0.0) > kNewestVersion + 1e-9)
            return text.trimmed();
    }
    return std::nullopt;
}

} // namespace Schema
