#include "platform/Settings.h"

#include "platform/Profile.h"

namespace Settings {

QString get(const Setting<QString>& key)
{
    return Profile::getString(key.section, key.name, key.fallback);
}

int get(const Setting<int>& key)
{
    return Profile::getInt(key.section, key.name, key.fallback);
}

void set(const Setting<QString>& key, const QString& value)
{
    Profile::writeString(key.section, key.name, value);
}

void set(const Setting<int>& key, int value)
{
    Profile::writeInt(key.section, key.name, value);
}

bool contains(const Setting<QString>& key)
{
    return Profile::contains(key.section, key.name);
}

} // namespace Settings
