#pragma once

#include "cellar/WineListQuery.h"

#include <QString>
#include <vector>

class CellarSession;

// The wine search without widgets: the lots (CAVE joined to TYPEVIN) that match criteria, or whose wine
// type suggests a dish. Values go to SQL as bound parameters.
namespace SearchQuery {

struct Criteria
{
    QString type;
    QString appellation;
    QString cru;
    QString size;
    int fromYear = 0; // 0: no lower bound
    int toYear = 0;   // 0: no upper bound
    bool isEmpty() const;
};

// The query for criteria: every criterion given narrows it; none lists every lot. The vintage bounds are
// inclusive ("de 1990 à 2000" finds 1990 and 2000).
WineListQuery forCriteria(const Criteria& criteria);
// The query for a dish: the lots whose wine type lists the dish ("*" + index + "," in RelPlats).
WineListQuery forDish(qint64 dishIndex);

std::vector<WineRow> byCriteria(CellarSession& session, const Criteria& criteria);
std::vector<WineRow> byDish(CellarSession& session, qint64 dishIndex);

} // namespace SearchQuery
