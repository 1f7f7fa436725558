#include "exchange/CellarTrackerCsv.h"

#include "db/CellarSession.h"
#include "db/Colour.h"
#include "exchange/ImportLimits.h"
#include "exchange/LotImportWriter.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <map>

namespace CellarTrackerCsv {

namespace {

// "Unknown" is CellarTracker's placeholder for a value it does not have.
QString clean(const QString& text)
{
    const QString value = decodeEntities(text).trimmed();
    return value.compare(QStringLiteral("Unknown"), Qt::CaseInsensitive) == 0 ? QString() : value;
}

} // namespace

bool recognises(const QStringList& header)
{
    return header.contains(QStringLiteral("iWine")) && header.contains(QStringLiteral("Wine")) &&
           header.contains(QStringLiteral("Vintage"));
}

QString decodeEntities(const QString& text)
{
    if (!text.contains(QStringLiteral("&#")))
        return text;
    static const QRegularExpression entity(QStringLiteral("&#(x[0-9A-Fa-f]{1,6}|[0-9]{1,7});"));
    QString out;
    qsizetype last = 0;
    auto it = entity.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString digits = m.captured(1);
        bool ok = false;
        const uint code = digits.startsWith(QLatin1Char('x')) ? digits.mid(1).toUInt(&ok, 16) : digits.toUInt(&ok);
        if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
            const char32_t c = code;
            out += QString::fromUcs4(&c, 1);
        } else {
            out += m.captured(0);
        }
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

QString size(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*([0-9]+(?:[.,][0-9]+)?)\\s*(ml|cl|l)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return text.trimmed();
    double value = QLocale::c().toDouble(QString(m.captured(1)).replace(QLatin1Char(','), QLatin1Char('.')));
    const QString unit = m.captured(2).toLower();
    if (unit == QLatin1String("ml"))
        value /= 1000;
    else if (unit == QLatin1String("cl"))
        value /= 100;
    return QLocale(QLocale::French).toString(value, 'g', 6) + QStringLiteral(" L");
}

QString date(const QString& text)
{
    const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("M/d/yyyy"));
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

int keeping(const QString& beginConsume, int vintage)
{
    const QString text = beginConsume.trimmed();
    int year = 0;
    if (const QDate d = QDate::fromString(text, QStringLiteral("M/d/yyyy")); d.isValid())
        year = d.year();
    else
        year = text.toInt();
    if (year == 0 || year == 9999 || vintage <= 0)
        return 99;
    const int years = year - vintage;
    return years >= 1 && years <= 98 ? years : 99;
}

QString colour(const QString& text)
{
    const QString c = text.trimmed().toLower();
    if (c == QLatin1String("red"))
        return ColourCode::stored(Colour::Red);
    if (c == QLatin1String("white"))
        return ColourCode::stored(Colour::White);
    if (c == QStringLiteral("rosé") || c == QLatin1String("rose"))
        return ColourCode::stored(Colour::Rose);
    return ColourCode::stored(Colour::Other);
}

QString countryCode(const QString& englishName)
{
    const QString name = englishName.trimmed();
    if (name.isEmpty())
        return QString();
    static QHash<QString, QString> codes = [] {
        QHash<QString, QString> table;
        for (int t = 1; t <= QLocale::LastTerritory; ++t) {
            const auto territory = static_cast<QLocale::Territory>(t);
            const QString code = QLocale::territoryToCode(territory);
            if (code.size() == 2)
                table.insert(QLocale::territoryToString(territory).toCaseFolded(), code);
        }
        table.insert(QStringLiteral("usa"), QStringLiteral("US"));
        return table;
    }();
    return codes.value(name.toCaseFolded());
}

QString wineName(const QString& wine, const QString& producer)
{
    const QString w = wine.trimmed();
    const QString p = producer.trimmed();
    if (!p.isEmpty() && w.startsWith(p, Qt::CaseInsensitive) && w.size() > p.size())
        return w.mid(p.size()).trimmed();
    return w;
}

ImportResult describe(const QStringList& header)
{
    static const QStringList known{
        QStringLiteral("iWine"),        QStringLiteral("Size"),           QStringLiteral("Price"),
        QStringLiteral("PurchaseDate"), QStringLiteral("Vintage"),        QStringLiteral("Wine"),
        QStringLiteral("Country"),      QStringLiteral("Region"),         QStringLiteral("SubRegion"),
        QStringLiteral("Appellation"),  QStringLiteral("Producer"),       QStringLiteral("Color"),
        QStringLiteral("BeginConsume"), QStringLiteral("BottleState"),    QStringLiteral("Quantity"),
        QStringLiteral("BottleCost"),   QStringLiteral("ConsumptionDate")};
    ImportResult result;
    for (const QString& column : header)
        (known.contains(column.trimmed()) ? result.recognised : result.ignored) << column.trimmed();
    return result;
}

namespace {

// The French name of a country given by its code, for the country list of the cellar.
QString countryName(const QString& code)
{
    if (code.isEmpty())
        return QString();
    const auto territory = QLocale::codeToTerritory(code);
    const QLocale french(QLocale::French, territory);
    return french.territory() == territory ? french.nativeTerritoryName() : QLocale::territoryToString(territory);
}

} // namespace

namespace {

// The file's columns, found by their names.
class Columns
{
public:
    explicit Columns(const QStringList& header)
    {
        for (int i = 0; i < header.size(); ++i)
            m_at.insert(header[i].trimmed(), i);
    }
    QString operator()(const QStringList& row, const char* name) const
    {
        const int i = m_at.value(QString::fromLatin1(name), -1);
        return i >= 0 ? clean(row.value(i)) : QString();
    }
    bool has(const char* name) const { return m_at.contains(QString::fromLatin1(name)); }

private:
    QHash<QString, int> m_at;
};

// The bottles of one lot: the rows of one wine bought on one day at one price.
struct BottleGroup
{
    QStringList first; // the first row of the lot, for its wine's fields
    int vintage = 0;
    double unitPrice = 0;
    qint64 bottles = 0;
    std::map<QString, int> consumed; // ISO date -> bottles drunk that day
};

struct Plan
{
    std::vector<ImportedLot> lots;
    QStringList skipped; // rows without a wine
    QString refusal;     // a row that cannot be read: nothing is imported
};

ImportedLot plannedLot(const Columns& field, const BottleGroup& group)
{
    QString appellation = field(group.first, "Appellation");
    if (appellation.isEmpty())
        appellation = field(group.first, "SubRegion");
    const QString code = countryCode(field(group.first, "Country"));
    const QString producer = field(group.first, "Producer");
    ImportedLot lot;
    lot.name = wineName(field(group.first, "Wine"), producer);
    lot.owner = producer;
    lot.cru = QStringLiteral("");
    lot.purchaseDate = date(field(group.first, "PurchaseDate"));
    lot.size = size(field(group.first, "Size"));
    lot.type = {field(group.first, "Region"),        appellation, QString(),
                colour(field(group.first, "Color")), code,        countryName(code)};
    lot.keeping = keeping(field(group.first, "BeginConsume"), group.vintage);
    lot.vintage = group.vintage;
    lot.bought = group.bottles;
    lot.stock = group.bottles;
    lot.price = group.unitPrice * group.bottles;
    lot.drunk.assign(group.consumed.begin(), group.consumed.end());
    return lot;
}

QString outOfRange(const QString& path, int line)
{
    return QStringLiteral("Le fichier %1 n'a pas été importé. Ligne %2 : un millésime, une quantité ou un prix est "
                          "hors des limites (millésime jusqu'à %3, %4 bouteilles par lot, prix jusqu'à %5).")
        .arg(path)
        .arg(line)
        .arg(ImportLimits::kMaxVintage)
        .arg(ImportLimits::kMaxBottles)
        .arg(ImportLimits::kMaxPrice, 0, 'f', 0);
}

// Checks every row and groups the bottles into lots; writes nothing.
Plan plan(const Csv::Table& table, const QString& path)
{
    const Columns field(table.rows.front());
    Plan plan;
    std::vector<BottleGroup> groups;
    QHash<QString, size_t> groupOf;
    for (size_t r = 1; r < table.rows.size(); ++r) {
        const QStringList& row = table.rows[r];
        const int line = table.lines[r];
        if (field(row, "Wine").isEmpty()) {
            plan.skipped << QStringLiteral("ligne %1 : pas de vin").arg(line);
            continue;
        }
        bool ok = true;
        const QString vintageText = field(row, "Vintage");
        int vintage = vintageText.isEmpty() ? 0 : vintageText.toInt(&ok);
        const QString quantityText = field(row, "Quantity");
        bool quantityOk = true;
        const int quantity = quantityText.isEmpty() ? 1 : quantityText.toInt(&quantityOk);
        const QString priceText = field(row, "BottleCost").isEmpty() ? field(row, "Price") : field(row, "BottleCost");
        bool priceOk = true;
        const double price = priceText.isEmpty() ? 0 : QLocale::c().toDouble(priceText, &priceOk);
        if (!ok || !quantityOk || !priceOk || quantity < 0) {
            plan.refusal = QStringLiteral("Le fichier %1 n'a pas été importé. Ligne %2 : un millésime, une quantité "
                                          "ou un prix n'est pas un nombre.")
                               .arg(path)
                               .arg(line);
            return plan;
        }
        if (vintage == 1001) // CellarTracker's non-vintage
            vintage = 0;
        if (vintage < 0 || vintage > ImportLimits::kMaxVintage || quantity > ImportLimits::kMaxBottles ||
            !(price >= 0 && price <= ImportLimits::kMaxPrice)) {
            plan.refusal = outOfRange(path, line);
            return plan;
        }
        const QString key =
            field(row, "iWine") + QChar(0x1F) + field(row, "PurchaseDate") + QChar(0x1F) + QString::number(price);
        auto found = groupOf.constFind(key);
        if (found == groupOf.constEnd()) {
            found = groupOf.insert(key, groups.size());
            groups.push_back({row, vintage, price, 0, {}});
        }
        BottleGroup& group = groups[found.value()];
        group.bottles += quantity;
        if (group.bottles > ImportLimits::kMaxBottles) {
            plan.refusal = outOfRange(path, line);
            return plan;
        }
        if (field.has("BottleState") && field(row, "BottleState") == QLatin1String("0")) {
            const QDate drunk = QDate::fromString(field(row, "ConsumptionDate"), QStringLiteral("M/d/yyyy"));
            group.consumed[drunk.isValid() ? drunk.toString(Qt::ISODate) : QString()] += quantity;
        }
    }
    plan.lots.reserve(groups.size());
    for (const BottleGroup& group : groups)
        plan.lots.push_back(plannedLot(field, group));
    return plan;
}

} // namespace

ImportResult import(CellarSession& session, const Csv::Table& table, const QString& path)
{
    ImportResult result = describe(table.rows.front());
    const Plan planned = plan(table, path);
    if (!planned.refusal.isEmpty()) {
        result.message = planned.refusal;
        return result;
    }
    LotImportWriter::Totals totals;
    const WriteResult written = LotImportWriter::write(
        session, "CellarTrackerCsv::import", {false, true},
        [&](LotImportWriter& writer) {
            for (const ImportedLot& lot : planned.lots)
                writer.add(lot);
        },
        totals);
    if (!written.done()) {
        ImportResult failed;
        failed.message = QStringLiteral("L'importation a échoué, votre cave est restée telle qu'elle était : %1")
                             .arg(written.engineText);
        return failed;
    }
    result.lots = totals.lots;
    result.bottles = totals.bottles;
    result.newTypes = totals.newTypes;
    result.ok = true;
    result.message = QStringLiteral("Export CellarTracker : %1 lot(s), %2 bouteille(s) en cave, %3 mouvement(s), "
                                    "%4 nouveau(x) type(s) de vin.")
                         .arg(result.lots)
                         .arg(result.bottles)
                         .arg(totals.movements)
                         .arg(result.newTypes);
    if (!planned.skipped.isEmpty())
        result.message += QStringLiteral("\nLignes ignorées : %1").arg(planned.skipped.join(QStringLiteral(" ; ")));
    return result;
}

} // namespace CellarTrackerCsv
