#include "db/ReferenceData.h"

namespace ReferenceData {

const std::vector<Country>& countries()
{
    static const std::vector<Country> list = {
        {QStringLiteral("FR"), QStringLiteral("FRANCE")},
        {QStringLiteral("ZA"), QStringLiteral("AFRIQUE DU SUD")},
        {QStringLiteral("DE"), QStringLiteral("ALLEMAGNE")},
        {QStringLiteral("AU"), QStringLiteral("AUSTRALIE")},
        {QStringLiteral("AT"), QStringLiteral("AUTRICHE")},
        {QStringLiteral("BE"), QStringLiteral("BELGIQUE")},
        {QStringLiteral("CA"), QStringLiteral("CANADA")},
        {QStringLiteral("DK"), QStringLiteral("DANEMARK")},
        {QStringLiteral("ES"), QStringLiteral("ESPAGNE")},
        {QStringLiteral("FI"), QStringLiteral("FINLANDE")},
        {QStringLiteral("GR"), QStringLiteral("GRECE")},
        {QStringLiteral("IE"), QStringLiteral("IRLANDE")},
        {QStringLiteral("IT"), QStringLiteral("ITALIE")},
        {QStringLiteral("JP"), QStringLiteral("JAPON")},
        {QStringLiteral("LU"), QStringLiteral("LUXEMBOURG")},
        {QStringLiteral("PT"), QStringLiteral("PORTUGAL")},
        {QStringLiteral("GB"), QStringLiteral("ROYAUME-UNI")},
        {QStringLiteral("SE"), QStringLiteral("SUEDE")},
        {QStringLiteral("CH"), QStringLiteral("SUISSE")},
        {QStringLiteral("DZ"), QStringLiteral("ALGERIE")},
        {QStringLiteral("AR"), QStringLiteral("ARGENTINE")},
        {QStringLiteral("BR"), QStringLiteral("BRESIL")},
        {QStringLiteral("BG"), QStringLiteral("BULGARIE")},
        {QStringLiteral("CL"), QStringLiteral("CHILI")},
        {QStringLiteral("CN"), QStringLiteral("CHINE")},
        {QStringLiteral("CY"), QStringLiteral("CHYPRE")},
        {QStringLiteral("HR"), QStringLiteral("CROATIE")},
        {QStringLiteral("US"), QStringLiteral("ETATS-UNIS")},
        {QStringLiteral("GE"), QStringLiteral("GEORGIE")},
        {QStringLiteral("HU"), QStringLiteral("HONGRIE")},
        {QStringLiteral("IL"), QStringLiteral("ISRAEL")},
        {QStringLiteral("LB"), QStringLiteral("LIBAN")},
        {QStringLiteral("MA"), QStringLiteral("MAROC")},
        {QStringLiteral("MX"), QStringLiteral("MEXIQUE")},
        {QStringLiteral("MD"), QStringLiteral("MOLDAVIE")},
        {QStringLiteral("NZ"), QStringLiteral("NOUVELLE-ZELANDE")},
        {QStringLiteral("NL"), QStringLiteral("PAYS-BAS")},
        {QStringLiteral("CZ"), QStringLiteral("REPUBLIQUE TCHEQUE")},
        {QStringLiteral("RO"), QStringLiteral("ROUMANIE")},
        {QStringLiteral("SK"), QStringLiteral("SLOVAQUIE")},
        {QStringLiteral("SI"), QStringLiteral("SLOVENIE")},
        {QStringLiteral("TN"), QStringLiteral("TUNISIE")},
        {QStringLiteral("TR"), QStringLiteral("TURQUIE")},
        {QStringLiteral("UY"), QStringLiteral("URUGUAY")},
    };
    return list;
}

const QStringList& commonCrus()
{
    static const QStringList list = {
        QStringLiteral("Premier Grand Cru Classé"),
        QStringLiteral("Deuxième Grand Cru Classé"),
        QStringLiteral("Troisième Grand Cru Classé"),
        QStringLiteral("Quatrième Grand Cru Classé"),
        QStringLiteral("Cinquième Grand Cru Classé"),
        QStringLiteral("Grand Cru Classé"),
        QStringLiteral("Grand Cru"),
        QStringLiteral("Premier Cru"),
        QStringLiteral("Cru Bourgeois"),
        QStringLiteral("Cru Bourgeois Supérieur"),
        QStringLiteral("Cru Bourgeois Exceptionnel"),
        QStringLiteral("Cru Artisan"),
        QStringLiteral("Cru Classé"),
        QStringLiteral("Village"),
        QStringLiteral("Générique"),
        QStringLiteral("Vin de Pays"),
        QStringLiteral("Vin de Table"),
        QStringLiteral("Sans cru"),
    };
    return list;
}

} // namespace ReferenceData
