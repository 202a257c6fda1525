#include "pictures/Scan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPointer>
#include <QSaveFile>
#include <optional>

#include "pictures/Acquisition.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/Metafile.h"
#include "platform/Screen.h"
#include "platform/VbText.h"

namespace Scan {

namespace {

Acquisition& W() {
    return Acquisition::Instance();
}

QString Brouillon() {
    return platform::AppFile(QStringLiteral("temp.bmp"));
}

// The open and save dialogs start in the folder of the last file opened,
// or in the pictures folder of the application.
QString DossierDepart() {
    const QString tag = W().PhotoScan.Tag;
    return platform::Trim(tag).isEmpty() ? platform::AppPath() + QStringLiteral("/image") : tag;
}

// Writes the picture as a bitmap, whole or not at all.
bool EcrireBitmap(const QImage& image, const QString& path) {
    if (image.isNull()) return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (!image.save(&f, "BMP")) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

const QString kTropGrande = QStringLiteral("l'image dépasse 50 millions de points");
const QString kIllisible = QStringLiteral("ce n'est pas une image que le programme sait lire");

// A metafile, drawn at its own size; none when the file is not one.
std::optional<QImage> LireMetafichier(const QString& path, QString& raison) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !platform::IsMetafile(f.peek(64))) return std::nullopt;
    const platform::MetafilePicture m = platform::ReadMetafile(f.readAll(), kPixelsMax);
    if (m.image.isNull()) raison = m.tooLarge ? kTropGrande : kIllisible;
    return Opaque(m.image);
}

// A picture file read whole; an empty picture and the reason when it cannot be.
QImage Lire(const QString& path, QString& raison) {
    if (std::optional<QImage> m = LireMetafichier(path, raison)) return *m;
    // The reader's own limit would refuse the large pictures the window takes.
    QImageReader::setAllocationLimit(std::max(QImageReader::allocationLimit(), 1024));
    QImageReader r(path);
    // A bitmap saved under another name (.wmf, .ico) opens as what it is.
    r.setDecideFormatFromContent(true);
    const QSize s = r.size();
    if (s.isValid() && static_cast<qint64>(s.width()) * s.height() > kPixelsMax) {
        raison = kTropGrande;
        return {};
    }
    QImage image = r.read();
    if (image.isNull()) {
        raison = kIllisible;
        return {};
    }
    return Opaque(image);
}

// The turn's road around its pixel work: the result, written to temp.bmp,
// becomes the current picture and is fitted again.
template <class Travail>
void Transformer(Travail travail, bool garderBrouillon) {
    QPointer<Acquisition> w = &W();
    if (w->PhotoScan.Picture().isNull() || w->Occupee()) return;
    Acquisition::Occupation occupee(*w);
    platform::Hourglass wait;
    w->PhotoScan1.SetPicture(w->PhotoScan.Picture());
    w->PhotoScan2.SetPicture(QImage());
    travail(*w);
    if (!w) return;
    // Without the memory for the result, the picture stays as it was.
    if (w->PhotoScan2.Picture().isNull()) {
        w->PhotoScan1.SetPicture(w->PhotoScan.Picture());
        platform::RestorePointer();
        platform::MsgBox(QStringLiteral("La mémoire manque pour transformer cette image : elle "
                                        "reste telle qu'elle était."),
                         platform::vbExclamation, QString(), w);
        return;
    }
    w->PhotoScan.SetVisible(false);
    // The result is taken from memory: the file is only the scratch copy
    // that other parts of the program know, and failing to write it loses
    // nothing.
    if (garderBrouillon) EcrireBitmap(w->PhotoScan2.Picture(), Brouillon());
    w->PhotoScan1.SetPicture(w->PhotoScan2.Picture());
    AjusterScan();
    w->PhotoScan.SetVisible(true);
    if (!garderBrouillon) QFile::remove(Brouillon());
}

void Tourner(float angle) {
    Transformer([angle](Acquisition& w) { PivoterImage(w.PhotoScan1, w.PhotoScan2, angle); }, true);
}

void Miroir(bool gaucheDroite) {
    Transformer(
        [gaucheDroite](Acquisition& w) {
            w.PhotoScan2.SetPicture(w.PhotoScan1.Picture().mirrored(gaucheDroite, !gaucheDroite));
        },
        false);
}

}  // namespace

QImage Opaque(const QImage& image) {
    if (image.isNull()) return image;
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

void PivoterGauche() {
    Tourner(1.57f);
}

void PivoterDroite() {
    Tourner(-1.57f);
}

void PivoterImage(platform::ImageBox& Source, platform::ImageBox& Destination, float Angle) {
    const QImage src = Opaque(Source.Picture());
    if (src.isNull()) return;
    const int sw = src.width();
    const int sh = src.height();
    QImage dst(sh, sw, QImage::Format_RGB32);
    if (dst.isNull()) return;
    const bool gauche = Angle > 0;

    QPointer<Acquisition> w = &W();
    w->Pb.SetWidth(0);
    w->PbCadre.SetVisible(true);
    w->Pb.SetVisible(true);
    const auto* base = src.constBits();
    const qsizetype pas = src.bytesPerLine();
    auto* sortie = dst.bits();
    const qsizetype pasSortie = dst.bytesPerLine();
    const double dernier = sw - 1;
    int montre = -1;
    // Row r of a left turn is column sw-1-r of the source read downwards;
    // of a right turn, column r read upwards.
    for (int r = 0; r < sw; ++r) {
        if (w) {
            // A one-row picture is done as soon as it starts.
            w->Pb.SetWidth(dernier > 0 ? w->PbCadre.Width() * (r / dernier) : w->PbCadre.Width());
            if (w->Pb.width() != montre) {
                montre = w->Pb.width();
                w->Pb.repaint();
            }
        }
        auto* out = reinterpret_cast<QRgb*>(sortie + r * pasSortie);
        if (gauche) {
            const auto* in = base + static_cast<qsizetype>(sw - 1 - r) * 4;
            for (int c = 0; c < sh; ++c) out[c] = *reinterpret_cast<const QRgb*>(in + c * pas);
        } else {
            const auto* in = base + static_cast<qsizetype>(sh - 1) * pas + r * 4;
            for (int c = 0; c < sh; ++c) out[c] = *reinterpret_cast<const QRgb*>(in - c * pas);
        }
        QCoreApplication::processEvents();
    }
    if (w) {
        w->PbCadre.SetVisible(false);
        w->Pb.SetVisible(false);
        w->Pb.SetWidth(0);
    }
    Destination.SetPicture(dst);
}

void AjusterCadre(double margeHauteur, double margeLargeur) {
    Acquisition& a = W();
    // Single precision, as the proportions always were.
    const float w = static_cast<float>(a.PhotoScan1.Width());
    const float h = static_cast<float>(a.PhotoScan1.Height());
    a.PhotoScan.SetStretch(true);
    a.PhotoScan.SetPicture(a.PhotoScan1.Picture());
    // Without a picture, or with an empty one, there is nothing to fit.
    if (a.PhotoScan1.Picture().isNull() || !(w > 0 && h > 0)) return;
    const double W = a.Cadre.Width();
    const double H = a.Cadre.Height();
    if (H / W < h / w) {
        a.PhotoScan.SetHeight(H - margeHauteur);
        a.PhotoScan.SetWidth((H - margeHauteur) * (w / h));
    } else {
        a.PhotoScan.SetWidth(W - margeLargeur);
        a.PhotoScan.SetHeight(a.PhotoScan.Width() * (h / w));
    }
    a.PhotoScan.SetLeft(a.Cadre.Left() +
                        static_cast<double>(platform::IntDiv(W - a.PhotoScan.Width(), 2)));
    a.PhotoScan.SetTop(a.Cadre.Top() +
                       static_cast<double>(platform::IntDiv(H - a.PhotoScan.Height(), 2)));
}

void AjusterScan() {
    AjusterCadre(50, 50);
}

bool OuvrirImage() {
    Acquisition& w = W();
    platform::CommonDialog& d = w.CommonDialog1;
    d.FileName = QString();
    d.InitDir = DossierDepart();
    d.Filter = QStringLiteral(
        "Tous les fichiers images (*.bmp;*.jpg;*.wmf;*.ico)|*.bmp;*.jpg;*.wmf;*.ico");
    d.DialogTitle = QStringLiteral("Ouvrir un fichier image");
    d.ShowOpen();
    const QString f = d.FileName;
    // A cancelled dialog leaves the picture, the frame and the buttons alone.
    if (f.isEmpty()) return false;
    QString raison;
    QImage image;
    {
        platform::Hourglass wait;
        image = Lire(f, raison);
    }
    if (image.isNull()) {
        platform::MsgBox(QStringLiteral("Le fichier « %1 » ne peut pas être ouvert : %2.")
                             .arg(QDir::toNativeSeparators(f), raison),
                         platform::vbExclamation, QString(), &w);
        return false;
    }
    platform::Hourglass wait;
    w.PhotoScan.Tag = f;
    w.PhotoScan.SetVisible(false);
    w.PhotoScan1.SetPicture(image);
    w.PhotoScan2.SetPicture(image);
    AjusterScan();
    w.PhotoScan.SetVisible(true);
    return true;
}

void SauvegarderImage(bool& Enregistre) {
    Enregistre = false;
    Acquisition& w = W();
    platform::CommonDialog& d = w.CommonDialog1;
    d.InitDir = DossierDepart();
    if (d.FileName.endsWith(QStringLiteral("jpg"))) {
        d.Filter = QStringLiteral("Format Bitmap (*.bmp)|*.bmp");
        d.FileName = d.FileName.left(d.FileName.size() - 3) + QStringLiteral("bmp");
    } else {
        d.Filter = QStringLiteral("Tous les fichiers images (*.bmp;*.wmf;*.ico)|*.bmp;*.wmf;*.ico");
    }
    d.OverwritePrompt = true;
    if (!d.ShowSave() || d.FileName.isEmpty()) return;
    const QString f = d.FileName;
    bool ecrit = false;
    {
        platform::Hourglass wait;
        w.PhotoScan2.SetPicture(w.PhotoScan.Picture());
        // Always a bitmap, whatever the name; never half a file.
        ecrit = EcrireBitmap(w.PhotoScan2.Picture(), f);
    }
    if (!ecrit) {
        platform::MsgBox(QStringLiteral("L'image n'a pas pu être enregistrée dans « %1 ».\r\r"
                                        "Vérifiez que le dossier existe, que vous pouvez y "
                                        "écrire et que le disque n'est pas plein.")
                             .arg(QDir::toNativeSeparators(f)),
                         platform::vbExclamation, QString(), &w);
        return;
    }
    w.PhotoScan.SetPicture(QImage());
    Enregistre = true;
}

void PivoterHorizontal() {
    Miroir(true);
}

void PivoterVertical() {
    Miroir(false);
}

}  // namespace Scan
