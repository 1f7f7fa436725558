#pragma once

#include "db/ImportMovements.h"
#include "db/Write.h"
#include "db/engine/BatchInsert.h"
#include "db/engine/Statement.h"
#include "exchange/ImportedTypes.h"

#include <QVariant>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class CellarSession;

// A lot an import adds, whatever file it was read from: what the importers plan, and the one writer writes.
struct ImportedLot
{
    QString name, owner, cru;
    QString purchaseDate; // as the cellar writes it, "dd/mm/yyyy", or empty
    QVariant size;        // the bottle size (Contenance); null where the file does not give it
    ImportedType type;
    int keeping = 99; // years; 99: none
    int vintage = 0;
    double bought = 0;
    qint64 stock = 0; // bottles in the lot before the exits below
    double price = 0;
    // Bottles drunk since, by ISO day (an empty day: the import's own time): exits in the journal.
    std::vector<std::pair<QString, int>> drunk;
};

// The one writer of the three importers (exchange file, CSV, CellarTracker): their lots go in in one
// transaction, the journal's movements are marked as the import's, and the change notice is sent after
// the commit. A failure anywhere leaves the cellar as it was.
class LotImportWriter
{
public:
    struct Options
    {
        bool replace = false;   // the cellar's wines (and their places in the racks) go first
        bool keepExits = false; // the exits of drunk bottles keep their dates in the journal
    };
    struct Totals
    {
        int lots = 0;
        qint64 bottles = 0; // in the cellar once the lots' exits are written
        int movements = 0;  // entries and exits written
        int newTypes = 0;
    };
    using Fill = std::function<void(LotImportWriter&)>;

    // fill adds the lots; the totals are those written (zero when nothing was).
    static WriteResult write(CellarSession& session, const char* label, const Options& options, const Fill& fill,
                             Totals& totals);

    void add(const ImportedLot& lot);

private:
    LotImportWriter(Database& db, const Options& options);
    void finish();
    qint64 typeOf(const ImportedType& type);

    Database& m_db;
    ImportMovements m_movements;
    ImportedTypes m_types;
    BatchInsert m_lots;
    // Prepared when a lot first needs them: a file without exits or countries never touches those tables.
    std::optional<Statement> m_addLot, m_drink, m_dateLastMovement, m_findCountry, m_addCountry;
    QHash<QString, bool> m_countries;
    Options m_options;
    Totals m_totals;
};
