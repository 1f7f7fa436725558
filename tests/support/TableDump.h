#pragma once

#include <QString>
#include <QStringList>

class Database;

// Every row of the tables, in table order, as text: compared before and after a refusal to prove that
// nothing changed.
QString dumpTables(Database& db, const QStringList& tables);
