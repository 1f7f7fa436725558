#pragma once

#include <QString>
#include <functional>
#include <optional>

class CellarSession;
class Recordset;

// Entries, exits and deletion of a wine lot, each written in one transaction.
namespace WineStock {

enum class Failure
{
    None,
    NotFound,   // the lot is gone (or could not be read): nothing was written
    WriteFailed // the database refused the write: nothing was written
};

// The user's words for a failure: "Impossible d'écrire l'enregistrement CAVE" when the lot could not be
// read or edited, "Impossible de modifier l'enregistrement CAVE" when its update was refused.
QString failureText(Failure failure);

// Edits the lot's row in one transaction: change sets the fields, then the row is written.
Failure changeLot(CellarSession& session, const QString& label, qint64 index,
                  const std::function<void(Recordset&)>& change);

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
// A lot's fields as "Modification d'un vin" shows them, with its wine type's name and appellation.
struct LotFields
{
    QString type;
    QString appellation;
    qint64 vintage = 0;
    QString cru;
    QString owner;
    QString name;
    QString size;
    qint64 keeping = 0;
};
// Nothing when the lot or its wine type is not there, or the query failed (reported).
std::optional<LotFields> lotFields(CellarSession& session, const QString& label, qint64 index);
// The picture path kept for the lot (empty: none); nothing when there is no such lot.
std::optional<QString> picture(CellarSession& session, const QString& label, qint64 index);

Failure deleteWine(CellarSession& session, const QString& label, qint64 index);

} // namespace WineStock
