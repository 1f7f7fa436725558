#include "cellar/EntryRules.h"

#include "platform/LocaleFormat.h"

namespace EntryRules {

const QStringList& entrySizes()
{
    static const QStringList sizes = {QStringLiteral("0,15 CL"),
                                      QStringLiteral("0,33 CL"),
                                      QStringLiteral("0,62 CL (le clavelin)"),
                                      QStringLiteral("0,75 L"),
                                      QStringLiteral("1 L"),
                                      QStringLiteral("1,125 L"),
                                      QStringLiteral("1,28 L"),
                                      QStringLiteral("1,32 L"),
                                      QStringLiteral("1,4 L"),
                                      QStringLiteral("1,5 L (Magnum)"),
                                      QStringLiteral("1,75 L"),
                                      QStringLiteral("2 L"),
                                      QStringLiteral("2,1 L"),
                                      QStringLiteral("3 L (Jeroboan)"),
                                      QStringLiteral("9 L (Salmanazar)"),
                                      QStringLiteral("10 L"),
                                      QStringLiteral("10,5 L"),
                                      QStringLiteral("12 L (Balthazar)"),
                                      QStringLiteral("15 L (Mabuchodonosor)"),
                                      QStringLiteral("19 L"),
                                      QStringLiteral("150 L")};
    return sizes;
}

const QStringList& modificationSizes()
{
    static const QStringList sizes = [] {
        QStringList list = entrySizes();
        list.removeAll(QStringLiteral("0,62 CL (le clavelin)"));
        list.prepend(QString());
        return list;
    }();
    return sizes;
}

QStringList keepingItems()
{
    QStringList items{QString()};
    for (int n = 1; n <= 98; ++n)
        items << QString::number(n);
    return items;
}

QStringList vintageItems(int currentYear)
{
    QStringList items;
    for (int year = currentYear + 2; year >= 1801; --year)
        items << QString::number(year);
    return items;
}

QString keepingFor(const QString& garde)
{
    const QString word = garde.section(QLatin1Char(' '), 0, 0).trimmed();
    if (word.isEmpty())
        return QString();
    for (int n = 1; n <= 98; ++n) {
        const QString item = QString::number(n);
        if (item.startsWith(word))
            return item;
    }
    return QString();
}

QString firstWord(const QString& type)
{
    const int blank = type.indexOf(QLatin1Char(' '));
    return blank < 0 ? type : type.left(blank);
}

QString ratingText(const QString& type, const QString& vintage, const std::vector<VintageEntry>& table)
{
    static const QList<QPair<QString, int>> offsets = {
        {QStringLiteral("Bordeaux Rouge"), 0},  {QStringLiteral("Bordeaux Blanc liquoreux"), 1},
        {QStringLiteral("Bourgogne Rouge"), 2}, {QStringLiteral("Bordeaux Blanc"), 3},
        {QStringLiteral("Beaujolais"), 1},      {QStringLiteral("Bourgogne Blanc"), 4},
        {QStringLiteral("Champagne"), 5},       {QStringLiteral("Loire Rouge"), 6},
        {QStringLiteral("Loire Blanc"), 6},     {QStringLiteral("Rhone"), 7},
        {QStringLiteral("Alsace"), 8}};
    const QString none = QStringLiteral("Pas de côte pour ce vin");
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].year != vintage)
            continue;
        for (const auto& [name, offset] : offsets) {
            if (name == type && i + static_cast<size_t>(offset) < table.size())
                return QStringLiteral("La côte de l'année de ce vin est de : ") + table[i + offset].rating;
        }
        return none; // a wine of no rated region
    }
    return none;
}

QString bottlePrice(const QString& amount, const QString& bottles)
{
    if (bottles.isEmpty())
        return QString();
    const int n = bottles.trimmed().toInt();
    const std::optional<double> total =
        amount.trimmed().isEmpty() ? std::optional<double>(0.0) : LocaleFormat::parseDecimal(amount);
    if (n <= 0 || !total)
        return QString();
    const float unit = static_cast<float>(*total) / static_cast<float>(n);
    return LocaleFormat::fixed(static_cast<double>(unit), 2);
}

QString twoDigits(const QString& number)
{
    const int n = number.trimmed().toInt();
    return n < 10 ? QStringLiteral("0%1").arg(n) : QString::number(n);
}

QString purchaseDate(const QString& day, const QString& month, const QString& year)
{
    if (day.isEmpty())
        return QString();
    return twoDigits(day) + QLatin1Char('/') + twoDigits(month) + QLatin1Char('/') + year;
}

} // namespace EntryRules
