#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class CellarSession;

// A new wine lot as the entry page saves it.
struct NewLot
{
    QString name;
    qint64 typeIndex = 0;
    QString owner;
    QString image;
    int keeping = 99; // years; 99: none
    int vintage = 0;
    QString cru;
    QString contenance;
    int bottles = 0;
    QString date;
    double price = 0;
};

namespace WineEntry {

// An empty entry, then every cru of CRUS; nothing when the query cannot be opened (already reported).
std::optional<QStringList> crus(CellarSession& session, const QString& label);

// The TYPEVIN row of a type and appellation (0: none).
qint64 typeIndex(CellarSession& session, const QString& label, const QString& type, const QString& appellation);
// Adds the lot in one transaction; returns its index, 0 when it could not be written.
qint64 addLot(CellarSession& session, const QString& label, const NewLot& lot);

} // namespace WineEntry
