#pragma once

#include <QString>

// Whether a wine is to keep or to drink, from its keeping years and vintage.
struct KeepingStatus
{
    QString garde;  // what the "Garde :" box shows
    QString status; // "Vin à garder", "Vin à boire" or "Pas de garde"

    // keeping is the keeping-years text ("99": no keeping); a wine is ready once vintage + years is not
    // greater than the current year.
    static KeepingStatus of(const QString& keeping, const QString& vintage, int currentYear);
};
