#include "cellar/KeepingStatus.h"

KeepingStatus KeepingStatus::of(const QString& cote, const QString& vintage, int currentYear)
{
    if (cote == QLatin1String("99"))
        return {QString(), QStringLiteral("Pas de garde")};
    const int years = cote.toInt();
    if (years == 0)
        return {cote, QStringLiteral("Pas de garde")};
    if (vintage.toInt() + years > currentYear)
        return {cote, QStringLiteral("Vin à garder")};
    return {cote, QStringLiteral("Vin à boire")};
}
