#pragma once

#include <QString>

// A setting by its typed key: the section and the value name it is kept under, and what it reads as when it
// was never written. Every fixed setting of the program is declared once below; settings whose names hold
// a number or come from a table (a rack's size, the stored formulas, the currencies' VAT keys, the recent
// cellars, the window's state) are built by the functions that own them.
template <typename T> struct Setting
{
    QString section;
    QString name;
    T fallback{};
};

namespace Settings {

// The cellar opened at the next start.
inline const Setting<QString> cellarPath{QStringLiteral("Config"), QStringLiteral("Base")};
// The schema version the last cellar was brought to.
inline const Setting<QString> schemaVersion{QStringLiteral("Config"), QStringLiteral("Version Base")};
// 1: every start writes a trace file.
inline const Setting<int> trace{QStringLiteral("Config"), QStringLiteral("Trace"), 0};
// The tree's background: 0 white, 1 grey, 2 cream.
inline const Setting<int> treeColour{QStringLiteral("Config"), QStringLiteral("Couleur"), 0};
// The calculator's decimals, its rounding of euros, the dollar's rate and where the rates are downloaded.
inline const Setting<int> decimals{QStringLiteral("Config"), QStringLiteral("NDecimal"), 2};
inline const Setting<int> euroRounding{QStringLiteral("Config"), QStringLiteral("ArrondiEuro"), 0};
inline const Setting<QString> dollarRate{QStringLiteral("Config"), QStringLiteral("Dollar"), QStringLiteral("0")};
inline const Setting<QString> dollarSite{QStringLiteral("Config"), QStringLiteral("Site")};
inline const Setting<QString> dollarPage{QStringLiteral("Config"), QStringLiteral("Page")};
inline const Setting<QString> vatSite{QStringLiteral("Config"), QStringLiteral("SiteTVA")};
inline const Setting<QString> vatPage{QStringLiteral("Config"), QStringLiteral("PageTVA")};
// The page of the sheet shown when the window closed (-1: none saved).
inline const Setting<int> lastPage{QStringLiteral("Fenetre"), QStringLiteral("Page"), -1};
// The main window's geometry (written by the window state).
inline const Setting<QString> windowGeometry{QStringLiteral("Fenetre"), QStringLiteral("Geometrie")};

QString get(const Setting<QString>& key);
int get(const Setting<int>& key);
void set(const Setting<QString>& key, const QString& value);
void set(const Setting<int>& key, int value);
bool contains(const Setting<QString>& key);

} // namespace Settings
