#include "support/TableDump.h"

#include "db/engine/Database.h"

QString dumpTables(Database& db, const QStringList& tables)
{
    QStringList rows;
    for (const QString& table : tables) {
        rows << QStringLiteral("-- ") + table;
        Recordset rs = db.openQuery(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
        if (rs.recordCount() == 0)
            continue;
        for (rs.moveFirst(); !rs.isEOF(); rs.moveNext()) {
            QStringList fields;
            for (const QString& name : rs.fieldNames())
                fields << rs.field(name).toString();
            rows << fields.join(QLatin1Char('|'));
        }
    }
    return rows.join(QLatin1Char('\n'));
}
