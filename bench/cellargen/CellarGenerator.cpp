#include "CellarGenerator.h"

#include "db/CellarSession.h"
#include "db/SchemaUpgrade.h"
#include "platform/Profile.h"

#include <QTemporaryDir>
#include <random>

namespace CellarGenerator {

void createCompleteCellar(const QString& path)
{
    // The upgrade chain records versions in the settings: keep them away from the user's own.
    QTemporaryDir scratch;
    const QString previous = Profile::redirection();
    Profile::useFile(scratch.filePath(QStringLiteral("generator.ini")));
    try {
        CellarSession session(OpenCellarFile(path, true));
        const SchemaUpgrade::Result upgraded = SchemaUpgrade(session).RunChain();
        if (!upgraded.ok)
            throw DbError(0, upgraded.message);
    } catch (...) {
        Profile::useFile(previous);
        throw;
    }
    Profile::useFile(previous);
}

void fillSynthetic(Database& db, int lots, unsigned seed)
{
    struct Region
    {
        const char* type;
        const char* appellations[4];
        const char* colour;
        const char* country;
    };
    static const Region regions[] = {
        {"Bordeaux", {"Pauillac", "Margaux", "Saint-Julien", "Pessac-Léognan"}, "0", "FR"},
        {"Bordeaux Blanc", {"Sauternes", "Barsac", "Graves", "Entre-Deux-Mers"}, "1", "FR"},
        {"Bourgogne", {"Gevrey-Chambertin", "Pommard", "Volnay", "Nuits-Saint-Georges"}, "0", "FR"},
        {"Bourgogne Blanc", {"Meursault", "Chablis", "Puligny-Montrachet", "Mâcon"}, "1", "FR"},
        {"Côtes du Rhône", {"Châteauneuf-du-Pape", "Gigondas", "Côte-Rôtie", "Vacqueyras"}, "0", "FR"},
        {"Loire", {"Sancerre", "Vouvray", "Chinon", "Muscadet"}, "1", "FR"},
        {"Provence", {"Côtes de Provence", "Bandol", "Cassis", "Palette"}, "2", "FR"},
        {"Champagne", {"Champagne", "Crémant", "Coteaux Champenois", "Rosé des Riceys"}, "3", "FR"},
        {"Rioja", {"Rioja Crianza", "Rioja Reserva", "Rioja Gran Reserva", "Rioja Joven"}, "0", "ES"},
        {"Toscane", {"Chianti Classico", "Brunello di Montalcino", "Bolgheri", "Montepulciano"}, "0", "IT"},
        {"Porto", {"Porto Vintage", "Porto Tawny", "Porto LBV", "Porto Ruby"}, "3", "PT"},
        {"Moselle", {"Riesling Kabinett", "Riesling Spätlese", "Auslese", "Eiswein"}, "1", "DE"},
        {"Napa", {"Napa Valley", "Oakville", "Rutherford", "Stags Leap"}, "0", "US"},
        {"Tavel", {"Tavel", "Lirac", "Costières", "Luberon"}, "2", "FR"},
    };
    static const char* crus[] = {"Premier Cru", "Grand Cru", "Cru Bourgeois", "Village", "Générique"};
    static const char* owners[] = {"Château Lafleur",    "Domaine de l'Arlot", "Maison Rouvière", "Clos des Lys",
                                   "Château \"Le Pin\"", "Domaine Aubert",     "Bodegas Norte",   "Fattoria Alta"};
    static const char* sizes[] = {"0,75 L", "1,5 L (Magnum)", "0,33 CL", "3 L (Jeroboan)"};

    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    Transaction tx(db);
    QList<qlonglong> typeIndex;
    for (const Region& region : regions) {
        for (const char* appellation : region.appellations) {
            db.execute(
                QStringLiteral("INSERT OR IGNORE INTO TYPEVIN (Type, Appellation, Etat, Nic) VALUES (?, ?, ?, ?)"),
                {QString::fromUtf8(region.type), QString::fromUtf8(appellation), QString::fromLatin1(region.colour),
                 QString::fromLatin1(region.country)});
            typeIndex << db.scalar(QStringLiteral("SELECT [Index] FROM TYPEVIN WHERE Type = ? AND Appellation = ?"),
                                   {QString::fromUtf8(region.type), QString::fromUtf8(appellation)})
                             .toLongLong();
        }
    }
    for (int i = 0; i < lots; ++i) {
        const int bought = 1 + pick(24);
        const double price = bought * (5.0 + pick(9500) / 100.0);
        const int vintage = 1970 + pick(56);
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Proprietaire, Cru, Millesime, [Nbr Achat], "
                                  "[Prix Achat], Stock, [Date Achat], Cote, Contenance, Images) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   // One lot in ten is a red Bordeaux, the others spread over every appellation.
                   {QStringLiteral("Cuvée %1").arg(i + 1),
                    i % 10 == 0 ? typeIndex.at(pick(4)) : typeIndex.at(4 + pick(typeIndex.size() - 4)),
                    QString::fromUtf8(owners[pick(8)]), QString::fromUtf8(crus[pick(5)]), vintage, bought, price,
                    pick(bought + 1),
                    QStringLiteral("%1/%2/%3")
                        .arg(1 + pick(28), 2, 10, QLatin1Char('0'))
                        .arg(1 + pick(12), 2, 10, QLatin1Char('0'))
                        .arg(qMin(vintage + 2 + pick(5), 2026)),
                    pick(6) == 0 ? 99 : 3 + pick(20), QString::fromUtf8(sizes[pick(4)]), QString()});
    }
    tx.commit();
}

QString createSyntheticCellar(const QString& path, int lots)
{
    createCompleteCellar(path);
    Database db;
    db.open(path);
    fillSynthetic(db, lots);
    return path;
}

} // namespace CellarGenerator
