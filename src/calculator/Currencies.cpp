#include "calculator/Currencies.h"
#include "platform/Settings.h"

#include "platform/Profile.h"

namespace Currencies {

const std::vector<Currency>& all()
{
    static const std::vector<Currency> list = {
        {QStringLiteral("Allemagne"), QStringLiteral("1.95583"), QStringLiteral("TAL"), QStringLiteral("DE")},
        {QStringLiteral("Autriche"), QStringLiteral("13.7603"), QStringLiteral("TAU"), QStringLiteral("AT")},
        {QStringLiteral("Belgique"), QStringLiteral("40.3399"), QStringLiteral("TBE"), QStringLiteral("BE")},
        {QStringLiteral("Espagne"), QStringLiteral("166.386"), QStringLiteral("TES"), QStringLiteral("ES")},
        {kDollar, QString(), QString(), QStringLiteral("US")},
        {kEuro, QString(), QString(), QStringLiteral("EU")},
        {QStringLiteral("Finlande"), QStringLiteral("5.94573"), QStringLiteral("TFI"), QStringLiteral("FI")},
        {QStringLiteral("France"), QStringLiteral("6.55957"), QStringLiteral("TFR"), QStringLiteral("FR")},
        {QStringLiteral("Irlande"), QStringLiteral("0.787564"), QStringLiteral("TIR"), QStringLiteral("IE")},
        {QStringLiteral("Italie"), QStringLiteral("1936.27"), QStringLiteral("TIL"), QStringLiteral("IT")},
        {QStringLiteral("Luxembourg"), QStringLiteral("40.3399"), QStringLiteral("TLU"), QStringLiteral("LU")},
        {QStringLiteral("Pays-Bas"), QStringLiteral("2.20371"), QStringLiteral("TPA"), QStringLiteral("NL")},
        {QStringLiteral("Portugal"), QStringLiteral("200.482"), QStringLiteral("TPO"), QStringLiteral("PT")},
    };
    return list;
}

QStringList names()
{
    QStringList list;
    for (const Currency& c : all())
        list << c.name;
    return list;
}

const Currency* find(const QString& name)
{
    for (const Currency& c : all()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

QString rateText(const QString& name)
{
    if (name == kDollar)
        return Settings::get(Settings::dollarRate);
    const Currency* c = find(name);
    return c ? c->rateText : QString();
}

double dollarRate()
{
    return Settings::get(Settings::dollarRate).toDouble();
}

QString vatText(const QString& name)
{
    const Currency* c = find(name);
    const int rate = c && !c->vatKey.isEmpty() ? Profile::getInt(QStringLiteral("Config"), c->vatKey, 0) : 0;
    return QString::number(rate / 100.0, 'f', 2);
}

} // namespace Currencies
