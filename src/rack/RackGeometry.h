#pragma once

#include <QString>
#include <QStringList>

// The columns and rows of a rack, kept in the settings under "Config"/"Casier<n>" as "CC-RR".
struct RackGeometry
{
    int columns = 14;
    int rows = 14;

    // "14-09" -> 14 columns, 9 rows; the first two and the last two characters are read. A value whose
    // parts are not "02".."25" gives the default 14 x 14.
    static RackGeometry parse(const QString& value);
    QString text() const;

    static RackGeometry load(int rack);
    static void save(int rack, const RackGeometry& geometry);
    // The items of the column and row lists: "02" .. "25".
    static QStringList countItems();
    static QString twoDigits(int n);
};
