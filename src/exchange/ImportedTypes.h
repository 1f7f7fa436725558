#pragma once

#include "db/engine/Statement.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <utility>

class Database;

// A wine type and appellation as an imported lot names it.
struct ImportedType
{
    QString type, appellation;
    // Another name the cellar may know the type by (the pocket device's own name of a region), tried second.
    QString alias;
    QString colour;      // the stored code a created type gets (ColourCode::stored), or the file's own word
                         // when it names no colour
    QVariant country;    // the country code a created type gets (Nic); null where the file gives none
    QString countryName; // with a country code: the country the cellar is given when it lacks it
};

// The wine types and appellations an import refers to: the TYPEVIN row of a pair (the first one, matched
// without regard to case, as the cellar's columns compare), created with its colour and country when the
// cellar has none. Used inside the import's transaction.
class ImportedTypes
{
public:
    explicit ImportedTypes(Database& db);

    qint64 indexOf(const ImportedType& type);
    // The pairs created so far.
    int created() const { return m_created; }

private:
    Database& m_db;
    qint64 find(const QString& type, const QString& appellation);

    Statement m_find;
    Statement m_add;
    QHash<QString, qint64> m_known;
    // The same pairs as spelt in the file, so that the rows of a large import skip the case folding.
    QHash<std::pair<QString, QString>, qint64> m_spelt;
    int m_created = 0;
};
