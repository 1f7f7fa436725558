#include "widgets/ui/Pictures.h"

#include <QDir>
#include <QHash>
#include <QStringList>

static void initTonnelixResources()
{
    Q_INIT_RESOURCE(tonnelix);
}

namespace Pictures {

namespace {

QIcon fromFolder(const QString& folder, const QString& prefix)
{
    init();
    static QHash<QString, QIcon> cache;
    const QString key = folder + QLatin1Char('/') + prefix;
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return it.value();
    const QStringList files = QDir(QStringLiteral(":/") + folder).entryList({prefix + QStringLiteral("*.svg")});
    QIcon icon;
    if (!files.isEmpty())
        icon = QIcon(QStringLiteral(":/%1/%2").arg(folder, files.first()));
    cache.insert(key, icon);
    return icon;
}

} // namespace

void init()
{
    static const bool done = [] {
        initTonnelixResources();
        return true;
    }();
    Q_UNUSED(done);
}

QIcon treeImage(int index)
{
    return fromFolder(QStringLiteral("tree"), QStringLiteral("%1-").arg(index, 2, 10, QLatin1Char('0')));
}

int flagIndex(const QString& code)
{
    static const QHash<QString, int> flags = {
        {QStringLiteral("FR"), 10}, {QStringLiteral("ZA"), 11}, {QStringLiteral("DE"), 12}, {QStringLiteral("AU"), 13},
        {QStringLiteral("AT"), 14}, {QStringLiteral("BE"), 15}, {QStringLiteral("CA"), 16}, {QStringLiteral("DK"), 17},
        {QStringLiteral("ES"), 18}, {QStringLiteral("FI"), 19}, {QStringLiteral("GR"), 20}, {QStringLiteral("IE"), 21},
        {QStringLiteral("IT"), 22}, {QStringLiteral("JP"), 23}, {QStringLiteral("LU"), 24}, {QStringLiteral("PT"), 26},
        {QStringLiteral("GB"), 27}, {QStringLiteral("SE"), 28}, {QStringLiteral("CH"), 29}};
    return flags.value(code, 9);
}

QIcon countryFlag(const QString& code)
{
    if (code == QLatin1String("US") || code == QLatin1String("EU"))
        return fromFolder(QStringLiteral("flags"), code.toLower());
    if (code == QLatin1String("NL"))
        return treeImage(25);
    return treeImage(flagIndex(code));
}

QIcon listIcon(int colour)
{
    static const char* const names[] = {"177-", "174-", "240-", "218-", "175-"};
    if (colour < 0 || colour > 4)
        return QIcon();
    return fromFolder(QStringLiteral("list"), QString::fromLatin1(names[colour]));
}

QIcon tabIcon(int k)
{
    return fromFolder(QStringLiteral("tabs"), QStringLiteral("%1-").arg(k));
}

} // namespace Pictures
