#include "db/SlashFields.h"

QStringList SplitSlashFields(const QString& line)
{
    QStringList fields = line.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (fields.size() > 12)
        fields = fields.mid(0, 12);
    while (fields.size() < 12)
        fields << QString();
    return fields;
}

QStringList SplitSlashFieldsByPosition(const QString& line)
{
    return line.split(QLatin1Char('/'));
}
