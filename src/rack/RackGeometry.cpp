#include "rack/RackGeometry.h"

#include "platform/Settings.h"

namespace {

int count(const QString& part)
{
    bool ok = false;
    const int n = part.toInt(&ok);
    return ok && part.size() == 2 && n >= 2 && n <= 25 ? n : 0;
}

} // namespace

QString RackGeometry::twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

RackGeometry RackGeometry::parse(const QString& value)
{
    const int columns = count(value.left(2));
    const int rows = count(value.right(2));
    if (columns == 0 || rows == 0)
        return RackGeometry();
    return RackGeometry{columns, rows};
}

QString RackGeometry::text() const
{
    return twoDigits(columns) + QLatin1Char('-') + twoDigits(rows);
}

namespace {

// "Casier<n>": the columns and rows of rack n ("14-14" until it is set).
Setting<QString> sizeKey(int rack)
{
    return {QStringLiteral("Config"), QStringLiteral("Casier%1").arg(rack), QStringLiteral("14-14")};
}

} // namespace

RackGeometry RackGeometry::load(int rack)
{
    return parse(Settings::get(sizeKey(rack)));
}

void RackGeometry::save(int rack, const RackGeometry& geometry)
{
    Settings::set(sizeKey(rack), geometry.text());
}

QStringList RackGeometry::countItems()
{
    QStringList items;
    for (int n = 2; n <= 25; ++n)
        items << twoDigits(n);
    return items;
}
