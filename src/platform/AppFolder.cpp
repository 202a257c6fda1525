#include "platform/AppFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString AppPath() {
    QString p = qEnvironmentVariable("BRIVANTA_DOSSIER");
    if (p.isEmpty()) p = QCoreApplication::applicationDirPath();
    p = QDir::cleanPath(p);
    while (p.size() > 1 && p.endsWith(u'/')) p.chop(1);
    return p;
}

QString AppFile(const QString& name) {
    return AppPath() + u'/' + name;
}

}  // namespace platform
