// Writes a large cellar of the Windows release (a Jet 4 file) from a small one: the template's CAVE rows
// repeated with new Index values up to N lots, and one RAYONNAGE position per lot (racks of 15 × 15). The
// template's other tables are kept as they are. libmdb cannot add pages to a Jet file, so the rows are laid
// out here in new data pages at the end of the file, and each table's usage map is rewritten to list them.
// Indexes are left as they were: a reader scanning the table (libmdb, the conversion) does not use them.
//   tonnelix-make-jet-cellar TEMPLATE.mdb N TARGET.mdb
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QtEndian>

#include <cstdio>
#include <cstring>
#include <mdbtools.h>

namespace {

constexpr int kPage = 4096;
constexpr int kRowCount = 12; // Jet 4 data page: the number of rows, then their offsets
constexpr int kMaxRowsPerPage = 255;
constexpr int kRackSide = 15;

struct Table
{
    quint32 definitionPage = 0;
    QList<QByteArray> rows;
    QList<MdbColumn> columns;
};

bool fail(const char* what)
{
    std::fprintf(stderr, "tonnelix-make-jet-cellar: %s\n", what);
    return false;
}

bool readTable(MdbHandle* mdb, const char* name, Table* out)
{
    MdbTableDef* table = mdb_read_table_by_name(mdb, const_cast<gchar*>(name), MDB_TABLE);
    if (!table || !mdb_read_columns(table))
        return fail("a table of the template cannot be read");
    out->definitionPage = static_cast<quint32>(table->entry->table_pg);
    for (unsigned c = 0; c < table->num_cols; ++c)
        out->columns << *static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        int start = 0;
        size_t length = 0;
        if (mdb_find_row(mdb, static_cast<int>(table->cur_row) - 1, &start, &length) != 0)
            return fail("a row of the template cannot be found");
        out->rows << QByteArray(reinterpret_cast<const char*>(mdb->pg_buf) + start, static_cast<int>(length));
    }
    mdb_free_tabledef(table);
    return !out->rows.isEmpty() || fail("a table of the template is empty");
}

// Writes a whole number into a fixed column of a row (fixed columns follow the two-byte column count).
bool setNumber(const Table& table, QByteArray& row, const char* column, qint32 value)
{
    for (const MdbColumn& c : table.columns) {
        if (std::strcmp(c.name, column) != 0 || !c.is_fixed)
            continue;
        const int at = 2 + c.fixed_offset;
        if (at + c.col_size > row.size())
            return fail("a fixed column lies outside its row");
        uchar* bytes = reinterpret_cast<uchar*>(row.data()) + at;
        if (c.col_type == MDB_LONGINT && c.col_size == 4)
            qToLittleEndian<qint32>(value, bytes);
        else if (c.col_type == MDB_INT && c.col_size == 2)
            qToLittleEndian<qint16>(static_cast<qint16>(value), bytes);
        else if (c.col_type == MDB_BYTE && c.col_size == 1)
            bytes[0] = static_cast<uchar>(value);
        else
            return fail("a column is not a whole number");
        return true;
    }
    std::fprintf(stderr, "tonnelix-make-jet-cellar: no fixed column %s\n", column);
    return false;
}

// Lays the rows out in data pages of the table appended to the file; their page numbers.
QList<quint32> appendPages(QByteArray& file, quint32 definition, const QList<QByteArray>& rows)
{
    QList<quint32> pages;
    qsizetype next = 0;
    while (next < rows.size()) {
        QByteArray page(kPage, '\0');
        auto* bytes = reinterpret_cast<uchar*>(page.data());
        bytes[0] = 0x01; // a data page
        bytes[1] = 0x01;
        qToLittleEndian<quint32>(definition, bytes + 4);
        int end = kPage;
        int count = 0;
        while (next < rows.size() && count < kMaxRowsPerPage) {
            const QByteArray& row = rows[next];
            if (kRowCount + 2 + 2 * (count + 1) + row.size() > end)
                break;
            end -= static_cast<int>(row.size());
            std::memcpy(bytes + end, row.constData(), static_cast<size_t>(row.size()));
            qToLittleEndian<quint16>(static_cast<quint16>(end), bytes + kRowCount + 2 + 2 * count);
            ++count;
            ++next;
        }
        qToLittleEndian<quint16>(static_cast<quint16>(count), bytes + kRowCount);
        qToLittleEndian<quint16>(static_cast<quint16>(end - (kRowCount + 2 + 2 * count)), bytes + 2);
        pages << static_cast<quint32>(file.size() / kPage);
        file += page;
    }
    return pages;
}

// Points the table's usage map at a new bitmap page listing its pages (a map "of pages of maps").
bool replaceUsageMap(QByteArray& file, const MdbFormatConstants* format, quint32 definition,
                     const QList<quint32>& pages, quint32 rows)
{
    if (pages.last() >= static_cast<quint32>((kPage - 4) * 8))
        return fail("the file grew beyond one usage map page");
    QByteArray bitmap(kPage, '\0');
    bitmap[0] = 0x05;
    bitmap[1] = 0x01;
    for (quint32 page : pages)
        bitmap[static_cast<int>(4 + page / 8)] =
            static_cast<char>(bitmap[static_cast<int>(4 + page / 8)] | (1 << (page % 8)));
    const quint32 bitmapPage = static_cast<quint32>(file.size() / kPage);
    file += bitmap;

    auto* bytes = reinterpret_cast<uchar*>(file.data());
    uchar* tdef = bytes + qsizetype(definition) * kPage;
    qToLittleEndian<quint32>(rows, tdef + format->tab_num_rows_offset);
    const quint32 pointer = qFromLittleEndian<quint32>(tdef + format->tab_usage_map_offset);
    const quint32 mapPage = pointer >> 8;
    const int mapRow = static_cast<int>(pointer & 0xff);
    if ((qsizetype(mapPage) + 1) * kPage > file.size())
        return fail("the usage map lies outside the file");
    uchar* page = bytes + qsizetype(mapPage) * kPage;
    const int start = qFromLittleEndian<quint16>(page + kRowCount + 2 + 2 * mapRow) & 0x1fff;
    const int next =
        mapRow == 0 ? kPage : (qFromLittleEndian<quint16>(page + kRowCount + 2 + 2 * (mapRow - 1)) & 0x1fff);
    if (next - start < 5 || next > kPage)
        return fail("the usage map is too small to be rewritten");
    std::memset(page + start, 0, static_cast<size_t>(next - start));
    page[start] = 0x01;
    qToLittleEndian<quint32>(bitmapPage, page + start + 1);
    return true;
}

bool make(const QString& templatePath, int lots, const QString& target)
{
    QFile in(templatePath);
    if (!in.open(QIODevice::ReadOnly))
        return fail("the template cannot be read");
    QByteArray file = in.readAll();
    MdbHandle* mdb = mdb_open(QFile::encodeName(templatePath).constData(), MDB_NOFLAGS);
    if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE) || mdb->f->jet_version == MDB_VER_JET3 || file.size() % kPage != 0) {
        if (mdb)
            mdb_close(mdb);
        return fail("the template is not a Jet 4 cellar");
    }
    Table cave;
    Table rack;
    bool ok = readTable(mdb, "CAVE", &cave) && readTable(mdb, "RAYONNAGE", &rack);
    const MdbFormatConstants format = *mdb->fmt;
    mdb_close(mdb);
    if (!ok)
        return false;

    QList<QByteArray> lotRows;
    QList<QByteArray> positionRows;
    for (int i = 0; ok && i < lots; ++i) {
        QByteArray lot = cave.rows[i % cave.rows.size()];
        ok = setNumber(cave, lot, "Index", i + 1);
        lotRows << lot;
        QByteArray position = rack.rows.first();
        ok = ok && setNumber(rack, position, "Relation", i + 1) &&
             setNumber(rack, position, "Casier", 1 + i / (kRackSide * kRackSide)) &&
             setNumber(rack, position, "Coordonnees X", 1 + i % kRackSide) &&
             setNumber(rack, position, "Coordonnees Y", 1 + (i / kRackSide) % kRackSide);
        positionRows << position;
    }
    if (!ok)
        return false;
    const QList<quint32> lotPages = appendPages(file, cave.definitionPage, lotRows);
    const QList<quint32> positionPages = appendPages(file, rack.definitionPage, positionRows);
    if (!replaceUsageMap(file, &format, cave.definitionPage, lotPages, static_cast<quint32>(lots)) ||
        !replaceUsageMap(file, &format, rack.definitionPage, positionPages, static_cast<quint32>(lots)))
        return false;
    QFile out(target);
    if (!out.open(QIODevice::NewOnly) || out.write(file) != file.size() || !out.flush())
        return fail("the target cannot be written (it must not exist)");
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool number = false;
    const int lots = args.size() == 3 ? args[1].toInt(&number) : 0;
    if (!number || lots < 1 || lots > 99 * kRackSide * kRackSide) {
        std::fprintf(stderr, "usage: tonnelix-make-jet-cellar TEMPLATE.mdb N TARGET.mdb (1 <= N <= %d)\n",
                     99 * kRackSide * kRackSide);
        return 2;
    }
    return make(args[0], lots, args[2]) ? 0 : 1;
}
