#include "shell/Sauvegarde.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "db/Schema.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/Remplacement.h"
#include "platform/Resume.h"
#include "platform/SingleInstance.h"
#include "shell/Frmmain.h"
#include "shell/General.h"

namespace General {

namespace {

const QString kFiltre = QStringLiteral("Tous les fichiers MDB (*.mdb)|*.mdb");

// A path the way two names of one file compare: absolute, cleaned, lower case.
QString Compared(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toLower();
}

// Copies a whole file. The copy is written beside the target and renamed
// over it only once complete, so a failure leaves the target as it was.
// avantRenommer is given the complete copy just before its rename.
bool CopierFichier(const QString& from, const QString& to, QString* why,
                   const std::function<void(const QString&)>& avantRenommer = {}) {
    QFile src(from);
    if (!src.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("le fichier « %1 » ne peut pas être lu").arg(from);
        return false;
    }
    platform::Remplacement dst(to);
    if (!dst.Ouvrir()) {
        *why = QStringLiteral("le fichier « %1 » ne peut pas être écrit").arg(to);
        return false;
    }
    QByteArray chunk;
    while (!(chunk = src.read(1 << 20)).isEmpty()) {
        if (!dst.Ecrire(chunk)) {
            *why = QStringLiteral("l'écriture de « %1 » a échoué (disque plein ?)").arg(to);
            return false;
        }
    }
    if (src.error() != QFileDevice::NoError) {
        *why = QStringLiteral("le fichier « %1 » n'a pas pu être lu entièrement").arg(from);
        return false;
    }
    if (avantRenommer) avantRenommer(dst.Temporaire());
    if (!dst.Valider()) {
        *why = QStringLiteral("le fichier « %1 » n'a pas pu être enregistré").arg(to);
        return false;
    }
    return true;
}

void Refuser(const QString& name) {
    platform::MsgBox(QStringLiteral("Vous ne devriez pas sauvegarder avec ce nom (") + name +
                         QStringLiteral(") !!!"),
                     platform::vbInformation + platform::vbOKOnly, platform::AppTitle());
}

void Signaler(const QString& text) {
    platform::MsgBox(text, platform::vbExclamation + platform::vbOKOnly, platform::AppTitle());
}

// Puts the chosen file in place of the live collection, only when it is a
// sound collection of ours whose keys the lists can show; the user is told
// why when it is not.
void Remplacer(const QString& chosen) {
    const QString live = db::DbPath();
    const QFileInfo from(chosen);
    const QFileInfo to(live);
    if (from.exists() && to.exists() && from.canonicalFilePath() == to.canonicalFilePath())
        return;  // the live file itself: nothing to copy
    // The copy is made while the examined file is still held, so that no
    // other program changes it between the checks and the copy.
    QString why;
    bool copied = false;
    // The running copy's lock goes on to the new file before it takes the
    // collection's place: no second copy comes in between.
    platform::SingleInstance* verrou = Frmmain::Instance().Verrou();
    const db::Examination e = db::Examine(chosen, db::Depth::Whole, [&] {
        copied = CopierFichier(chosen, live, &why, [&](const QString& nouveau) {
            if (verrou) verrou->Preparer(nouveau);
        });
    });
    // Once the chosen file is closed: the old file's lock goes only then.
    if (verrou) verrou->Conclure(copied);
    if (!e) {
        Signaler(QStringLiteral("Le fichier « %1 » ne peut pas être restauré : %2.\n"
                                "La base de données actuelle est conservée.")
                     .arg(chosen, e.why));
        return;
    }
    if (!copied) {
        Signaler(QStringLiteral("La restauration de la base de données a échoué : %1.\n"
                                "La base de données actuelle est conservée.")
                     .arg(why));
        return;
    }
    // A journal left beside the old file must not be replayed into the new one.
    QFile::remove(live + QStringLiteral("-journal"));
    OublierAvertissements();
}

}  // namespace

void SauvegarderBase() {
    platform::CommonDialog& dlg = Frmmain::Instance().CommonDialog1;
    dlg.DialogTitle = QStringLiteral("Sauvegarder la base de donnée");
    dlg.FileName = QString();
    dlg.Filter = kFiltre;
    dlg.ShowSave();
    const QString name = dlg.FileName;
    if (name.isEmpty()) return;

    if (Compared(name) == Compared(platform::AppFile(QStringLiteral("db.mdb")))) {
        Refuser(QStringLiteral("db.mdb"));
        return;
    }
    if (Compared(name) == Compared(platform::AppFile(QStringLiteral("RaruDavirevov.mdb")))) {
        Refuser(QStringLiteral("RaruDavirevov.mdb"));
        return;
    }
    QString why;
    if (!CopierFichier(db::DbPath(), name, &why))
        Signaler(QStringLiteral("La sauvegarde de la base de données a échoué : %1.").arg(why));
}

void RestaurerBase() {
    Frmmain& f = Frmmain::Instance();
    platform::CommonDialog& dlg = f.CommonDialog1;
    dlg.DialogTitle = QStringLiteral("Restaurer une ancienne base de donnée");
    dlg.FileName = QString();
    dlg.Filter = kFiltre;
    dlg.ShowOpen();
    const QString name = dlg.FileName;
    if (!name.isEmpty()) {
        platform::Resume([&] { f.CoinGT.repaint(); });
        platform::Resume([&] { Remplacer(name); });
        platform::Resume([&] { AfficherListe(Tris()); });
    }
    if (f.Liste.Count() == 0) f.LTDroit.SetCaption(QString());
}

}  // namespace General
