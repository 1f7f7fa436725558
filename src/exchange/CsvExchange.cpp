#include "exchange/CsvExchange.h"

#include "db/CellarSession.h"
#include "db/Colour.h"
#include "db/engine/Statement.h"
#include "exchange/CellarTrackerCsv.h"
#include "exchange/Csv.h"
#include "exchange/LotImportWriter.h"
#include "platform/InputFile.h"
#include "platform/OutputFile.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>

namespace CsvExchange {

namespace {

enum Column
{
    Name,
    Type,
    Appellation,
    Colour,
    Country,
    Cru,
    Owner,
    Vintage,
    Size,
    Bought,
    Stock,
    Price,
    Date,
    Keeping,
    Count
};

const char* const kHeaders[Count] = {"Nom",      "Type",         "Appellation",  "Couleur",    "Pays",
                                     "Cru",      "Propriétaire", "Millésime",    "Contenance", "Achetées",
                                     "En stock", "Prix total",   "Date d'achat", "Garde"};

// Numbers in the file are in the C form, whatever the desktop's language, and come back exactly.
QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// The colour's word in the file; a code that is no colour is written as it is stored, and read back so.
QString colourWord(const QString& etat)
{
    const std::optional<::Colour> colour = ColourCode::fromStored(etat);
    return colour ? ColourCode::word(*colour) : etat;
}

QString colourCode(const QString& word)
{
    const std::optional<::Colour> colour = ColourCode::fromWord(word);
    return colour ? ColourCode::stored(*colour) : word;
}

// The file's columns that are ours, by position; -1 where the file has none.
struct Mapping
{
    int at[Count];
    QStringList recognised, ignored;
};

Mapping map(const QStringList& header)
{
    Mapping mapping;
    std::fill(std::begin(mapping.at), std::end(mapping.at), -1);
    for (int i = 0; i < header.size(); ++i) {
        const QString name = header[i].trimmed();
        int found = -1;
        for (int c = 0; c < Count && found < 0; ++c) {
            if (name.compare(QString::fromUtf8(kHeaders[c]), Qt::CaseInsensitive) == 0)
                found = c;
        }
        if (found >= 0 && mapping.at[found] < 0) {
            mapping.at[found] = i;
            mapping.recognised << name;
        } else {
            mapping.ignored << name;
        }
    }
    return mapping;
}

bool readTable(const QString& path, Csv::Table& table, Result& result, int maxRows = -1)
{
    if (const QString refused = InputFile::refusal(path); !refused.isEmpty()) {
        result.message = refused;
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, file.errorString());
        return false;
    }
    table = Csv::read(Csv::decode(file.readAll()), maxRows);
    if (!table.error.isEmpty()) {
        result.message = QStringLiteral("Le fichier %1 n'a pas été importé. %2").arg(path, table.error);
        return false;
    }
    if (table.rows.empty()) {
        result.message = QStringLiteral("Le fichier %1 est vide : rien n'a été importé.").arg(path);
        return false;
    }
    return true;
}

} // namespace

QStringList columns()
{
    QStringList list;
    for (const char* header : kHeaders)
        list << QString::fromUtf8(header);
    return list;
}

Result exportTo(CellarSession& session, const QString& path)
{
    Result result;
    if (const QString refused = OutputFile::refusal(path); !refused.isEmpty()) {
        result.message = refused;
        return result;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.message = QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(path, file.errorString());
        return result;
    }
    file.write(Csv::line(columns()).toUtf8());
    try {
        Statement rows(session.database(),
                       QStringLiteral("SELECT c.[Nom vin], t.Type, t.Appellation, t.Etat, t.Nic, c.Cru, "
                                      "c.Proprietaire, c.Millesime, c.Contenance, c.[Nbr Achat], c.Stock, "
                                      "c.[Prix Achat], c.[Date Achat], c.Cote FROM CAVE c "
                                      "LEFT JOIN TYPEVIN t ON t.[Index] = c.RelType ORDER BY c.[Index]"));
        rows.bind({});
        while (rows.next()) {
            auto text = [&rows](int column) { return Csv::protectedCell(rows.text(column)); };
            file.write(Csv::line({text(0), text(1), text(2), Csv::protectedCell(colourWord(rows.text(3))), text(4),
                                  text(5), text(6), QString::number(rows.integer(7)), text(8), number(rows.real(9)),
                                  QString::number(rows.integer(10)), number(rows.real(11)), text(12),
                                  QString::number(rows.integer(13))})
                           .toUtf8());
            ++result.lots;
        }
    } catch (const DbError& error) {
        file.cancelWriting();
        result.message = QStringLiteral("L'exportation a échoué : %1").arg(error.description());
        return result;
    }
    if (!file.commit()) {
        result.message = QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(path, file.errorString());
        return result;
    }
    result.ok = true;
    result.message = QStringLiteral("%1 vin(s) exporté(s) dans %2.").arg(result.lots).arg(path);
    return result;
}

Result inspect(const QString& path)
{
    Result result;
    Csv::Table table;
    // The header row only, read in the file's encoding: the rows are read, and a file that cannot be
    // refused, by the import itself.
    if (!readTable(path, table, result, 1))
        return result;
    if (CellarTrackerCsv::recognises(table.rows.front())) {
        // Its columns are sorted by CellarTrackerCsv::import itself.
        result = CellarTrackerCsv::describe(table.rows.front());
        result.ok = true;
        return result;
    }
    const Mapping mapping = map(table.rows.front());
    result.recognised = mapping.recognised;
    result.ignored = mapping.ignored;
    result.ok = true;
    return result;
}

namespace {

// Reads every row into its lot, in the file's order; a row that cannot be read refuses the file (refusal
// set) before anything is written.
std::vector<ImportedLot> plan(const Csv::Table& table, const Mapping& mapping, const QString& path, QString& refusal)
{
    auto field = [&](const QStringList& row, Column c) {
        return mapping.at[c] >= 0 ? Csv::unprotectedCell(row.value(mapping.at[c])) : QString();
    };
    std::vector<ImportedLot> lots;
    lots.reserve(table.rows.size());
    for (size_t r = 1; r < table.rows.size(); ++r) {
        const QStringList& row = table.rows[r];
        bool ok = true;
        auto integer = [&](Column c, int fallback) {
            const QString text = field(row, c).trimmed();
            bool good = true;
            const int value = text.isEmpty() ? fallback : text.toInt(&good);
            ok = ok && good;
            return value;
        };
        auto real = [&](Column c) {
            const QString text = field(row, c).trimmed();
            bool good = true;
            const double value = text.isEmpty() ? 0 : QLocale::c().toDouble(text, &good);
            ok = ok && good;
            return value;
        };
        ImportedLot lot;
        lot.name = field(row, Name);
        lot.owner = field(row, Owner);
        lot.cru = field(row, Cru);
        lot.purchaseDate = field(row, Date);
        lot.size = field(row, Size);
        lot.type = {field(row, Type),    field(row, Appellation),
                    QString(),           colourCode(field(row, Colour)),
                    field(row, Country), QString()};
        lot.vintage = integer(Vintage, 0);
        lot.stock = integer(Stock, 0);
        lot.keeping = integer(Keeping, 99);
        lot.bought = mapping.at[Bought] < 0 ? static_cast<double>(lot.stock) : real(Bought);
        lot.price = real(Price);
        if (!ok) {
            refusal = QStringLiteral("Le fichier %1 n'a pas été importé. Ligne %2 : un millésime, un nombre ou "
                                     "un prix n'est pas un nombre.")
                          .arg(path)
                          .arg(table.lines[r]);
            return {};
        }
        lots.push_back(std::move(lot));
    }
    return lots;
}

} // namespace

Result importFrom(CellarSession& session, const QString& path)
{
    Result result;
    Csv::Table table;
    if (!readTable(path, table, result))
        return result;
    if (CellarTrackerCsv::recognises(table.rows.front()))
        return CellarTrackerCsv::import(session, table, path);
    const Mapping mapping = map(table.rows.front());
    result.recognised = mapping.recognised;
    result.ignored = mapping.ignored;
    if (mapping.at[Name] < 0 || mapping.at[Type] < 0) {
        result.message = QStringLiteral("Le fichier %1 n'a pas les colonnes « Nom » et « Type » : rien n'a été "
                                        "importé.")
                             .arg(path);
        return result;
    }
    QString refusal;
    const std::vector<ImportedLot> lots = plan(table, mapping, path, refusal);
    if (!refusal.isEmpty()) {
        result.message = refusal;
        return result;
    }
    LotImportWriter::Totals totals;
    const WriteResult written = LotImportWriter::write(
        session, "CsvExchange::importFrom", {},
        [&](LotImportWriter& writer) {
            for (const ImportedLot& lot : lots)
                writer.add(lot);
        },
        totals);
    if (!written.done()) {
        result = Result{};
        result.message = QStringLiteral("L'importation a échoué, votre cave est restée telle qu'elle était : %1")
                             .arg(written.engineText);
        return result;
    }
    result.lots = totals.lots;
    result.bottles = totals.bottles;
    result.newTypes = totals.newTypes;
    result.ok = true;
    result.message = QStringLiteral("%1 lot(s) et %2 bouteille(s) importés, %3 nouveau(x) type(s) de vin.")
                         .arg(result.lots)
                         .arg(result.bottles)
                         .arg(result.newTypes);
    if (!result.ignored.isEmpty())
        result.message += QStringLiteral("\nColonnes ignorées : %1").arg(result.ignored.join(QStringLiteral(", ")));
    return result;
}

} // namespace CsvExchange
