#pragma once

#include "db/engine/Statement.h"

#include <QHash>
#include <QString>
#include <utility>

class Database;

// The wine types and appellations an import refers to: the TYPEVIN row of a pair (the first one, matched
// without regard to case, as the cellar's columns compare), created with its colour and country when the
// cellar has none. Used inside the import's transaction.
class ImportedTypes
{
public:
    explicit ImportedTypes(Database& db);

    qint64 indexOf(const QString& type, const QString& appellation, const QString& etat, const QString& nic);
    // The pairs created so far.
    int created() const { return m_created; }

private:
    Database& m_db;
    Statement m_find;
    Statement m_add;
    QHash<QString, qint64> m_known;
    // The same pairs as spelt in the file, so that the rows of a large import skip the case folding.
    QHash<std::pair<QString, QString>, qint64> m_spelt;
    int m_created = 0;
};
