#include "cellar/KeepingStatus.h"

KeepingStatus KeepingStatus::of(const QString& keeping, const QString& vintage, int currentYear)
{
    if (keeping == QLatin1String("99"))
        return {QString(), QStringLiteral("Pas de garde")};
    const int years = keeping.toInt();
    if (years == 0)
        return {keeping, QStringLiteral("Pas de garde")};
    if (vintage.toInt() + years > currentYear)
        return {keeping, QStringLiteral("Vin à garder")};
    return {keeping, QStringLiteral("Vin à boire")};
}
