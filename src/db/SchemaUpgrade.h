#pragma once

#include <QString>
#include <functional>

class CellarSession;
class DbError;

// Brings any cellar, whatever release wrote it, to the complete schema in one start. Each step runs
// when the database lacks what it adds (or its version record is older), and can run again harmlessly.
// The version is recorded in the settings ("Config"/"Version Base") and in the INFO table.
class SchemaUpgrade
{
public:
    explicit SchemaUpgrade(CellarSession& session) : m_session(session) {}

    struct Result
    {
        bool ok = true;
        QString message; // when not ok: what failed, in French, and that the cellar is as it was
    };
    // One transaction: a step that fails leaves the file as it was and the settings unchanged. Prompts nothing.
    Result RunChain();

    // The version the INFO row records (0 when there is none).
    double infoVersion();

private:
    bool needs0to2();
    bool needs2to3();
    bool needs3to4();
    bool needs5to6();
    // The steps, inside the chain's transaction.
    void upgradeTo2();
    void upgradeTo3();
    void upgradeTo5();
    void upgradeTo6();

    void addColumns(const QString& table, const QStringList& columns);
    void createTable(const QString& table);
    void writeInfo(const QString& label, const QString& version, const QString& date);
    // Runs a step's statement; a column already there is no failure, any other throws StepFailed.
    void ddl(const QString& what, const std::function<void()>& statement);
    static void startUpgradeProgram(const QString& name);
    Result failure(const QString& step, const DbError& error);

    CellarSession& m_session;
};
