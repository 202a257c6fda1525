#include "platform/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
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

// The values written during the session that the file did not take, by
// file and key. They are read back before the file, so that a store that
// cannot be kept still answers with the user's own choices until the end.
QHash<QString, QString>& NonGardes() {
    static QHash<QString, QString> valeurs;
    return valeurs;
}

QString CleSession(const QString& file, const QString& path) {
    return file + u'\n' + path;
}

std::function<void()>& Avertir() {
    static std::function<void()> avertir;
    return avertir;
}
}  // namespace

void SurReglageRefuse(std::function<void()> avertir) {
    Avertir() = std::move(avertir);
}

QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue) {
    const QString file = SettingsFile(app);
    const auto kept = NonGardes().constFind(CleSession(file, Path(section, key)));
    if (kept != NonGardes().constEnd()) return *kept;
    QSettings s(file, QSettings::IniFormat);
    const QVariant v = s.value(Path(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value) {
    const QString file = SettingsFile(app);
    const QString path = Path(section, key);
    bool written = false;
    {
        QSettings s(file, QSettings::IniFormat);
        s.setValue(path, value);
        s.sync();
        written = s.status() == QSettings::NoError;
    }
    // Once the file takes a value again, the file is what is read.
    if (written)
        NonGardes().remove(CleSession(file, path));
    else
        NonGardes().insert(CleSession(file, path), value);
    // The user is told once; the warning goes before it is shown, so that a
    // write made while it is shown does not tell again.
    if (!written && Avertir()) {
        const std::function<void()> avertir = std::move(Avertir());
        Avertir() = nullptr;
        avertir();
    }
}

bool HasSetting(const QString& app, const QString& section, const QString& key) {
    const QString file = SettingsFile(app);
    if (NonGardes().contains(CleSession(file, Path(section, key)))) return true;
    QSettings s(file, QSettings::IniFormat);
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
