#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

// Reads the tables of a Microsoft Jet database (the cellar of the Windows release, Jet 3 or Jet 4) with
// mdbtools' libmdb. The file is opened read-only; nothing is ever written to it. libmdb is C code reading a
// file from outside: the window never runs this in its own process (see JetConversion).
class JetReader
{
public:
    struct Column
    {
        QString name;
        enum class Kind
        {
            Integer,
            Real,
            Text
        } kind = Kind::Text;
    };

    JetReader();
    ~JetReader();
    JetReader(const JetReader&) = delete;
    JetReader& operator=(const JetReader&) = delete;

    // False (with the reason in French) when the file cannot be read as a Jet database.
    bool open(const QString& path, QString* error);
    // The same over bytes in memory (the fuzz target).
    bool openBuffer(const QByteArray& bytes, QString* error);

    // The user tables, in the file's order.
    QStringList tables() const;
    // The number of rows the table says it has (0 for an unknown table).
    qint64 rowCount(const QString& table) const;
    // Calls row for every row of the table with its columns and values (an invalid QVariant for a NULL);
    // numbers are read from their stored bytes, exactly; texts as Unicode. False when the table cannot be read.
    using Row = std::function<void(const QList<Column>& columns, const QVariantList& values)>;
    bool readTable(const QString& table, const Row& row, QString* error);

    // A Jet 3 (Access 97) file: its texts are in a code page, converted by the library.
    bool isJet3() const;
    // The database is encrypted (Access's "encoder la base", usually with a password): the library would
    // read its pages as noise.
    bool isEncrypted() const;
    // A password is set without encryption: the pages are readable, but the owner asked for them to be kept.
    bool hasPassword() const;

private:
    bool afterOpen(QString* error);

    struct Handle;
    std::unique_ptr<Handle> m_handle;
    QByteArray m_buffer;    // kept alive while a buffer is open
    QByteArray m_firstPage; // its header, read apart from the library
};
