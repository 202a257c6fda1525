#include "shell/Configuration.h"

#include <QSettings>

#include "platform/AppFolder.h"

namespace Configuration {
namespace {
QString Lire(const char* key, const char* def) {
    const QSettings s(Fichier(), QSettings::IniFormat);
    const QString v = s.value(QString::fromLatin1(key)).toString().trimmed();
    return v.isEmpty() ? QString::fromLatin1(def) : v;
}
}  // namespace

QString Fichier() {
    return platform::AppFile(QStringLiteral("brivanta.conf"));
}

QString SitePartenaire() {
    const char* defaut = "http://recettes.exemple.org";
    QString s = Lire("Partenaire/Adresse", defaut);
    while (s.endsWith(u'/')) s.chop(1);
    return s.isEmpty() ? QString::fromLatin1(defaut) : s;
}
QString DomainePartenaire() {
    return Lire("Partenaire/Domaine", "recettes.exemple.org");
}
QString MarquePartenaire() {
    return Lire("Partenaire/Marque", "Recettes");
}
QString SiteAuteur() {
    return Lire("Auteur/Adresse", "http://brivanta.exemple.net/");
}

}  // namespace Configuration
