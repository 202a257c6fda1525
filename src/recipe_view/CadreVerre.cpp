#include "recipe_view/CadreVerre.h"

#include <QFileInfo>
#include <QMouseEvent>

#include "db/Schema.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "recipe_view/Ecriture.h"
#include "shell/AccesBase.h"
#include "shell/Frmmain.h"
#include "shell/Images.h"
#include "shell/Skin.h"

using platform::IntDiv;

namespace {

const QString kVerre = QStringLiteral("Verre");
const QString kNVerre = QStringLiteral("NVerre");
const QString kPasDePhoto = QStringLiteral("Pas de photo");

}  // namespace

CadreVerre::CadreVerre(platform::ScrollPanel& scroll, const platform::Panel& cadre)
    : Scroll(scroll),
      Cadre(cadre),
      InfoVerre(scroll.Content()),
      Contenance(scroll.Content()),
      SaisieContenance(scroll.Content()),
      Desciption(scroll.Content(), true),
      CadrephotoVerre(scroll.Content()) {
    // The name and its capacity on one line, the picture under them, centred,
    // and the description below taking the rest of the panel.
    InfoVerre.Move(120, 240, 6000, 480);
    InfoVerre.setFont(platform::SkinFont(12, true));
    InfoVerre.SetForeColor(Skin::kOr);
    InfoVerre.SetAlignment(Qt::AlignCenter);
    Contenance.Move(3000, 240, 2760, 480);
    Contenance.setFont(platform::SkinFont(12));
    CadreRecette::Habiller(Contenance);
    Contenance.setAccessibleName(QStringLiteral("Contenance"));
    Contenance.hide();
    SaisieContenance.Move(3000, 240, 2760, 480);
    SaisieContenance.setFont(platform::SkinFont(12));
    SaisieContenance.Editor()->setFont(SaisieContenance.font());
    SaisieContenance.setAccessibleName(QStringLiteral("Contenance"));
    SaisieContenance.Editor()->setAccessibleName(SaisieContenance.accessibleName());
    SaisieContenance.hide();
    CadrephotoVerre.Move(1500, 960, 3600, 2700);
    CadrephotoVerre.SetCaption(kPasDePhoto);
    CadrephotoVerre.SetAlignment(Qt::AlignCenter);
    CadrephotoVerre.SetForeColor(Skin::kCreme);
    CadrephotoVerre.SetPicture(
        Skin::Picture(QStringLiteral("photo_frame"), CadrephotoVerre.size()));
    PhotoVerre.Move(120, 120, 3360, 2460);
    PhotoVerre.setToolTip(QStringLiteral("Cliquer ICI pour modifier l'image"));
    PhotoVerre.setAccessibleName(PhotoVerre.toolTip());
    Desciption.Move(240, 3900, 6000, 1500);
    Desciption.setFont(platform::SkinFont(14.25));
    Desciption.Editor()->setFont(Desciption.font());
    Desciption.setAccessibleName(QStringLiteral("Description"));
    Desciption.Editor()->setAccessibleName(Desciption.accessibleName());
    for (platform::TextBox* t : {&SaisieContenance, &Desciption}) {
        QPalette p = t->Editor()->palette();
        p.setColor(QPalette::Base, QColor(36, 28, 30));
        p.setColor(QPalette::Text, Skin::kCreme);
        t->Editor()->setPalette(p);
    }

    connect(&Contenance, &platform::PictureButton::Click, this, &CadreVerre::Contenance_Click);
    connect(&SaisieContenance, &platform::TextBox::Change, this,
            &CadreVerre::SaisieContenance_Change);
    connect(&SaisieContenance, &platform::TextBox::LostFocus, this,
            &CadreVerre::SaisieContenance_LostFocus);
    connect(&Desciption, &platform::TextBox::Change, this, &CadreVerre::Desciption_Change);
    CadrephotoVerre.installEventFilter(this);
    PhotoVerre.installEventFilter(this);
}

CadreVerre::~CadreVerre() = default;

bool CadreVerre::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress && (o == &CadrephotoVerre || o == &PhotoVerre)) {
        const auto* m = static_cast<QMouseEvent*>(e);
        const int b = Ecriture::BoutonSouris(m->button());
        const double x = m->position().x() * platform::kTwipsPerPixel;
        const double y = m->position().y() * platform::kTwipsPerPixel;
        platform::Reported(
            [&] {
                if (o == &PhotoVerre)
                    PhotoVerre_MouseDown(b, 0, x, y);
                else
                    CadrephotoVerre_MouseDown(b, 0, x, y);
            },
            Scroll.Content());
        return true;
    }
    return QObject::eventFilter(o, e);
}

QString CadreVerre::CheminImage(const QString& valeur) {
    // An absolute path as this system writes it, or with a drive.
    if (valeur.startsWith(u'/') || valeur.mid(1, 2) == QStringLiteral(":\\")) return valeur;
    if (platform::Trim(valeur).isEmpty()) return QStringLiteral(" ");
    QString relatif = valeur;
    relatif.replace(u'\\', u'/');
    return platform::AppPath() + u'/' + relatif;
}

void CadreVerre::Placer() {
    Scroll.SetScrollHeight(Scroll.Height() - 500);
    CadrephotoVerre.SetLeft(
        static_cast<double>(IntDiv(Cadre.Width() - CadrephotoVerre.Width(), 2)));
    InfoVerre.SetLeft(120);
    Desciption.SetWidth(Cadre.Width() - 2 * Desciption.Left());
    Desciption.SetHeight(Cadre.Height() - Desciption.Top() - 400);
}

void CadreVerre::ChargerVerre(const QString& n) {
    Placer();
    Frmmain& f = Frmmain::Instance();
    auto vider = [&] {
        affiche_.reset();
        InfoVerre.SetCaption(QString());
        Desciption.SetText(QString());
        PhotoVerre.SetPicture(QPixmap());
        // Nothing of another glass may stay editable.
        Contenance.hide();
        SaisieContenance.hide();
        CadrephotoVerre.SetCaption(kPasDePhoto);
    };
    QString image;
    bool avecImage = false;
    try {
        auto d = db::OpenDb();
        auto rs = d.OpenRecordset(QStringLiteral("SELECT * From Verre where NVerre = ") + n +
                                  QStringLiteral(" order by Verre asc"));
        if (rs.RecordCount() == 0) {
            vider();
            return;
        }
        affiche_ = rs.Fields(0).toLongLong();
        InfoVerre.SetCaption(rs.Text(1));
        const QVariant contenance = rs.Fields(2);
        if (!contenance.isNull()) {
            InfoVerre.SetCaption(InfoVerre.Caption() + QStringLiteral("  -  "));
            InfoVerre.SetWidth(static_cast<double>(IntDiv(Scroll.Width() - InfoVerre.Left(), 2)));
            Contenance.SetWidth(InfoVerre.Width() - 240);
            Contenance.SetLeft(InfoVerre.Left() + InfoVerre.Width());
            InfoVerre.SetAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Contenance.SetCaption(contenance.toString());
            Contenance.show();
        } else {
            InfoVerre.SetWidth(Scroll.Width() - 2 * InfoVerre.Left());
            Contenance.hide();
            InfoVerre.SetAlignment(Qt::AlignCenter);
        }
        SaisieContenance.hide();
        Desciption.SetText(rs.Text(3));
        PhotoVerre.SetPicture(QPixmap());
        avecImage = !rs.Fields(4).isNull();
        image = rs.Text(4);
    } catch (const std::exception& e) {
        vider();
        platform::MsgBox(
            QStringLiteral("Le verre ne peut pas être affiché.\r\r") + QString::fromUtf8(e.what()),
            platform::vbExclamation);
        return;
    }
    if (!avecImage) {
        CadrephotoVerre.SetCaption(kPasDePhoto);
        return;
    }
    // The file is closed: the picture steps read no database.
    CadrephotoVerre.SetCaption(QString());
    const QString chemin = CheminImage(image);
    if (platform::Trim(chemin).isEmpty()) CadrephotoVerre.SetCaption(kPasDePhoto);
    f.ImageTemp.SetPicture(QPixmap());
    const bool existe = QFileInfo(chemin).isFile();
    if (!existe) CadrephotoVerre.SetCaption(kPasDePhoto);
    if (existe && f.ImageTemp.LoadPicture(chemin)) {
        ChargerAlbums::AjusterPhoto(CadrephotoVerre, PhotoVerre);
        PhotoVerre.LoadPicture(chemin);
    }
    PhotoVerre.show();
}

void CadreVerre::Contenance_Click() {
    if (!Contenance.Value()) return;
    SaisieContenance.Move(Contenance.Left(), Contenance.Top(), Contenance.Width(),
                          SaisieContenance.Height());
    SaisieContenance.SetText(Contenance.Caption());
    SaisieContenance.raise();
    SaisieContenance.show();
    Contenance.SetValue(false);
}

void CadreVerre::SaisieContenance_Change() {
    if (!affiche_) return;
    const long long verre = *affiche_;
    const QString texte = SaisieContenance.Text();
    if (Ecriture::Ecrire([&] { AccesBase::ModifierChamp(kVerre, verre, texte, kNVerre, 2); }))
        Contenance.SetCaption(texte);
}

void CadreVerre::SaisieContenance_LostFocus() {
    SaisieContenance.hide();
}

void CadreVerre::Desciption_Change() {
    if (!affiche_) return;
    const long long verre = *affiche_;
    const QString texte = Desciption.Text();
    Ecriture::Ecrire([&] { AccesBase::ModifierChamp(kVerre, verre, texte, kNVerre, 3); });
}

void CadreVerre::CadrephotoVerre_MouseDown(int Button, int, double, double) {
    std::function<void()> enregistrer;
    if (affiche_)
        enregistrer = [this, verre = *affiche_] {
            AccesBase::EnregistrerPhoto(PhotoVerre.Tag, kVerre, verre, 4);
        };
    Ecriture::PressionPhoto(Button, 1, PhotoVerre, CadrephotoVerre, enregistrer);
}

void CadreVerre::PhotoVerre_MouseDown(int Button, int Shift, double X, double Y) {
    CadrephotoVerre_MouseDown(Button, Shift, X, Y);
}
