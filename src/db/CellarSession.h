#pragma once

#include "db/engine/Database.h"
#include "db/engine/DbError.h"
#include "db/engine/Recordset.h"

#include "db/CellarLock.h"
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

class CellarOpeningQuestions;

// The open cellar database for the life of the process, with one current recordset.
// Every part of the system reads and writes the cellar through it.
class CellarSession
{
public:
    explicit CellarSession(std::unique_ptr<Database> database);
    ~CellarSession();
    CellarSession(const CellarSession&) = delete;
    CellarSession& operator=(const CellarSession&) = delete;

    // Locates and opens the cellar, starting from the saved path (empty: beside the program, then the
    // user's data folder, where a first start creates it). When it cannot be opened the user is told
    // and may pick another file; nullptr when the user gives up. Whatever has to be asked on the way is
    // asked through questions.
    static std::unique_ptr<CellarSession> Open(const QString& savedPath, CellarOpeningQuestions& questions);
    // What Open does with a cellar of the Windows release (a Jet file, known by its content): the window
    // installs a converter that asks the user, converts the file into a new cellar and gives its path (empty:
    // declined). With none installed, such a file is refused with the way to convert it.
    using JetConverter = std::function<QString(const QString& jetPath)>;
    static void setJetConverter(JetConverter converter);

    // Where the failures of queries and writes are told: the program installs Prompt::tellFailure (message
    // boxes in the window, standard error on the command line). This layer never asks the user anything
    // itself; with no reporter installed, a failure is only traced.
    using FailureReporter = void (*)(const QString& text, const QString& caption, bool offerHelp);
    static void setFailureReporter(FailureReporter reporter);

    // The session in use by the application (set by whoever owns it).
    static CellarSession* current();
    static void setCurrent(CellarSession* session);

    // Opens a whole table, editable, on its first row. On failure the user is told ("\n" + label
    // under "Erreur") and false is returned.
    bool OpenTable(const QString& label, const QString& table);
    // Opens a query with its values bound in order. On failure the user is told and false is returned.
    bool OpenQuery(const QString& label, const QString& sql, const QVariantList& values = {});
    void CloseTable();
    void CloseQuery();
    // Opens the query, calls row for each of its rows (the session's recordset on that row), closes it;
    // false when it cannot be opened (the user has been told).
    template <typename Row>
    bool forEachRow(const QString& label, const QString& sql, const QVariantList& values, Row row)
    {
        if (!OpenQuery(label, sql, values))
            return false;
        if (m_recordset.recordCount() > 0) {
            for (m_recordset.moveFirst(); !m_recordset.isEOF(); m_recordset.moveNext())
                row(m_recordset);
        }
        CloseQuery();
        return true;
    }
    // Tells the user of a query that failed, as OpenQuery does: for the readers that step through statements.
    static void reportFailure(const QString& label, const DbError& error);
    Recordset& recordset() { return m_recordset; }

    Database& database() { return *m_database; }
    // Opened read-only because another Tonnelix holds the cellar: nothing is ever written through it.
    bool isReadOnly() const { return m_readOnly; }
    QString path() const { return m_database->path(); }

    // Replaces target by a compacted copy of source and leaves the session open on target. The target
    // is replaced only once the copy exists; on failure it is left as it was and the session stays open
    // on the database it had. Reports nothing; returns whether it succeeded.
    bool CompactInto(const QString& source, const QString& target);

private:
    // Opens a cellar found at path with its lock (or only for reading, as the user chooses); nullptr when
    // the user quits. Throws DbError, or Declined when the user would rather choose another cellar.
    static std::unique_ptr<CellarSession> openLocked(const QString& path, bool mayCreate,
                                                     CellarOpeningQuestions& questions);

    std::unique_ptr<Database> m_database;
    Recordset m_recordset;
    // Held while this session may write: one Tonnelix at a time writes a cellar.
    std::unique_ptr<CellarLock> m_lock;
    bool m_readOnly = false;
};

// Shows a database failure to the user: its description and number, with the offer to see help.
void ReportDaoException(const DbError& error);

// Opens a cellar file: creates it with the base schema when allowed and missing, fills a blank one,
// refuses (DbError) anything that is not a cellar without modifying it.
std::unique_ptr<Database> OpenCellarFile(const QString& path, bool mayCreate);
