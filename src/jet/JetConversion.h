#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Converts a cellar of the Windows release (a Jet .mdb file) into a new Tonnelix cellar, losing nothing:
// every table and column, the counters with their gaps, ANNEES in its order, texts and numbers exactly.
// What an older file lacks is added by the upgrade chain, as for any older cellar, and the journal opens
// with one movement per lot. The source is only read; the target is written under a temporary name and
// takes its own name at the end, never over an existing file; a failed conversion leaves nothing behind.
namespace JetConversion {

struct Rack
{
    int number = 0;
    int columns = 14;
    int rows = 14;
    bool grown = false; // larger than the size the settings had for it
};

struct Report
{
    bool ok = false;
    QString message; // a refusal or a failure, in French: what the file is and why it is not converted
    QString source;
    QString target;
    QString version; // the source's "Version Base", or "de base" for a cellar never upgraded
    qint64 lots = 0;
    qint64 bottles = 0;
    qint64 wineTypes = 0; // TYPEVIN rows: pairs of wine type and appellation
    qint64 crus = 0;
    qint64 dishes = 0;
    qint64 estates = 0;
    qint64 countries = 0;
    qint64 vintageYears = 0;
    qint64 rackPositions = 0;
    QStringList lotsWithoutType;  // "lot 7 « Nom » (type 12)"
    QStringList orphanPositions;  // "casier 3, colonne 5, rangée 4 (lot 99)"
    QStringList missingPictures;  // "lot 2 : C:\…\abbaye.bmp"
    QStringList duplicateCrus;    // kept once
    QStringList renamedTypes;     // a pair of type and appellation found twice: the second renamed
    QStringList skipped;          // tables or columns whose names could not be kept
    QList<Rack> racks;
};

using Progress = std::function<void(int percent)>;

// Whether the file starts as a Jet (or Access 2007 ACE) database does; nothing else is read.
bool isJetFile(const QString& path);
// The name proposed for the new cellar: beside the source, "Tonnelix (converti).mdb", then " 2", " 3"...,
// never a file that exists.
QString proposedTarget(const QString& source);

Report convert(const QString& source, const QString& target, const Progress& progress = {});
// The report as the user reads it, in French (the command line prints it, the dialog shows it).
QString reportText(const Report& report);

// Looks the missing pictures of a converted cellar up by file name in a folder and writes the paths found;
// returns how many were found, and the ones still missing.
int relinkPictures(const QString& cellar, const QString& folder, QStringList* stillMissing, QString* error);

} // namespace JetConversion
