#pragma once

#include <QString>

class Database;

// What an import writes to the movement journal: the journal's triggers record each lot it adds (and each
// lot a replacement deletes); at the end, inside the import's transaction, those movements are marked as
// the import's own. Does nothing on a cellar without a journal.
class ImportMovements
{
public:
    explicit ImportMovements(Database& db);
    // Marks the movements written since construction ("achat" and "suppression" ones, or, with onlyPurchases,
    // the "achat" ones only, leaving the dated exits an import writes on purpose).
    void markAsImport(bool onlyPurchases = false);

private:
    Database& m_db;
    bool m_journal = false;
    qint64 m_last = 0;
};
