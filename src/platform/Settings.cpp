#include "platform/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

QString SettingsFile(const QString& app) {
    const QString over = qEnvironmentVariable("BRIVANTA_REGLAGES");
    if (!over.isEmpty()) return over;
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + u'/' + app + u'/' + app + QStringLiteral(".ini");
}

bool SettingsWritable(const QString& app) {
    const QFileInfo file(SettingsFile(app));
    const QString dir = file.absolutePath();
    if (!QDir().mkpath(dir)) return false;
    const QFileInfo folder(dir);
    if (!folder.isDir() || !folder.isWritable()) return false;
    return !file.exists() || (file.isFile() && file.isWritable());
}

namespace {
QString Path(const QString& section, const QString& key) {
    return section + u'/' + key;
}
}  // namespace

QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue) {
    QSettings s(SettingsFile(app), QSettings::IniFormat);
    const QVariant v = s.value(Path(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value) {
    QSettings s(SettingsFile(app), QSettings::IniFormat);
    s.setValue(Path(section, key), value);
    s.sync();
}

bool HasSetting(const QString& app, const QString& section, const QString& key) {
    QSettings s(SettingsFile(app), QSettings::IniFormat);
    return s.contains(Path(section, key));
}

QString BoolText(bool b) {
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

bool TextBool(const QString& s, bool defaultValue) {
    const QString t = s.trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0 ||
        t.compare(QStringLiteral("Vrai"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0 ||
        t.compare(QStringLiteral("Faux"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const long long n = t.toLongLong(&ok);
    return ok ? n != 0 : defaultValue;
}

}  // namespace platform
