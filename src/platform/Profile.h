#pragma once

#include <QString>

// The application's settings, by section and value name, kept with QSettings under
// "Morvalis Software" / "Tonnelix". Tests and the demo redirect them into a file of their own.
namespace Profile {

QString getString(const QString& section, const QString& name, const QString& defaultValue = QString());
int getInt(const QString& section, const QString& name, int defaultValue = 0);
void writeString(const QString& section, const QString& name, const QString& value);
void writeInt(const QString& section, const QString& name, int value);
void remove(const QString& section, const QString& name);
bool contains(const QString& section, const QString& name);

// Keeps the settings in this INI file from now on; an empty path returns to the user's own settings.
void useFile(const QString& iniPath);
// The file given to useFile, or empty when the user's own settings are in use.
QString redirection();
// Where the settings are kept (a file path).
QString storageLocation();

} // namespace Profile
