#pragma once

#include "db/engine/Database.h"
#include "db/engine/DbError.h"
#include "trace/Trace.h"

#include <QString>

// The one way the core writes to the cellar: a change run in one transaction, committed when it is done,
// rolled back otherwise, so that a write that is not done leaves the cellar as it was.
struct WriteResult
{
    enum class Outcome
    {
        Done,
        Refused, // the change itself found it could not be made (nothing written)
        Failed   // the engine failed: its code and its own text, traced under the write's label
    } outcome = Outcome::Done;
    int code = 0;
    QString engineText;

    bool done() const { return outcome == Outcome::Done; }
    bool duplicate() const { return outcome == Outcome::Failed && code == DbError::kDuplicateKey; }
};

// A failure the caller turns into its own answer (a refusal, an empty list) still goes to the trace.
inline void traceFailure(const char* label, const DbError& error)
{
    TraceLine("%s : %s (%d)", label, qUtf8Printable(error.description()), error.code());
}

// Runs change(db), which returns true to commit and false to refuse; a DbError it throws is rolled back,
// traced and returned as Failed.
template <typename Change> WriteResult inTransaction(Database& db, const char* label, Change&& change)
{
    try {
        Transaction tx(db);
        if (!change(db))
            return {WriteResult::Outcome::Refused, 0, QString()};
        tx.commit();
        return {};
    } catch (const DbError& error) {
        traceFailure(label, error);
        return {WriteResult::Outcome::Failed, error.code(), error.description()};
    }
}
