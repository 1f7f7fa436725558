// The small cellar a newcomer sees with ./scripts/run --demo.
#include "CellarGenerator.h"

#include "db/engine/Database.h"

#include <QDate>
#include <algorithm>

namespace CellarGenerator {

namespace {

struct DemoType
{
    const char* type;
    const char* appellation;
    const char* colour;
    const char* country;
    const char* keeping;
    const char* grapes;
    const char* temperature;
};

const DemoType kTypes[] = {
    // The French types are named as the vintage ratings know them, so that the entry page shows their rating.
    {"Bordeaux Rouge", "Pauillac", "0", "FR", "10 à 20 ans", "Cabernet-Sauvignon, Merlot", "16-18"},
    {"Bordeaux Rouge", "Saint-Émilion", "0", "FR", "8 à 15 ans", "Merlot, Cabernet franc", "16-17"},
    {"Bordeaux Blanc liquoreux", "Sauternes", "1", "FR", "15 à 30 ans", "Sémillon, Sauvignon", "08-10"},
    {"Bourgogne Rouge", "Gevrey-Chambertin", "0", "FR", "8 à 12 ans", "Pinot noir", "15-16"},
    {"Bourgogne Blanc", "Meursault", "1", "FR", "5 à 10 ans", "Chardonnay", "11-13"},
    {"Rhone", "Châteauneuf-du-Pape", "0", "FR", "6 à 12 ans", "Grenache, Syrah, Mourvèdre", "16-18"},
    {"Loire Blanc", "Sancerre", "1", "FR", "3 à 5 ans", "Sauvignon", "09-11"},
    {"Provence", "Côtes de Provence", "2", "FR", "2 ans", "Grenache, Cinsault", "08-10"},
    {"Champagne", "Champagne", "3", "FR", "3 à 8 ans", "Chardonnay, Pinot noir", "08-09"},
    {"Alsace", "Riesling", "1", "FR", "4 à 10 ans", "Riesling", "09-10"},
    {"Rioja", "Rioja Reserva", "0", "ES", "6 à 10 ans", "Tempranillo", "16-18"},
    {"Toscane", "Chianti Classico", "0", "IT", "5 à 8 ans", "Sangiovese", "16-17"},
    {"Porto", "Porto Vintage", "3", "PT", "20 ans", "Touriga Nacional", "14-16"},
    {"Napa", "Napa Valley", "0", "US", "8 à 15 ans", "Cabernet-Sauvignon", "16-18"},
};

const char* const kDishes[] = {"Agneau rôti", "Entrecôte grillée", "Foie gras",      "Fromages de chèvre",
                               "Huîtres",     "Poisson en sauce",  "Volaille rôtie", "Desserts aux fruits",
                               "Gibier",      "Charcuterie"};

// Dishes of each type above, by position in kDishes (1-based, 0 ends the list).
const int kPairings[][4] = {{1, 2, 9, 0},  {1, 7, 0, 0},  {3, 8, 0, 0},  {7, 9, 0, 0}, {6, 5, 0, 0},
                            {9, 1, 0, 0},  {4, 5, 0, 0},  {10, 6, 0, 0}, {5, 8, 0, 0}, {6, 0, 0, 0},
                            {1, 10, 0, 0}, {2, 10, 0, 0}, {8, 0, 0, 0},  {2, 0, 0, 0}};

const char* const kNames[] = {"Grand Vin", "Cuvée Prestige", "Vieilles Vignes", "Réserve", "Cuvée des Amis"};
const char* const kOwners[] = {"Château Lafleur",    "Domaine de l'Arlot", "Maison Rouvière", "Clos des Lys",
                               "Château \"Le Pin\"", "Domaine Aubert",     "Bodegas Norte",   "Fattoria Alta"};
const char* const kCrus[] = {
    "Premier Grand Cru Classé", "Grand Cru", "Premier Cru", "Cru Bourgeois", "Village", "Générique"};
const char* const kRegions[] = {"BR", "BBL", "BoR", "BB", "BoB", "Champ", "Loire", "Rhone", "Alsace"};

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

void fillDemo(Database& db)
{
    Transaction tx(db);
    const int typeCount = static_cast<int>(std::size(kTypes));
    for (const char* dish : kDishes)
        db.execute(QStringLiteral("INSERT INTO PLATS (Plat) VALUES (?)"), {u(dish)});
    QList<qlonglong> typeIndex;
    for (int t = 0; t < typeCount; ++t) {
        const DemoType& type = kTypes[t];
        QString dishes;
        for (int d : kPairings[t]) {
            if (d > 0)
                dishes += QStringLiteral("*%1,").arg(d);
        }
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic, Garde, Raisin, Temperature, "
                                  "RelPlats, Terroir, Caracteres) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {u(type.type), u(type.appellation), u(type.colour), u(type.country), u(type.keeping), u(type.grapes),
                    u(type.temperature), dishes, QStringLiteral("Argilo-calcaire"), QStringLiteral("Fruité, ample")});
        typeIndex << db.lastInsertId();
    }
    for (const char* type : {"Bordeaux Rouge", "Bourgogne Rouge", "Rhone", "Champagne"}) {
        for (int k = 0; k < 2; ++k)
            db.execute(QStringLiteral("INSERT INTO DOMAINES (Domaine, Type) VALUES (?, ?)"),
                       {u(kOwners[(k * 3 + static_cast<int>(qstrlen(type))) % 8]), u(type)});
    }

    const QDate today = QDate::currentDate();
    const int lastYear = today.year() - 1;
    QList<qlonglong> lots;
    for (int i = 0; i < 40; ++i) {
        const int t = i % typeCount;
        const int vintage = 1995 + (i * 7) % (lastYear - 1995);
        const int bought = 6 + (i % 4) * 6;
        const double unit = 9.5 + (i * 13) % 80;
        const int stock = bought - (i % 5);
        const int keeping = (i % 9 == 0) ? 99 : 3 + (i * 5) % 15;
        // Bought a few years after the vintage, never after today.
        QDate purchase(qMin(vintage + 3, lastYear + 1), 1 + i % 12, 1 + (i * 3) % 28);
        if (purchase > today)
            purchase = today.addDays(-(20 + (i * 11) % 300));
        // The lot comes in with every bottle bought, then the ones drunk go out: the journal holds both.
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Proprietaire, Cru, Millesime, [Nbr Achat], "
                                  "[Prix Achat], Stock, [Date Achat], Cote, Contenance, Images) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {u(kNames[i % 5]), typeIndex.at(t), u(kOwners[i % 8]), u(kCrus[i % 6]), vintage, bought,
                    bought * unit, bought, purchase.toString(QStringLiteral("dd/MM/yyyy")), keeping,
                    i % 7 == 0 ? QStringLiteral("1,5 L (Magnum)") : QStringLiteral("0,75 L"), QString()});
        const qlonglong lot = db.lastInsertId();
        lots << lot;
        if (stock != bought)
            db.execute(QStringLiteral("UPDATE CAVE SET Stock = ? WHERE [Index] = ?"), {stock, lot});
        // The movements are dated as the lot's own story: bought on its date, drunk some months later.
        if (db.tableExists(QStringLiteral("MOUVEMENTS"))) {
            const QDate drunk = std::min(purchase.addMonths(2 + i % 20), today);
            db.execute(QStringLiteral("UPDATE MOUVEMENTS SET DateHeure = ? WHERE RelCave = ? AND Nature = 'achat'"),
                       {purchase.toString(Qt::ISODate) + QStringLiteral("T10:00:00"), lot});
            db.execute(QStringLiteral("UPDATE MOUVEMENTS SET DateHeure = ? WHERE RelCave = ? AND Nature = 'sortie'"),
                       {drunk.toString(Qt::ISODate) + QStringLiteral("T20:00:00"), lot});
        }
    }
    // A few bottles already in racks 1 and 2.
    for (int i = 0; i < 12; ++i)
        db.execute(QStringLiteral("INSERT INTO RAYONNAGE (Relation, Casier, [Coordonnees X], [Coordonnees Y]) "
                                  "VALUES (?, ?, ?, ?)"),
                   {lots.at(i % 8), 1 + i / 8, 1 + i % 5, 1 + i / 5});

    // Ratings of every year from 1990 to last year: the year row, then one row per region.
    for (int year = 1990; year <= lastYear; ++year) {
        db.execute(QStringLiteral("INSERT INTO ANNEES (Type, Cote) VALUES (?, ?)"),
                   {QStringLiteral("Tonnelix"), QString::number(year)});
        for (int r = 0; r < 9; ++r)
            db.execute(QStringLiteral("INSERT INTO ANNEES (Type, Cote) VALUES (?, ?)"),
                       {u(kRegions[r]), QString::number(8 + (year * 7 + r * 5) % 13)});
    }
    tx.commit();
}

} // namespace CellarGenerator
