#pragma once

#include <QString>
#include <QStringList>

// What an export or an import of lots gives back: the CSV exchange and the CellarTracker reader alike.
struct ImportResult
{
    bool ok = false;
    QString message;        // what went wrong, or the summary of what was done, in French
    int lots = 0;           // lots written (export) or created (import)
    qint64 bottles = 0;     // bottles in stock of the lots created
    int newTypes = 0;       // wine type and appellation pairs created
    QStringList recognised; // the file's columns that the import uses
    QStringList ignored;    // the file's columns it passes over
};
