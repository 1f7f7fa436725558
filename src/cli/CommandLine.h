#pragma once

#include <QString>
#include <QStringList>

// The one command-line parser of Tonnelix:
//   tonnelix [CELLAR]                           the window, on CELLAR for this run (the saved cellar otherwise)
//   tonnelix [CELLAR] --export FILE             appends every wine to FILE (created if missing)
//   tonnelix [CELLAR] --import FILE [--replace] adds the wines of FILE (or replaces the cellar's wines)
//   tonnelix [CELLAR] --backup                  writes the dated backup, prints its path
//   tonnelix [CELLAR] --print-pdf ORDER FILE    prints the wine list in ORDER (1 to 7) to FILE as PDF
//   tonnelix --convert-jet SOURCE TARGET        converts a cellar of the Windows release into a new cellar
//   tonnelix --new FILE                         creates an empty cellar
//   tonnelix --help | --version
// The export and import runs open no window and need no display; they exit 0 when done, 1 when refused or
// failed (nothing changed), 2 on a usage error.
namespace CommandLine {

struct Options
{
    QString cellar;     // empty: the saved cellar
    QString exportFile; // --export
    QString importFile; // --import
    bool replace = false;
    bool backup = false; // --backup
    QString restoreFile; // --restore
    QString exportCsv;   // --export-csv
    QString importCsv;   // --import-csv
    int printOrder = 0;  // --print-pdf ORDER
    QString pdfFile;     // --print-pdf's FILE
    QString jetSource;   // --convert-jet SOURCE TARGET
    QString jetTarget;
    bool progress = false; // with --convert-jet: "@progression N" lines for the window that runs it
    QString newCellar;     // --new FILE
    bool batch() const
    {
        return !exportFile.isEmpty() || !importFile.isEmpty() || !restoreFile.isEmpty() || !exportCsv.isEmpty() ||
               !importCsv.isEmpty() || backup || printOrder != 0 || !jetSource.isEmpty() || !newCellar.isEmpty();
    }
};

struct Parsed
{
    enum class Action
    {
        Window, // start the program with its window
        Batch,  // run the work given, without a window
        Exit    // help, version or a usage error: print message, exit with exitCode
    };
    Action action = Action::Window;
    Options options;
    QString message;
    int exitCode = 0;
};

// arguments: the whole command line, the program first.
Parsed parse(const QStringList& arguments);
// Runs the export or import; prints the final message on standard output, a refusal on standard error.
int runBatch(const Options& options);
// Parses the command line without a window: prints help, version or a usage error, or runs the work asked
// for, and returns the exit code; -1 when the program is to start with its window.
int mainWithoutWindow(int argc, char** argv);

} // namespace CommandLine
