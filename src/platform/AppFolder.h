#pragma once

#include <QString>

namespace platform {

// The application's title, as the settings store and the messages use it.
inline const QString& AppTitle() {
    static const QString t = QStringLiteral("Brivanta");
    return t;
}

// The application folder: BRIVANTA_DOSSIER when set, else the folder of the
// executable. Never ends with a separator.
QString AppPath();
// A file of the application folder: AppFile("db.mdb").
QString AppFile(const QString& name);

}  // namespace platform
