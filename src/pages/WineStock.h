#pragma once

#include <QString>
#include <optional>

class CellarSession;

// Entries, exits and deletion of a wine lot, each written in one transaction.
namespace WineStock {

enum class Failure
{
    None,
    NotFound,   // the lot is gone (or could not be read): nothing was written
    WriteFailed // the database refused the write: nothing was written
};

struct Counts
{
    qint64 stock = 0;
    qint64 bought = 0;
    double price = 0;
    Failure failure = Failure::None;
};

// The lot's stock as the database holds it now; nothing when the lot does not exist.
std::optional<qint64> currentStock(CellarSession& session, const QString& label, qint64 index);

// Takes n bottles out: Stock - n. Price, count bought and date are kept.
Counts exitBottles(CellarSession& session, const QString& label, qint64 index, qint64 n);
// Adds n bottles bought for price: Stock + n, [Nbr Achat] + n, [Prix Achat] + price.
Counts enterBottles(CellarSession& session, const QString& label, qint64 index, qint64 n, double price);
// Deletes the lot and its rack positions.
Failure deleteWine(CellarSession& session, const QString& label, qint64 index);

} // namespace WineStock
