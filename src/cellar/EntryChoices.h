#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class CellarSession;

// What the entry page offers to choose from, read from the reference tables. Each call goes through the
// session under the caller's label (a query that cannot be opened is reported there and gives nothing).
namespace EntryChoices {

// "FR - FRANCE": every country of PAYS, in table order.
QStringList countries(CellarSession& session, const QString& label);
// The name of the country of a code ("FR"); empty when there is none.
QString countryName(CellarSession& session, const QString& label, const QString& code);
// The wine types, each once (a name differing only in case counted once when caseInsensitive), in table
// order; those of one country when code is not empty.
QStringList wineTypes(CellarSession& session, const QString& label, const QString& code, bool caseInsensitive);
// The appellations of a wine type (its name compared without case), each once.
QStringList appellations(CellarSession& session, const QString& label, const QString& type);
// The keeping time kept for a type and appellation ("Garde"); nothing when the pair is unknown.
std::optional<QString> standardKeeping(CellarSession& session, const QString& label, const QString& type,
                                       const QString& appellation);
// The estates kept for a wine type, under its full name or, as earlier releases kept them, under its
// first word (firstWord); each once, in the order they were added.
QStringList estates(CellarSession& session, const QString& label, const QString& type, const QString& firstWord);

} // namespace EntryChoices
