#include "jet/JetConversion.h"

#include "db/CellarSession.h"
#include "db/JetSignature.h"
#include "db/Schema.h"
#include "db/SchemaUpgrade.h"
#include "db/Write.h"
#include "db/engine/Statement.h"
#include "jet/JetReader.h"
#include "platform/FileSync.h"
#include "rack/RackGeometry.h"
#include "rack/RackGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QUuid>
#include <unistd.h>

namespace JetConversion {

namespace {

// Moves to the first row; false when there is none.
bool start(Recordset& rs)
{
    if (rs.recordCount() == 0)
        return false;
    rs.moveFirst();
    return true;
}

// The tables of a cellar, in the order they are copied (the ones lots refer to first).
const QStringList kTables = {QStringLiteral("TYPEVIN"), QStringLiteral("CAVE"),     QStringLiteral("CRUS"),
                             QStringLiteral("ANNEES"),  QStringLiteral("INFO"),     QStringLiteral("RAYONNAGE"),
                             QStringLiteral("PLATS"),   QStringLiteral("DOMAINES"), QStringLiteral("PAYS")};
const QStringList kBaseTables = {QStringLiteral("CAVE"), QStringLiteral("TYPEVIN"), QStringLiteral("CRUS"),
                                 QStringLiteral("ANNEES")};
constexpr qint64 kMaxSize = qint64(2) * 1024 * 1024 * 1024; // Jet's own limit

Report refused(Report report, const QString& why)
{
    report.ok = false;
    report.message =
        QStringLiteral("Le fichier %1 ne peut pas être converti : %2. Il n'a pas été modifié.").arg(report.source, why);
    return report;
}

// A name from the file that may be written into a statement: letters, digits, blanks and a few signs.
bool isPlainName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[\\p{L}\\p{N} _\\-']{1,64}$"));
    return plain.match(name).hasMatch() && !name.contains(QLatin1Char(']'));
}

QString quoted(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

QString declaration(JetReader::Column::Kind kind)
{
    switch (kind) {
    case JetReader::Column::Kind::Integer:
        return QStringLiteral("INTEGER");
    case JetReader::Column::Kind::Real:
        return QStringLiteral("REAL");
    case JetReader::Column::Kind::Text:
        break;
    }
    return QStringLiteral("TEXT COLLATE NOCASE");
}

// The table's name as the file spells it, found without regard to case.
QString sourceName(const QStringList& tables, const QString& wanted)
{
    for (const QString& table : tables) {
        if (table.compare(wanted, Qt::CaseInsensitive) == 0)
            return table;
    }
    return QString();
}

// The temporary file and its journal go, whatever happened.
struct Scratch
{
    QString path;
    ~Scratch()
    {
        if (path.isEmpty())
            return;
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
    }
};

class Copier
{
public:
    Copier(JetReader& reader, Database& db, Report& report, const Progress& progress, qint64 totalRows)
        : m_reader(reader), m_db(db), m_report(report), m_progress(progress), m_total(std::max<qint64>(1, totalRows))
    {}

    // Creates the table (or its missing columns) from the source's columns; returns the columns copied.
    QList<JetReader::Column> prepare(const QString& table, const QList<JetReader::Column>& columns)
    {
        const bool known = kTables.contains(table);
        if (!m_db.tableExists(table)) {
            if (known) {
                Schema::createTable(m_db, table);
            } else {
                QStringList definitions;
                for (const JetReader::Column& column : columns) {
                    if (isPlainName(column.name))
                        definitions << quoted(column.name) + QLatin1Char(' ') + declaration(column.kind);
                }
                if (definitions.isEmpty())
                    return {};
                m_db.execute(
                    QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table), definitions.join(QStringLiteral(", "))));
            }
        }
        QList<JetReader::Column> copied;
        for (const JetReader::Column& column : columns) {
            if (!m_db.columnExists(table, column.name)) {
                if (!isPlainName(column.name)) {
                    m_report.skipped << QStringLiteral("colonne « %1 » de la table %2").arg(column.name, table);
                    continue;
                }
                // The upgrades' own columns are texts; any other keeps the kind of its values.
                const bool upgrade = Schema::addedColumns(table).contains(column.name, Qt::CaseInsensitive);
                m_db.addColumn(table, column.name,
                               upgrade ? QStringLiteral("TEXT COLLATE NOCASE") : declaration(column.kind));
            }
            copied << column;
        }
        return copied;
    }

    void copy(const QString& source, const QString& table)
    {
        QList<JetReader::Column> copied;
        std::unique_ptr<Statement> insert;
        QList<int> positions;
        QString error;
        int typeIndexColumn = -1;
        int appellationColumn = -1;
        const bool ok = m_reader.readTable(
            source,
            [&](const QList<JetReader::Column>& columns, const QVariantList& values) {
                if (!insert) {
                    copied = prepare(table, columns);
                    QStringList names;
                    for (const JetReader::Column& column : copied) {
                        names << quoted(column.name);
                        for (int c = 0; c < columns.size(); ++c) {
                            if (columns[c].name == column.name)
                                positions << c;
                        }
                        if (column.name.compare(QLatin1String("Appellation"), Qt::CaseInsensitive) == 0)
                            appellationColumn = static_cast<int>(positions.size()) - 1;
                        if (column.name.compare(QLatin1String("Index"), Qt::CaseInsensitive) == 0)
                            typeIndexColumn = static_cast<int>(positions.size()) - 1;
                    }
                    if (names.isEmpty())
                        return;
                    const QString verb = table == QLatin1String("CRUS") ? QStringLiteral("INSERT OR IGNORE INTO ")
                                                                        : QStringLiteral("INSERT INTO ");
                    insert = std::make_unique<Statement>(
                        m_db,
                        verb + quoted(table) + QStringLiteral(" (") + names.join(QStringLiteral(", ")) +
                            QStringLiteral(") VALUES (") +
                            QStringList(static_cast<int>(names.size()), QStringLiteral("?")).join(QLatin1Char(',')) +
                            QLatin1Char(')'));
                }
                QVariantList row;
                row.reserve(positions.size());
                for (const int c : positions)
                    row << values.value(c);
                write(*insert, table, row, typeIndexColumn, appellationColumn);
                if (++m_done % 512 == 0 && m_progress)
                    m_progress(static_cast<int>(m_done * 90 / m_total));
            },
            &error);
        if (!ok)
            throw DbError(0, error);
    }

private:
    void write(Statement& insert, const QString& table, QVariantList& row, int indexColumn, int appellationColumn)
    {
        if (table == QLatin1String("TYPEVIN") && appellationColumn >= 0) {
            // A pair of type and appellation written twice: kept, the second with a name of its own.
            const QString appellation = row.value(appellationColumn).toString();
            for (int copy = 2;; ++copy) {
                try {
                    insert.execute(row);
                    if (copy > 2)
                        m_report.renamedTypes << QStringLiteral("type %1 : appellation « %2 » renommée « %3 »")
                                                     .arg(row.value(indexColumn).toString(), appellation,
                                                          row.value(appellationColumn).toString());
                    return;
                } catch (const DbError& error) {
                    if (error.code() != DbError::kDuplicateKey || copy > 100)
                        throw;
                    row[appellationColumn] = QStringLiteral("%1 (%2)").arg(appellation).arg(copy);
                }
            }
        }
        const int written = insert.execute(row);
        if (table == QLatin1String("CRUS") && written == 0)
            m_report.duplicateCrus << row.value(0).toString();
    }

    JetReader& m_reader;
    Database& m_db;
    Report& m_report;
    const Progress& m_progress;
    qint64 m_total;
    qint64 m_done = 0;
};

void countInto(Report& report, Database& db)
{
    auto count = [&db](const QString& sql) { return db.scalar(sql).toLongLong(); };
    report.lots = count(QStringLiteral("SELECT count(*) FROM CAVE"));
    report.bottles = count(QStringLiteral("SELECT coalesce(sum(Stock), 0) FROM CAVE"));
    report.wineTypes = count(QStringLiteral("SELECT count(*) FROM TYPEVIN"));
    report.crus = count(QStringLiteral("SELECT count(*) FROM CRUS"));
    report.dishes = count(QStringLiteral("SELECT count(*) FROM PLATS"));
    report.estates = count(QStringLiteral("SELECT count(*) FROM DOMAINES"));
    report.countries = count(QStringLiteral("SELECT count(*) FROM PAYS"));
    report.vintageYears = count(QStringLiteral("SELECT count(*) FROM ANNEES WHERE Type = 'Tonnelix'"));
    report.rackPositions = count(QStringLiteral("SELECT count(*) FROM RAYONNAGE"));
    Recordset orphans = db.openQuery(QStringLiteral(
        "SELECT c.[Index], c.[Nom vin], c.RelType FROM CAVE c LEFT JOIN TYPEVIN t ON t.[Index] = c.RelType "
        "WHERE t.[Index] IS NULL ORDER BY c.[Index]"));
    for (bool any = start(orphans); any && !orphans.isEOF(); orphans.moveNext())
        report.lotsWithoutType << QStringLiteral("lot %1 « %2 » (type %3)")
                                      .arg(orphans.value(0).toString(), orphans.value(1).toString(),
                                           orphans.value(2).toString());
    Recordset positions = db.openQuery(QStringLiteral(
        "SELECT r.Casier, r.[Coordonnees X], r.[Coordonnees Y], r.Relation FROM RAYONNAGE r LEFT JOIN CAVE c ON "
        "c.[Index] = r.Relation WHERE c.[Index] IS NULL ORDER BY r.rowid"));
    for (bool any = start(positions); any && !positions.isEOF(); positions.moveNext())
        report.orphanPositions << QStringLiteral("casier %1, colonne %2, rangée %3 (lot %4)")
                                      .arg(positions.value(0).toString(), positions.value(1).toString(),
                                           positions.value(2).toString(), positions.value(3).toString());
    Recordset pictures = db.openQuery(
        QStringLiteral("SELECT [Index], Images FROM CAVE WHERE coalesce(Images, '') <> '' ORDER BY [Index]"));
    QHash<QString, bool> found; // many lots share a picture
    for (bool any = start(pictures); any && !pictures.isEOF(); pictures.moveNext()) {
        const QString path = pictures.value(1).toString();
        auto known = found.constFind(path);
        if (known == found.constEnd())
            known = found.insert(path, QFileInfo(path).isFile());
        if (!*known)
            report.missingPictures << QStringLiteral("lot %1 : %2").arg(pictures.value(0).toString(), path);
    }
}

// Rack sizes lived in the Windows settings: each rack in use gets a size that holds all its positions.
void sizeRacks(Report& report, Database& db)
{
    Recordset racks = db.openQuery(QStringLiteral(
        "SELECT Casier, max([Coordonnees X]), max([Coordonnees Y]) FROM RAYONNAGE WHERE Casier BETWEEN 1 AND 99 "
        "GROUP BY Casier ORDER BY Casier"));
    for (bool any = start(racks); any && !racks.isEOF(); racks.moveNext()) {
        Rack rack;
        rack.number = racks.value(0).toInt();
        const RackGeometry known = RackGeometry::load(rack.number);
        rack.columns = std::clamp(racks.value(1).toInt(), known.columns, RackGrid::kMax);
        rack.rows = std::clamp(racks.value(2).toInt(), known.rows, RackGrid::kMax);
        rack.grown = rack.columns != known.columns || rack.rows != known.rows;
        if (rack.grown)
            RackGeometry::save(rack.number, RackGeometry{rack.columns, rack.rows});
        report.racks << rack;
    }
}

// The file being written is nobody's cellar until it takes its name, after one sync of the whole: its
// writes need not reach the disk one by one, and a failure deletes it.
void scratchWrites(Database& db)
{
    db.execute(QStringLiteral("PRAGMA synchronous=OFF"));
    db.execute(QStringLiteral("PRAGMA journal_mode=MEMORY"));
}

// Gives the finished file its name without ever replacing one: a link fails when the name is taken.
bool takeName(const QString& scratch, const QString& target)
{
    if (!FileSync::syncFile(scratch))
        return false;
    if (::link(QFile::encodeName(scratch).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    return true;
}

} // namespace

bool isJetFile(const QString& path)
{
    return JetSignature::isJet(path);
}

QString proposedTarget(const QString& source)
{
    const QFileInfo info(source);
    const QDir folder = info.absoluteDir();
    const QString base = info.completeBaseName();
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? QStringLiteral("%1 (converti).mdb").arg(base)
                                    : QStringLiteral("%1 (converti) %2.mdb").arg(base).arg(n);
        if (!QFileInfo::exists(folder.filePath(name)))
            return folder.filePath(name);
    }
}

namespace {

// What refuses the file before it is read: a file that is not there or not a file, too large, not Jet, or a
// target that exists. Empty when nothing does.
QString refusalBeforeReading(const QString& source, const QString& target)
{
    const QFileInfo info(source);
    if (!info.exists())
        return QStringLiteral("il n'existe pas");
    if (!info.isFile())
        return QStringLiteral("ce n'est pas un fichier ordinaire");
    if (info.size() > kMaxSize)
        return QStringLiteral("il dépasse la taille d'une base Access (2 Go)");
    switch (JetSignature::of(source)) {
    case JetSignature::Kind::None:
        return QStringLiteral("ce n'est pas une base Access (Jet)");
    case JetSignature::Kind::Ace:
        return QStringLiteral("c'est une base Access 2007 ou plus récente (.accdb), que la version "
                              "Windows de Tonnelix n'écrivait pas et que Tonnelix ne sait pas lire");
    case JetSignature::Kind::Jet:
        break;
    }
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return QStringLiteral("le fichier %1 existe déjà : choisissez un autre nom pour la nouvelle "
                              "cave (un fichier existant n'est jamais remplacé)")
            .arg(target);
    return QString();
}

// Copies every table of the file into the new cellar, inside the caller's transaction: the cellar's own
// first, in their order, then any other; the version the file records goes into the report.
void copyTables(JetReader& reader, const QStringList& tables, Database& db, Report& report, const Progress& progress)
{
    qint64 total = 0;
    for (const QString& table : tables)
        total += reader.rowCount(table);
    Copier copier(reader, db, report, progress, total);
    // The cellar's own tables first, in their order, then any other table the file holds.
    for (const QString& table : kTables) {
        const QString name = sourceName(tables, table);
        if (!name.isEmpty())
            copier.copy(name, table);
    }
    for (const QString& table : tables) {
        if (kTables.contains(table, Qt::CaseInsensitive) ||
            table.compare(QLatin1String("MOUVEMENTS"), Qt::CaseInsensitive) == 0)
            continue;
        if (!isPlainName(table)) {
            report.skipped << QStringLiteral("table « %1 »").arg(table);
            continue;
        }
        copier.copy(table, table);
    }
    const QString version = sourceName(tables, QStringLiteral("INFO")).isEmpty()
                                ? QString()
                                : db.scalar(QStringLiteral("SELECT [Version Base] FROM INFO ORDER BY rowid "
                                                           "LIMIT 1"))
                                      .toString();
    report.version = version.isEmpty() ? QStringLiteral("de base") : version;
}

} // namespace

Report convert(const QString& source, const QString& target, const Progress& progress)
{
    Report report;
    report.source = source;
    report.target = target;
    const QString refusal = refusalBeforeReading(source, target);
    if (!refusal.isEmpty())
        return refused(report, refusal);
    const QFileInfo info(source);
    JetReader reader;
    QString error;
    if (!reader.open(source, &error))
        return refused(report, error);
    // A file shorter than its pages is a cut copy: its last tables would be read as garbage.
    const qint64 page = reader.isJet3() ? 2048 : 4096;
    if (info.size() % page != 0 || info.size() < page * 3)
        return refused(report, QStringLiteral("il est tronqué (sa taille n'est pas un nombre entier de pages)"));
    const QStringList tables = reader.tables();
    if (sourceName(tables, QStringLiteral("CAVE")).isEmpty() || sourceName(tables, QStringLiteral("TYPEVIN")).isEmpty())
        return refused(report, QStringLiteral("c'est une base Access d'un autre programme : elle n'a pas les tables "
                                              "CAVE et TYPEVIN d'une cave Tonnelix"));

    Scratch scratch;
    scratch.path = QFileInfo(target).absoluteDir().filePath(
        QStringLiteral(".%1.%2.converting")
            .arg(QFileInfo(target).fileName(), QUuid::createUuid().toString(QUuid::Id128)));
    try {
        {
            Database db;
            db.open(scratch.path, Database::OpenMode::CreateIfMissing);
            scratchWrites(db);
            const WriteResult copied = inTransaction(db, "JetConversion", [&](Database& db) {
                Schema::createBaseSchema(db);
                copyTables(reader, tables, db, report, progress);
                return true;
            });
            if (!copied.done())
                throw DbError(copied.code, copied.engineText);
        }
        if (progress)
            progress(92);
        // What an older cellar lacks, the journal's opening movements and the indexes: the upgrade chain.
        {
            CellarSession session(OpenCellarFile(scratch.path, false));
            scratchWrites(session.database());
            const SchemaUpgrade::Result upgraded = SchemaUpgrade(session).RunChain();
            if (!upgraded.ok)
                throw DbError(0, upgraded.message);
            countInto(report, session.database());
            sizeRacks(report, session.database());
        }
    } catch (const DbError& failure) {
        return refused(report, QStringLiteral("la lecture ou l'écriture a échoué (%1)").arg(failure.description()));
    }
    if (!takeName(scratch.path, target))
        return refused(report, QStringLiteral("la nouvelle cave n'a pas pu être écrite sous le nom %1").arg(target));
    if (progress)
        progress(100);
    report.ok = true;
    report.message = QStringLiteral("La cave de la version Windows a été copiée dans une nouvelle cave Tonnelix.");
    return report;
}

QString reportText(const Report& report)
{
    if (!report.ok)
        return report.message;
    QStringList lines;
    lines << QStringLiteral("Conversion de %1 (cave de la version Windows, version %2)")
                 .arg(QDir::toNativeSeparators(report.source), report.version);
    lines << QStringLiteral("en %1 :").arg(QDir::toNativeSeparators(report.target));
    lines << QStringLiteral("- %1 lot(s), %2 bouteille(s) en cave").arg(report.lots).arg(report.bottles);
    lines << QStringLiteral("- %1 type(s) de vin et appellation(s), %2 cru(s), %3 plat(s), %4 domaine(s), %5 pays")
                 .arg(report.wineTypes)
                 .arg(report.crus)
                 .arg(report.dishes)
                 .arg(report.estates)
                 .arg(report.countries);
    lines << QStringLiteral("- %1 année(s) de notes des millésimes, %2 position(s) dans les casiers")
                 .arg(report.vintageYears)
                 .arg(report.rackPositions);
    QStringList points;
    for (const QString& lot : report.lotsWithoutType)
        points << QStringLiteral("- Sans type de vin (gardé) : ") + lot;
    for (const QString& position : report.orphanPositions)
        points << QStringLiteral("- Position sans lot (gardée, montrée vide) : ") + position;
    for (const QString& picture : report.missingPictures)
        points << QStringLiteral("- Image introuvable ici (chemin gardé tel quel) : ") + picture;
    for (const QString& cru : report.duplicateCrus)
        points << QStringLiteral("- Cru en double, gardé une fois : ") + cru;
    for (const QString& type : report.renamedTypes)
        points << QStringLiteral("- Vin en double : ") + type;
    for (const QString& skipped : report.skipped)
        points << QStringLiteral("- Non repris (nom illisible) : ") + skipped;
    for (const Rack& rack : report.racks)
        points << QStringLiteral("- Casier %1 : %2 colonnes × %3 rangées%4")
                      .arg(rack.number)
                      .arg(rack.columns)
                      .arg(rack.rows)
                      .arg(rack.grown ? QStringLiteral(" (agrandi pour tenir toutes ses positions)") : QString());
    if (!points.isEmpty()) {
        lines << QString() << QStringLiteral("Points à vérifier :");
        lines += points;
    }
    return lines.join(QLatin1Char('\n'));
}

int relinkPictures(const QString& cellar, const QString& folder, QStringList* stillMissing, QString* error)
{
    const QDir where(folder);
    int found = 0;
    try {
        Database db;
        db.open(cellar);
        const WriteResult relinked = inTransaction(db, "JetConversion::relinkPictures", [&](Database& db) {
            Recordset pictures = db.openQuery(
                QStringLiteral("SELECT [Index], Images FROM CAVE WHERE coalesce(Images, '') <> '' ORDER BY [Index]"));
            for (bool any = start(pictures); any && !pictures.isEOF(); pictures.moveNext()) {
                const QString path = pictures.value(1).toString();
                if (QFileInfo(path).isFile())
                    continue;
                // A Windows path keeps its name after the last backslash.
                QString name = path.section(QLatin1Char('\\'), -1);
                name = name.section(QLatin1Char('/'), -1);
                const QString candidate = where.filePath(name);
                if (!name.isEmpty() && QFileInfo(candidate).isFile()) {
                    db.execute(QStringLiteral("UPDATE CAVE SET Images = ? WHERE [Index] = ?"),
                               {candidate, pictures.value(0)});
                    ++found;
                } else if (stillMissing) {
                    *stillMissing << QStringLiteral("lot %1 : %2").arg(pictures.value(0).toString(), path);
                }
            }
            return true;
        });
        if (!relinked.done())
            throw DbError(relinked.code, relinked.engineText);
    } catch (const DbError& failure) {
        // the cellar could not be opened, or the pictures' paths not written: nothing was changed
        if (error)
            *error = failure.description();
        return -1;
    }
    return found;
}

} // namespace JetConversion
