#pragma once

#include <QString>

// Where the system's files live on this machine.
namespace Paths {

inline constexpr auto kDatabaseFileName = "Tonnelix.mdb";

// Full path of the running program, and its folder.
QString executableFile();
QString executableDir();
// The user's data folder for Tonnelix (created on demand by callers that write there).
QString userDataDir();
// "Tonnelix.mdb" in the user's data folder: where a first start creates the cellar.
QString defaultDatabasePath();
// "Tonnelix.mdb" beside the program: used when present (portable use).
QString portableDatabasePath();
// The demo cellar shipped with the program (installed under share/tonnelix, or in the build tree), or empty.
QString demoCellarPath();
// Base name of the numbered trace files.
QString traceBaseName();
// The user's guide shipped with the program.
QString readmePath();

} // namespace Paths
