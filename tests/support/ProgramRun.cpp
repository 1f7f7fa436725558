#include "support/ProgramRun.h"

#include "TestPaths.h"

#include <QProcess>

ProgramRun runProgram(const QStringList& arguments, const QString& home)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!home.isEmpty()) {
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    }
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TONNELIX_EXECUTABLE), arguments);
    ProgramRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -200;
    return run;
}
