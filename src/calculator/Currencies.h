#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The currencies of the calculator: the euro, eleven former currencies of the euro zone and the US dollar.
struct Currency
{
    QString name;     // as the lists show it
    QString rateText; // units for one euro ("" for the euro; the dollar's comes from the settings)
    QString vatKey;   // the VAT setting of its country, "" for none
    QString flag;     // the country code of its flag
};

namespace Currencies {

inline const QString kEuro = QStringLiteral("Euro");
inline const QString kDollar = QStringLiteral("Etats-Unis");

// In the lists' (sorted) order.
const std::vector<Currency>& all();
QStringList names();
const Currency* find(const QString& name);
// The rate shown beside a list: the fixed parity, the "Dollar" setting for the dollar, "" for the euro.
QString rateText(const QString& name);
// The "Dollar" setting ("0" when missing) as a number.
double dollarRate();
// The VAT rate of the currency's country, from its setting (rate x 100), with two decimals.
QString vatText(const QString& name);

} // namespace Currencies
