#include "exchange/ExchangeFile.h"

#include "db/CellarSession.h"
#include "db/Colour.h"
#include "db/SlashFields.h"
#include "db/engine/Statement.h"
#include "exchange/ImportLimits.h"
#include "exchange/LotImportWriter.h"
#include "exchange/Windows1252.h"
#include "platform/InputFile.h"
#include "platform/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ExchangeFile {

namespace {

const QString kStructure = QStringLiteral("La structure du fichier n'est pas bonne !");
const char kLineEnd[] = "\r\r\n";

// The fields of a record; the currency after them is not read.
constexpr int kRecordFields = 10;

struct Rename
{
    const char* cellar;
    const char* file;
};
const Rename kRenames[] = {{"Languedoc", "Languedoc Rouge"},
                           {"Roussillon", "Roussillon Rouge"},
                           {"Alsace", "Alsace Blanc"},
                           {"Cahors", "Cahors Rouge"}};

// Leading decimal digits as an integer (no digit: 0).
qint64 leadingInteger(const QString& text)
{
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - '0');
        if (value > 1'000'000'000'000LL)
            break;
    }
    return value;
}

// Leading digits with "." as decimal point as a number (no digit: 0).
double leadingReal(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end].isDigit())
        ++end;
    if (end < text.size() && text[end] == QLatin1Char('.')) {
        ++end;
        while (end < text.size() && text[end].isDigit())
            ++end;
    }
    bool ok = false;
    const double value = QStringView(text).left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

bool isDate(const QString& field)
{
    if (field.size() != 8)
        return false;
    for (const QChar c : field) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// A text field as it may stand in the file: "/" would split the line, a line end would cut it.
QString fieldText(QString text, bool& slashed)
{
    if (text.contains(QLatin1Char('/'))) {
        text.replace(QLatin1Char('/'), QLatin1Char('-'));
        slashed = true;
    }
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString money(double value)
{
    return QString::number(value, 'f', 2); // "." whatever the locale
}

// The lines of a file, without their line ends; false when the last line has no line end.
bool readLines(QFile& file, const std::function<bool(const QByteArray&, int)>& line)
{
    int number = 0;
    bool ended = false;
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine();
        ended = bytes.endsWith('\n');
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        if (!line(bytes, ++number))
            return false;
    }
    return ended;
}

} // namespace

QString report(const Result& result)
{
    QString text = result.message;
    if (!result.ok)
        return text;
    if (result.typesCreated > 0)
        text += QStringLiteral("\n%1 type(s) de vin inconnu(s) de votre cave ont été créés (couleur « Autres »).")
                    .arg(result.typesCreated);
    if (result.slashes > 0)
        text += QStringLiteral("\n%1 vin(s) contenaient « / » : il a été écrit « - ».").arg(result.slashes);
    if (result.unencodable > 0)
        text += QStringLiteral("\n%1 caractère(s) que le Pocket PC ne connaît pas ont été écrits « ? ».")
                    .arg(result.unencodable);
    return text;
}

QString toFile(const QString& type)
{
    for (const Rename& r : kRenames) {
        if (type == QLatin1String(r.cellar))
            return QString::fromLatin1(r.file);
    }
    return type;
}

QString toCellar(const QString& type)
{
    for (const Rename& r : kRenames) {
        if (type == QLatin1String(r.file))
            return QString::fromLatin1(r.cellar);
    }
    if (type == QLatin1String("Bordeaux"))
        return QStringLiteral("Bordeaux Rouge");
    return type;
}

Result exportTo(CellarSession& session, const QString& path, const Progress& progress)
{
    Result result;
    if (const QString refused = OutputFile::refusal(path); !refused.isEmpty()) {
        result.message = refused;
        return result;
    }
    // The records are added to what the file holds in a copy that takes its place once complete: a failed
    // export leaves the user's file as it was, never with half a line.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.message = QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, file.errorString());
        return result;
    }
    if (QFileInfo(path).isFile()) {
        QFile existing(path);
        if (!existing.open(QIODevice::ReadOnly)) {
            result.message = QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, existing.errorString());
            return result;
        }
        while (!existing.atEnd()) {
            const QByteArray chunk = existing.read(1 << 16);
            if (chunk.isEmpty() || file.write(chunk) != chunk.size()) {
                result.message = QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(path, file.errorString());
                return result;
            }
        }
    }
    try {
        Database& db = session.database();
        const qint64 total = db.scalar(QStringLiteral("SELECT count(*) FROM TYPEVIN INNER JOIN CAVE ON "
                                                      "TYPEVIN.[Index] = CAVE.RelType"))
                                 .toLongLong();
        Statement rows(db,
                       QStringLiteral("SELECT CAVE.[Date Achat], CAVE.Millesime, TYPEVIN.Type, TYPEVIN.Appellation, "
                                      "CAVE.Cru, CAVE.[Nom vin], CAVE.[Nbr Achat], CAVE.Stock, CAVE.[Prix Achat] "
                                      "FROM TYPEVIN INNER JOIN CAVE ON TYPEVIN.[Index] = CAVE.RelType "
                                      "ORDER BY CAVE.[Index]"));
        rows.bind({});
        QByteArray buffer;
        int lastPercent = -1;
        while (rows.next()) {
            const QString date = rows.text(0);
            // DD/MM/YYYY becomes YYYYMMDD; a lot without a date is written 00000000.
            const QString fileDate =
                date.size() == 10 ? date.right(4) + date.mid(3, 2) + date.left(2) : QStringLiteral("00000000");
            const double bought = rows.real(6);
            const double price = rows.real(8);
            bool slashed = false;
            const QString line =
                fileDate + QLatin1Char('/') + QString::number(rows.integer(1)) + QLatin1Char('/') +
                fieldText(toFile(rows.text(2)), slashed) + QLatin1Char('/') + fieldText(rows.text(3), slashed) +
                QLatin1Char('/') + fieldText(rows.text(4), slashed) + QLatin1Char('/') +
                fieldText(rows.text(5), slashed) + QLatin1Char('/') + QString::number(static_cast<qint64>(bought)) +
                QLatin1Char('/') + QString::number(rows.integer(7)) + QLatin1Char('/') +
                money(bought != 0 ? price / bought : 0.0) + QLatin1Char('/') + money(price) + QStringLiteral("/Euro");
            buffer += Windows1252::encode(line, result.unencodable);
            buffer += kLineEnd;
            result.slashes += slashed ? 1 : 0;
            ++result.records;
            if (buffer.size() > (1 << 16)) {
                file.write(buffer);
                buffer.clear();
            }
            const int percent = total > 0 ? static_cast<int>(result.records * 100 / total) : 100;
            if (progress && percent != lastPercent)
                progress(lastPercent = percent);
        }
        if (file.write(buffer) != buffer.size() || !file.commit()) {
            result.message = QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(path, file.errorString());
            return result;
        }
    } catch (const DbError& error) {
        result.message = error.description();
        return result;
    }
    if (progress)
        progress(100);
    result.ok = true;
    result.message = QStringLiteral("Votre Exportation a été effectuée !");
    return result;
}

namespace {

// The lot a checked record of the file stands for. Its type is looked for under the cellar's name of the
// region first, then under the pocket device's own (a cellar that kept the name "Bordeaux"), so that nothing
// is created twice; a type the cellar lacks is made visible under "Autres".
ImportedLot plannedLot(const QStringList& f)
{
    ImportedLot lot;
    const QString& date = f[0];
    lot.name = f[5];
    lot.owner = QStringLiteral("");
    lot.cru = f[4];
    lot.purchaseDate = date == QLatin1String("00000000")
                           ? QString()
                           : date.right(2) + QLatin1Char('/') + date.mid(4, 2) + QLatin1Char('/') + date.left(4);
    lot.type = {toCellar(f[2]), f[3], f[2], ColourCode::stored(Colour::Other), QVariant(), QString()};
    lot.keeping = 99;
    lot.vintage = static_cast<int>(leadingInteger(f[1])); // checked against the limits before

    lot.bought = leadingInteger(f[6]);
    lot.stock = leadingInteger(f[7]);
    lot.price = leadingReal(f[9]);
    return lot;
}

} // namespace

Result importFrom(CellarSession& session, const QString& path, bool replace, const Progress& progress)
{
    Result result;
    if (const QString refused = InputFile::refusal(path); !refused.isEmpty()) {
        result.message = refused;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, file.errorString());
        return result;
    }
    // First the whole file is checked: a record that lacks its fields refuses it before anything is written.
    int lines = 0;
    QString refusal;
    const bool ended = readLines(file, [&](const QByteArray& bytes, int number) {
        const QStringList fields = SplitSlashFieldsByPosition(Windows1252::decode(bytes));
        ++lines;
        if (number == 1 && (leadingInteger(fields.value(1)) <= 0 || leadingInteger(fields.value(7)) <= 0)) {
            refusal = kStructure;
            return false;
        }
        if (fields.size() < kRecordFields || !isDate(fields[0])) {
            refusal =
                kStructure + QStringLiteral("\nLa ligne %1 ne contient pas tous les champs d'un vin.").arg(number);
            return false;
        }
        if (leadingInteger(fields[1]) > ImportLimits::kMaxVintage ||
            leadingInteger(fields[6]) > ImportLimits::kMaxBottles ||
            leadingInteger(fields[7]) > ImportLimits::kMaxBottles || leadingReal(fields[9]) > ImportLimits::kMaxPrice) {
            refusal = kStructure + QStringLiteral("\nLa ligne %1 a un millésime, un nombre de bouteilles ou un prix "
                                                  "hors des limites (millésime jusqu'à %2, %3 bouteilles, prix "
                                                  "jusqu'à %4).")
                                       .arg(number)
                                       .arg(ImportLimits::kMaxVintage)
                                       .arg(ImportLimits::kMaxBottles)
                                       .arg(ImportLimits::kMaxPrice, 0, 'f', 0);
            return false;
        }
        return true;
    });
    if (!refusal.isEmpty() || lines == 0 || !ended) {
        result.message = refusal.isEmpty() ? kStructure : refusal;
        return result;
    }
    LotImportWriter::Totals totals;
    const WriteResult written = LotImportWriter::write(
        session, "ExchangeFile::importFrom", {replace, false},
        [&](LotImportWriter& writer) {
            file.seek(0);
            int lastPercent = -1;
            readLines(file, [&](const QByteArray& bytes, int number) {
                writer.add(plannedLot(SplitSlashFieldsByPosition(Windows1252::decode(bytes))));
                const int percent = number * 100 / lines;
                if (progress && percent != lastPercent)
                    progress(lastPercent = percent);
                return true;
            });
        },
        totals);
    if (!written.done()) {
        result.message = QStringLiteral("Impossible d'écrire l'enregistrement CAVE\n") + written.engineText;
        return result;
    }
    result.records = totals.lots;
    result.typesCreated = totals.newTypes;
    if (progress)
        progress(100);
    result.ok = true;
    result.message = QStringLiteral("Votre importation a été effectuée !");
    return result;
}

} // namespace ExchangeFile
