// Cellars of the Windows release (Jet databases) converted into Tonnelix cellars: every value the fixtures
// hold, through the core and through the command line; the refusals leave the source byte-identical and
// nothing behind.
#include "TestPaths.h"
#include "db/CellarSession.h"
#include "db/JetSignature.h"
#include "jet/JetConversion.h"
#include "jet/JetHeader.h"
#include "jet/JetReader.h"
#include "platform/Profile.h"
#include "rack/RackGeometry.h"
#include "support/Fixtures.h"
#include "support/ProgramRun.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The first page of a file (its Jet header).
QByteArray firstPage(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
}

// The rows of a query, each as its values joined by "|", NULL as "∅".
QStringList rows(Database& db, const QString& sql)
{
    QStringList lines;
    Recordset rs = db.openQuery(sql);
    if (rs.recordCount() == 0)
        return lines;
    for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
        QStringList values;
        for (int c = 0; c < rs.fieldNames().size(); ++c) {
            const QVariant v = rs.value(c);
            values << (v.isNull() ? QStringLiteral("∅") : v.toString());
        }
        lines << values.join(QLatin1Char('|'));
    }
    return lines;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestJet : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void signatureByContent()
    {
        QCOMPARE(JetSignature::of(jetFixture("cave-v6.mdb")), JetSignature::Kind::Jet);
        QCOMPARE(JetSignature::of(jetFixture("autre-programme.mdb")), JetSignature::Kind::Jet);
        QTemporaryDir dir;
        // An SQLite cellar named .mdb is not Jet; a Jet file named otherwise is.
        const QString renamed = dir.filePath(QStringLiteral("cave.sauvegarde"));
        QVERIFY(QFile::copy(jetFixture("cave-base.mdb"), renamed));
        QCOMPARE(JetSignature::of(renamed), JetSignature::Kind::Jet);
        QFile sqlite(dir.filePath(QStringLiteral("Tonnelix.mdb")));
        QVERIFY(sqlite.open(QIODevice::WriteOnly));
        sqlite.write("SQLite format 3");
        sqlite.close();
        QCOMPARE(JetSignature::of(sqlite.fileName()), JetSignature::Kind::None);
        QCOMPARE(JetSignature::of(dir.path()), JetSignature::Kind::None);
        QCOMPARE(JetConversion::proposedTarget(renamed), dir.filePath(QStringLiteral("cave (converti).mdb")));
        QVERIFY(QFile::copy(renamed, dir.filePath(QStringLiteral("cave (converti).mdb"))));
        QCOMPARE(JetConversion::proposedTarget(renamed), dir.filePath(QStringLiteral("cave (converti) 2.mdb")));
    }

    // The file type the package installs: an SQLite .mdb is a Tonnelix cellar, a Jet .mdb stays an Access
    // database (Tonnelix is offered for it, not made its default).
    void desktopFileTypes()
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (tool.isEmpty() || !QFileInfo::exists(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml")))
            QSKIP("shared-mime-info is not installed");
        QTemporaryDir data;
        QDir(data.path()).mkpath(QStringLiteral("mime/packages"));
        QVERIFY(QFile::copy(QStringLiteral(TONNELIX_SOURCE_DIR "/packaging/tonnelix-mime.xml"),
                            data.filePath(QStringLiteral("mime/packages/tonnelix-mime.xml"))));
        QVERIFY(QFile::copy(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml"),
                            data.filePath(QStringLiteral("mime/packages/freedesktop.org.xml"))));
        QCOMPARE(QProcess::execute(tool, {data.filePath(QStringLiteral("mime"))}), 0);
        // Qt's mime database reads the types of these folders only (it is first used here).
        qputenv("XDG_DATA_DIRS", QFile::encodeName(data.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.filePath(QStringLiteral("home"))));
        TempCellar cellar;
        cellar.closeSession();
        const QMimeDatabase types;
        QCOMPARE(types.mimeTypeForFile(cellar.path()).name(), QStringLiteral("application/x-tonnelix-cellar"));
        QCOMPARE(types.mimeTypeForFile(jetFixture("cave-v6.mdb")).name(), QStringLiteral("application/vnd.ms-access"));
        QCOMPARE(types.mimeTypeForFile(jetFixture("autre-programme.mdb")).name(),
                 QStringLiteral("application/vnd.ms-access"));
    }

    void everyValueOfTheVersion6Cellar()
    {
        ScriptedPrompt prompt;
        Profile::remove(QStringLiteral("Config"), QStringLiteral("Casier1"));
        Profile::remove(QStringLiteral("Config"), QStringLiteral("Casier2"));
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("Tonnelix.mdb"));
        QVERIFY(QFile::copy(jetFixture("cave-v6.mdb"), source));
        const QByteArray before = fileChecksum(source);
        const QString target = dir.filePath(QStringLiteral("Nouvelle.mdb"));
        QList<int> steps;
        const JetConversion::Report report =
            JetConversion::convert(source, target, [&steps](int percent) { steps << percent; });
        QVERIFY2(report.ok, qPrintable(report.message));
        QCOMPARE(fileChecksum(source), before);
        QCOMPARE(steps.last(), 100);
        QCOMPARE(filesIn(dir.path()), (QStringList{"Nouvelle.mdb", "Tonnelix.mdb"}));
        QCOMPARE(report.version, QStringLiteral("6.00"));
        QCOMPARE(report.lots, 5);
        QCOMPARE(report.bottles, 9 + 6 + 2 + 3 + 0);
        QCOMPARE(report.wineTypes, 5);
        QCOMPARE(report.crus, 3);
        QCOMPARE(report.dishes, 3);
        QCOMPARE(report.estates, 2);
        QCOMPARE(report.countries, 3);
        QCOMPARE(report.vintageYears, 2);
        QCOMPARE(report.rackPositions, 5);
        QVERIFY(report.lotsWithoutType.isEmpty());
        QVERIFY(report.orphanPositions.isEmpty());
        QCOMPARE(report.missingPictures, QStringList{QStringLiteral("lot 2 : C:\\Mes Documents\\Cave\\abbaye.bmp")});
        QCOMPARE(report.racks.size(), 2);

        CellarSession session(OpenCellarFile(target, false));
        Database& db = session.database();
        QCOMPARE(rows(db, QStringLiteral("SELECT [Version Base], Date, Proprietaire FROM INFO")),
                 QStringList{"6.00|06/01/2007|Zalbrec"});
        QCOMPARE(rows(db, QStringLiteral("SELECT Pays, Nic FROM PAYS ORDER BY rowid")),
                 (QStringList{"France|FR", "Italie|IT", "Espagne|ES"}));
        QCOMPARE(rows(db, QStringLiteral("SELECT Nom FROM CRUS ORDER BY rowid")),
                 (QStringList{"Grand Cru", "Premier Cru", "Cru Bourgeois"}));
        QCOMPARE(rows(db, QStringLiteral("SELECT IndexPlats, Plat FROM PLATS ORDER BY IndexPlats")),
                 (QStringList{"1|Bœuf bourguignon", "2|Plateau de fromages", "3|Huîtres"}));
        QCOMPARE(rows(db, QStringLiteral("SELECT [Index], Type, Appellation, Etat, Nic FROM TYPEVIN ORDER BY [Index]")),
                 (QStringList{"1|Bordeaux Rouge|Pauillac|0|FR", "2|Bordeaux Rouge|Saint-Émilion|0|FR",
                              "3|Bourgogne Blanc|Meursault|1|FR", "4|Toscane|Chianti Classico|0|IT",
                              "5|Provence|Bandol|2|FR"}));
        QCOMPARE(rows(db, QStringLiteral("SELECT Raisin, Garde, Terroir, Caracteres, Millesimesremarquables, RelPlats, "
                                         "Superficie, Temperature FROM TYPEVIN WHERE [Index] = 1")),
                 QStringList{"Cabernet-Sauvignon, Merlot|10 à 20 ans|Graves profondes|Tannique, cassis|1982 1990 2000 "
                             "2005|*1,*2,|1200 ha|16-18"});
        QCOMPARE(rows(db, QStringLiteral("SELECT Garde, RelPlats, Temperature FROM TYPEVIN WHERE [Index] = 3")),
                 QStringList{"5 à 8 ans|*3,|11-13"});
        QCOMPARE(rows(db, QStringLiteral("SELECT Garde FROM TYPEVIN WHERE [Index] = 4")), QStringList{"4 ans"});
        QCOMPARE(
            rows(db, QStringLiteral("SELECT [Index], [Nom vin], RelType, Proprietaire, Cru, Millesime, [Nbr Achat], "
                                    "Stock, [Date Achat], Cote, Contenance, Images FROM CAVE ORDER BY [Index]")),
            (QStringList{"1|Château Lavergne|1|Famille Dubreuil|Grand Cru|2005|12|9|15/03/2008|15|0,75 L|∅",
                         "2|Clos de l'Abbaye|2|Domaine \"Les Vignes\"|Premier Cru|2010|6|6|02/11/2012|10|0,75 "
                         "L|C:\\Mes Documents\\Cave\\abbaye.bmp",
                         "3|Les Perrières|3|Maison Rolin|Premier Cru|2014|6|2|∅|6|0,75 L|∅",
                         "4|Riserva Poggio|4|Fattoria Alta|∅|2012|3|3|01/06/2015|99|1,5 L|∅",
                         "5|Rosé d'été|5|Domaine Sœurs Marnier|∅|2019|12|0|20/05/2020|99|0,75 L|∅"}));
        // Prices exactly: the stored doubles, not a text rounded on the way.
        const QList<double> prices = {540, 123.6, 270, 66.5, 114};
        for (int lot = 1; lot <= 5; ++lot)
            QCOMPARE(db.scalar(QStringLiteral("SELECT [Prix Achat] FROM CAVE WHERE [Index] = ?"), {lot}).toDouble(),
                     prices[lot - 1]);
        QCOMPARE(rows(db, QStringLiteral("SELECT Relation, Casier, [Coordonnees X], [Coordonnees Y] FROM RAYONNAGE "
                                         "ORDER BY rowid")),
                 (QStringList{"1|1|1|1", "1|1|2|1", "1|1|3|1", "2|1|1|2", "3|2|5|4"}));
        QCOMPARE(rows(db, QStringLiteral("SELECT Domaine, Type FROM DOMAINES ORDER BY rowid")),
                 (QStringList{"Famille Dubreuil|Bordeaux Rouge", "Maison Rolin|Bourgogne Blanc"}));
        QCOMPARE(
            rows(db, QStringLiteral("SELECT Type, Cote FROM ANNEES ORDER BY rowid")),
            (QStringList{"Tonnelix|2005", "BR|19",    "BBL|18",    "BoR|17",        "BB|16",    "BoB|18",   "Champ|17",
                         "Loire|16",      "Rhone|18", "Alsace|17", "Tonnelix|2010", "BR|18",    "BBL|17",   "BoR|∅",
                         "BB|15",         "BoB|16",   "Champ|0",   "Loire|17",      "Rhone|19", "Alsace|16"}));
        // New rows continue above the highest counters; the journal opens with what each lot holds.
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Stock) VALUES ('Nouveau', 1, 1)"));
        QCOMPARE(db.lastInsertId(), 6);
        db.execute(QStringLiteral("INSERT INTO PLATS (Plat) VALUES ('Gibier')"));
        QCOMPARE(db.lastInsertId(), 4);
        QCOMPARE(rows(db, QStringLiteral("SELECT RelCave, Quantite, Nature FROM MOUVEMENTS WHERE Nature = 'ouverture' "
                                         "ORDER BY RelCave")),
                 (QStringList{"1|9|ouverture", "2|6|ouverture", "3|2|ouverture", "4|3|ouverture"}));
        // Rack sizes: at least the default, enough for every position.
        QCOMPARE(RackGeometry::load(1).columns, 14);
        QCOMPARE(RackGeometry::load(2).rows, 14);
        QVERIFY(prompt.messages().isEmpty());
    }

    void theBaseCellarIsUpgradedOnTheWay()
    {
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("Base.mdb"));
        const QByteArray before = fileChecksum(jetFixture("cave-base.mdb"));
        const JetConversion::Report report = JetConversion::convert(jetFixture("cave-base.mdb"), target);
        QVERIFY2(report.ok, qPrintable(report.message));
        QCOMPARE(fileChecksum(jetFixture("cave-base.mdb")), before);
        QCOMPARE(report.version, QStringLiteral("de base"));
        CellarSession session(OpenCellarFile(target, false));
        Database& db = session.database();
        QCOMPARE(rows(db, QStringLiteral("SELECT [Index], Type, Appellation, Etat FROM TYPEVIN ORDER BY [Index]")),
                 (QStringList{"1|Alsace|Riesling|1", "2|Côtes du Rhône|Gigondas|0"}));
        QCOMPARE(
            rows(db, QStringLiteral("SELECT [Index], [Nom vin], RelType, Proprietaire, Cru, Millesime, [Nbr Achat], "
                                    "[Prix Achat], Stock, [Date Achat], Cote FROM CAVE ORDER BY [Index]")),
            (QStringList{"1|Schlossberg|1|Domaine Weinbach|Grand Cru|2001|6|150|4|05/09/2003|12",
                         "2|Cuvée Florence|2|Château d'Ausset|∅|1999|12|96|12|∅|99"}));
        QCOMPARE(rows(db, QStringLiteral("SELECT Nom FROM CRUS")), QStringList{"Grand Cru"});
        QCOMPARE(rows(db, QStringLiteral("SELECT Cote FROM ANNEES ORDER BY rowid")),
                 (QStringList{"2001", "16", "15", "14", "15", "14", "15", "13", "14", "17"}));
        // What the upgrades add is there: the complete schema, the version, the countries, the journal.
        for (const char* table : {"INFO", "RAYONNAGE", "PLATS", "DOMAINES", "PAYS", "MOUVEMENTS"})
            QVERIFY2(db.tableExists(QString::fromLatin1(table)), table);
        QVERIFY(db.columnExists(QStringLiteral("CAVE"), QStringLiteral("Images")));
        QVERIFY(db.columnExists(QStringLiteral("TYPEVIN"), QStringLiteral("Nic")));
        QCOMPARE(db.scalar(QStringLiteral("SELECT [Version Base] FROM INFO")).toString(), QStringLiteral("6.00"));
        QVERIFY(db.scalar(QStringLiteral("SELECT count(*) FROM PAYS")).toInt() > 3);
        QCOMPARE(db.scalar(QStringLiteral("SELECT sum(Quantite) FROM MOUVEMENTS")).toInt(), 16);
        QVERIFY(report.racks.isEmpty());
    }

    // Refused, with the source byte-identical and nothing left in the target's folder.
    void refusalsLeaveNothingBehind()
    {
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        const QString truncated = dir.filePath(QStringLiteral("coupee.mdb"));
        QVERIFY(alteredCopy("cave-v6.mdb", truncated, [](QByteArray& b) { b.truncate(b.size() / 2 + 1000); }));
        const QString sqlite = dir.filePath(QStringLiteral("sqlite.mdb"));
        {
            TempProfile scratch;
            Database db;
            db.open(sqlite, Database::OpenMode::CreateIfMissing);
            db.execute(QStringLiteral("CREATE TABLE CAVE (x)"));
        }
        // Access 2007 and later: known by its first bytes, refused.
        const QString ace = dir.filePath(QStringLiteral("recent.accdb"));
        QVERIFY(alteredCopy("cave-base.mdb", ace, [](QByteArray& b) { b.replace(4, 15, "Standard ACE DB"); }));
        // An encrypted database: the key in its (masked) header is not zero.
        const QString locked = dir.filePath(QStringLiteral("protegee.mdb"));
        QVERIFY(alteredCopy("cave-base.mdb", locked, [](QByteArray& b) {
            for (int i = 0x3e; i < 0x3e + 4; ++i)
                b[i] = static_cast<char>(b[i] ^ 0x5a);
        }));
        // A password without encryption: the pages are readable, the header says the owner wants them kept.
        const QString password = dir.filePath(QStringLiteral("mot-de-passe.mdb"));
        bool hadPassword = true;
        QVERIFY(alteredCopy("cave-v6.mdb", password, [&](QByteArray& b) {
            hadPassword = JetHeader::hasPassword(b.left(4096));
            b.replace(0, 4096, JetHeader::withPassword(b.left(4096), QByteArray("v\0i\0n\0", 6)));
        }));
        QVERIFY(!hadPassword);
        QVERIFY(JetHeader::hasPassword(firstPage(password)));
        const QString existing = dir.filePath(QStringLiteral("existe.mdb"));
        QFile(existing).open(QIODevice::WriteOnly);
        struct Case
        {
            QString source;
            QString target;
            QString says;
        };
        const QList<Case> cases = {
            {jetFixture("autre-programme.mdb"), dir.filePath(QStringLiteral("a.mdb")),
             QStringLiteral("autre programme")},
            {truncated, dir.filePath(QStringLiteral("b.mdb")), QStringLiteral("tronqué")},
            {sqlite, dir.filePath(QStringLiteral("c.mdb")), QStringLiteral("pas une base Access")},
            {jetFixture("cave-v6.mdb"), existing, QStringLiteral("existe déjà")},
            {dir.filePath(QStringLiteral("absent.mdb")), dir.filePath(QStringLiteral("d.mdb")),
             QStringLiteral("n'existe pas")},
            {dir.path(), dir.filePath(QStringLiteral("e.mdb")), QStringLiteral("pas un fichier ordinaire")},
            {ace, dir.filePath(QStringLiteral("f.mdb")), QStringLiteral("Access 2007")},
            {locked, dir.filePath(QStringLiteral("g.mdb")), QStringLiteral("chiffré")},
            {password, dir.filePath(QStringLiteral("h.mdb")), QStringLiteral("mot de passe")},
        };
        const QStringList files = filesIn(dir.path());
        for (const Case& c : cases) {
            const QByteArray before = fileChecksum(c.source);
            const QByteArray targetBefore = fileChecksum(c.target);
            const JetConversion::Report report = JetConversion::convert(c.source, c.target);
            QVERIFY(!report.ok);
            QVERIFY2(report.message.contains(c.says), qPrintable(report.message));
            QVERIFY(report.message.endsWith(QStringLiteral("Il n'a pas été modifié.")));
            QCOMPARE(fileChecksum(c.source), before);
            QCOMPARE(fileChecksum(c.target), targetBefore);
            QCOMPARE(filesIn(dir.path()), files);
        }
    }

    // The command line: the same report, exit 0; a refusal in French on standard error, exit 1; usage 2.
    void commandLine()
    {
        QTemporaryDir dir;
        auto run = [&dir](const QStringList& args, QByteArray* out, QByteArray* err) {
            const ProgramRun program = runProgram(args, dir.path());
            *out = program.out;
            *err = program.err;
            return program.status;
        };
        QByteArray out;
        QByteArray err;
        const QString target = dir.filePath(QStringLiteral("Convertie.mdb"));
        QCOMPARE(run({QStringLiteral("--convert-jet"), jetFixture("cave-v6.mdb"), target}, &out, &err), 0);
        const QString text = QString::fromLocal8Bit(out);
        QVERIFY2(text.contains(QStringLiteral("- 5 lot(s), 20 bouteille(s) en cave")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Points à vérifier :")));
        QVERIFY(text.contains(QStringLiteral("Image introuvable ici (chemin gardé tel quel) : lot 2 : C:\\Mes "
                                             "Documents\\Cave\\abbaye.bmp")));
        QVERIFY(QFileInfo(target).isFile());
        // Never over an existing file: refused, the target as it was.
        const QByteArray converted = fileChecksum(target);
        QCOMPARE(run({QStringLiteral("--convert-jet"), jetFixture("cave-base.mdb"), target}, &out, &err), 1);
        QVERIFY2(QString::fromLocal8Bit(err).contains(QStringLiteral("existe déjà")), err.constData());
        QCOMPARE(fileChecksum(target), converted);
        QCOMPARE(run({QStringLiteral("--convert-jet"), jetFixture("autre-programme.mdb"),
                      dir.filePath(QStringLiteral("x.mdb"))},
                     &out, &err),
                 1);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("x.mdb"))));
        // A damaged file: the user reads the French reason alone, not the library's own English.
        const QString damaged = dir.filePath(QStringLiteral("abimee.mdb"));
        QVERIFY(alteredCopy("cave-v6.mdb", damaged, [](QByteArray& b) {
            for (int i = 8192; i < b.size(); i += 97)
                b[i] = static_cast<char>(0xff);
        }));
        const int status =
            run({QStringLiteral("--convert-jet"), damaged, dir.filePath(QStringLiteral("y.mdb"))}, &out, &err);
        if (status == 1)
            QVERIFY2(err.startsWith("Le fichier ") && err.count('\n') == 1, err.constData());
        else
            QCOMPARE(status, 0); // what the library could read is converted and reported
        QCOMPARE(run({QStringLiteral("--convert-jet"), jetFixture("cave-v6.mdb")}, &out, &err), 2);
        // The progress the window reads, then the report.
        QCOMPARE(run({QStringLiteral("--convert-jet"), jetFixture("cave-base.mdb"),
                      dir.filePath(QStringLiteral("p.mdb")), QStringLiteral("--progress")},
                     &out, &err),
                 0);
        QVERIFY(out.startsWith("@progression "));
        QVERIFY(out.contains("@progression 100\n"));
        // --new: an empty cellar, never over a file.
        const QString fresh = dir.filePath(QStringLiteral("Vide.mdb"));
        QCOMPARE(run({QStringLiteral("--new"), fresh}, &out, &err), 0);
        {
            CellarSession session(OpenCellarFile(fresh, false));
            QCOMPARE(session.database().scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), 0);
            QVERIFY(session.database().tableExists(QStringLiteral("MOUVEMENTS")));
        }
        const QByteArray empty = fileChecksum(fresh);
        QCOMPARE(run({QStringLiteral("--new"), fresh}, &out, &err), 1);
        QCOMPARE(fileChecksum(fresh), empty);
    }

    // A cellar of many pages: every lot and position read from every data page, the racks sized to hold them.
    void largeCellarAcrossPages()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("Grande.mdb"));
        QCOMPARE(QProcess::execute(QStringLiteral(TONNELIX_MAKE_JET_CELLAR),
                                   {jetFixture("cave-v6.mdb"), QStringLiteral("1200"), source}),
                 0);
        const QByteArray before = fileChecksum(source);
        const QString target = dir.filePath(QStringLiteral("Grande (converti).mdb"));
        const JetConversion::Report report = JetConversion::convert(source, target);
        QVERIFY2(report.ok, qPrintable(report.message));
        QCOMPARE(fileChecksum(source), before);
        Database db;
        db.open(target);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM CAVE")).toInt(), 1200);
        QCOMPARE(db.scalar(QStringLiteral("SELECT max([Index]) - min([Index]) FROM CAVE")).toInt(), 1199);
        // Lot 1000 repeats the template's fifth lot; its position is the 1000th of racks of 15 × 15.
        QCOMPARE(db.scalar(QStringLiteral("SELECT [Nom vin] FROM CAVE WHERE [Index] = 1000")).toString(),
                 QStringLiteral("Rosé d'été"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT Casier || ',' || [Coordonnees X] || ',' || [Coordonnees Y] FROM "
                                          "RAYONNAGE WHERE Relation = 1000"))
                     .toString(),
                 QStringLiteral("5,10,7"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM RAYONNAGE")).toInt(), 1200);
        QCOMPARE(report.racks.size(), 6);
        for (const JetConversion::Rack& rack : report.racks)
            QVERIFY(rack.columns >= 15 && rack.rows >= (rack.number < 6 ? 15 : 5));
    }

    // Pictures whose Windows path does not exist here are found again by file name in a chosen folder.
    void picturesFoundInAFolder()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("Images.mdb"));
        QVERIFY(JetConversion::convert(jetFixture("cave-v6.mdb"), target).ok);
        QDir(dir.path()).mkdir(QStringLiteral("photos"));
        QFile picture(dir.filePath(QStringLiteral("photos/abbaye.bmp")));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write("BM");
        picture.close();
        QStringList missing;
        QString error;
        QCOMPARE(JetConversion::relinkPictures(target, dir.filePath(QStringLiteral("photos")), &missing, &error), 1);
        QVERIFY(missing.isEmpty());
        Database db;
        db.open(target);
        QCOMPARE(db.scalar(QStringLiteral("SELECT Images FROM CAVE WHERE [Index] = 2")).toString(),
                 dir.filePath(QStringLiteral("photos/abbaye.bmp")));
    }

    // The reader over damaged bytes: no crash, and no table read where there is nothing to read.
    void damagedBytesAreRefused()
    {
        QFile whole(jetFixture("cave-v6.mdb"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        for (const int cut : {0, 10, 4096, 8192}) {
            JetReader reader;
            QString error;
            if (reader.openBuffer(bytes.left(cut), &error)) {
                for (const QString& table : reader.tables())
                    reader.readTable(
                        table, [](const auto&, const auto&) {}, &error);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestJet)
#include "test_jet.moc"
