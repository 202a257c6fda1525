#pragma once

#include <QString>
#include <functional>

// The per-user settings store: values kept as text by application title,
// section and key. The file is the user's Brivanta.ini, or the one that the
// environment variable BRIVANTA_REGLAGES names (tests use their own).
// A value written during the session is read back until its end, also when
// the file cannot be written: the file only decides what the next start sees.
namespace platform {

QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value);
// True when the key has a stored value.
bool HasSetting(const QString& app, const QString& section, const QString& key);

// Where the store lives.
QString SettingsFile(const QString& app);
// False when the store cannot be written (its folder or file is not
// writable, or its path runs through a file): the settings will not be kept.
bool SettingsWritable(const QString& app);

// Called at the first value that the file refuses during the session
// (a full disk, a file made read-only), once; an empty one calls nothing.
void SurReglageRefuse(std::function<void()> avertir);

// Booleans are written as "True" or "False" and read back from either form
// or from a number.
QString BoolText(bool b);
bool TextBool(const QString& s, bool defaultValue);

}  // namespace platform
