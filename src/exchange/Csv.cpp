#include "exchange/Csv.h"

#include "exchange/Windows1252.h"

#include <QStringDecoder>

namespace Csv {

QString line(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields) {
        if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\n')) ||
            field.contains(QLatin1Char('\r'))) {
            QString text = field;
            text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            quoted << QLatin1Char('"') + text + QLatin1Char('"');
        } else {
            quoted << field;
        }
    }
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

Table read(const QString& text, int maxRows)
{
    Table table;
    QStringList row;
    QString field;
    int lineNumber = 1;
    int rowStart = 1;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the field was quoted and its quote closed
    bool fieldStarted = false;
    const qsizetype size = text.size();
    auto endRow = [&] {
        row << field;
        // A blank line between rows is passed over.
        if (!(row.size() == 1 && row.front().isEmpty() && !wasQuoted)) {
            table.rows.push_back(row);
            table.lines.push_back(rowStart);
        }
        row.clear();
        field.clear();
        wasQuoted = fieldStarted = false;
    };
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < size && text.at(i + 1) == QLatin1Char('"')) {
                    field += QLatin1Char('"');
                    ++i;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++lineNumber;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
            wasQuoted = fieldStarted = false;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endRow();
            if (maxRows > 0 && table.rows.size() >= static_cast<size_t>(maxRows))
                return table;
            ++lineNumber;
            rowStart = lineNumber;
        } else if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (wasQuoted) {
            table.error =
                QStringLiteral("Ligne %1 : du texte suit la fin d'un champ entre guillemets.").arg(lineNumber);
            return table;
        } else {
            // The rest of an unquoted field is taken in one piece, up to its comma or its line end.
            qsizetype end = i + 1;
            while (end < size) {
                const char16_t u = text.at(end).unicode();
                if (u == u',' || u == u'\r' || u == u'\n')
                    break;
                ++end;
            }
            field += QStringView(text).mid(i, end - i);
            fieldStarted = true;
            i = end - 1;
        }
    }
    if (quoted) {
        table.error = QStringLiteral("Ligne %1 : un guillemet ouvert n'est jamais fermé.").arg(rowStart);
        return table;
    }
    if (!field.isEmpty() || !row.isEmpty() || wasQuoted)
        endRow();
    return table;
}

QString decode(const QByteArray& bytes, bool* wasUtf8)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(body);
    const bool valid = !utf8.hasError();
    if (wasUtf8)
        *wasUtf8 = valid;
    return valid ? text : Windows1252::decode(body);
}

namespace {

// Whether a spreadsheet would take the text after its leading apostrophes as a formula.
bool startsLikeAFormula(const QString& text, qsizetype from)
{
    while (from < text.size() && text[from] == QLatin1Char('\''))
        ++from;
    if (from >= text.size())
        return false;
    const QChar c = text[from];
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('@') ||
           c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

} // namespace

QString protectedCell(const QString& text)
{
    return startsLikeAFormula(text, 0) ? QLatin1Char('\'') + text : text;
}

QString unprotectedCell(const QString& text)
{
    return text.startsWith(QLatin1Char('\'')) && startsLikeAFormula(text, 1) ? text.mid(1) : text;
}

} // namespace Csv
