#include "platform/Profile.h"

#include <QSettings>
#include <memory>

namespace {

QString& redirectedFile()
{
    static QString path;
    return path;
}

std::unique_ptr<QSettings> openSettings()
{
    if (!redirectedFile().isEmpty())
        return std::make_unique<QSettings>(redirectedFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Morvalis Software"), QStringLiteral("Tonnelix"));
}

QString key(const QString& section, const QString& name)
{
    return section + QLatin1Char('/') + name;
}

} // namespace

namespace Profile {

QString getString(const QString& section, const QString& name, const QString& defaultValue)
{
    return openSettings()->value(key(section, name), defaultValue).toString();
}

int getInt(const QString& section, const QString& name, int defaultValue)
{
    bool ok = false;
    const int value = openSettings()->value(key(section, name), defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

void writeString(const QString& section, const QString& name, const QString& value)
{
    openSettings()->setValue(key(section, name), value);
}

void writeInt(const QString& section, const QString& name, int value)
{
    openSettings()->setValue(key(section, name), value);
}

void remove(const QString& section, const QString& name)
{
    openSettings()->remove(key(section, name));
}

bool contains(const QString& section, const QString& name)
{
    return openSettings()->contains(key(section, name));
}

void useFile(const QString& iniPath)
{
    redirectedFile() = iniPath;
}

QString redirection()
{
    return redirectedFile();
}

QString storageLocation()
{
    return openSettings()->fileName();
}

} // namespace Profile
