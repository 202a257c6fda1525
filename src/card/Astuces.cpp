#include "card/Astuces.h"

#include "card/Habillage.h"
#include "db/Schema.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/VbText.h"
#include "shell/Frmmain.h"
#include "shell/Skin.h"

namespace {

const QColor& kTexte = Skin::kCreme;
const QColor& kTitre = Skin::kOr;

QFont InfoFont() {
    QFont f = platform::SkinFont(14.25);
    f.setFamilies({QStringLiteral("Trebuchet MS"), f.family()});
    return f;
}

}  // namespace

Astuces::Astuces() : DialogFrame(QStringLiteral("Astuces"), 4) {
    DisposerFenetreTravail(QStringLiteral("Astuces et Conseils pour bien réussir son cocktail"));
    SSPanel1.Move(0, 0, 11775, 8100);
    SSPanel1.SetPicture(Skin::Picture(QStringLiteral("work_panel"), SSPanel1.size()));

    Barre.Move(0, 0, 11775, 855);
    Barre.SetPicture(Skin::Picture(QStringLiteral("toolbar"), Barre.size()));
    struct Bouton {
        double left, top, width, height;
        const char* aide;
        const char* icone;
    };
    const Bouton boutons[4] = {
        {1750, 75, 855, 645, "Réalisation", "tip_realisation"},
        {2610, 75, 855, 645, "Décoration", "tip_decoration"},
        {45, 80, 855, 650, "Lexique", "tip_lexique"},
        {900, 75, 855, 645, "Convertisseur", "tip_convertisseur"},
    };
    for (int i = 0; i < 4; ++i) {
        const Bouton& d = boutons[i];
        auto& b = Btn[static_cast<size_t>(i)];
        b = std::make_unique<platform::PictureButton>(&Barre);
        b->Move(d.left, d.top, d.width, d.height);
        b->setToolTip(QString::fromUtf8(d.aide));
        b->setAccessibleName(b->toolTip());
        b->Icon = Skin::Picture(QString::fromLatin1(d.icone), {40, 40});
        Skin::Habiller(*b, QStringLiteral("tool"));
        connect(b.get(), &platform::PictureButton::Click, this, [this, i] { Btn_Click(i); });
        connect(b.get(), &platform::PictureButton::MouseEnter, this,
                [p = b.get()] { p->ShowPicture(p->PictureHover); });
        connect(b.get(), &platform::PictureButton::MouseLeave, this,
                [p = b.get()] { p->ShowPicture(p->PictureUp); });
    }

    WB.Move(-10, 855, 11785, 7245);
    WB.hide();
    Plateau.Move(0, 840, 11775, 7215);
    Plateau.SetPicture(Skin::Picture(QStringLiteral("work_panel"), Plateau.size()));

    const char* const libs[3] = {"Liste des mots", "", "Description"};
    const double places[3][2] = {{600, 500}, {720, 6570}, {6480, 480}};
    for (size_t i = 0; i < Lib.size(); ++i) {
        Lib[i] = std::make_unique<platform::Label>(&Plateau);
        Lib[i]->Move(places[i][0], places[i][1], 4000, 240);
        Lib[i]->setFont(platform::SkinFont(9));
        Lib[i]->SetCaption(QString::fromUtf8(libs[i]));
        Lib[i]->SetForeColor(i == 1 ? kTexte : kTitre);
    }
    Lexique.Move(450, 750, 4530, 5770);
    Lexique.setFont(platform::SkinFont(8.25));
    Lexique.setAccessibleName(Lib[0]->Caption());
    Lexique.setHeaderHidden(false);
    connect(&Lexique, &platform::ListView::Click, this,
            [this] { platform::Reported([this] { Lexique_Click(); }, this); });

    Info.Move(5520, 750, 5805, 5820);
    Info.setFont(InfoFont());
    Info.setWordWrap(true);
    Info.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Info.setMargin(12);
    Info.setAutoFillBackground(true);
    QPalette p = Info.palette();
    p.setColor(QPalette::Window, QColor(20, 16, 40, 220));
    Info.setPalette(p);
    Info.SetForeColor(kTexte);
    Info.setAccessibleName(Lib[2]->Caption());
    Info.setTextInteractionFlags(Qt::TextSelectableByMouse);
}

QString Astuces::Page(int Index) {
    const char* const pages[4] = {"shaker.htm", "trucs-astuces.htm", "", "equivalences.htm"};
    return platform::AppPath() + QStringLiteral("/astuces/") + QLatin1String(pages[Index]);
}

void Astuces::Form_Load() {
    Habillage h;
    h.fondPrincipal = true;
    ChargerHabillage(h);
    Frmmain& f = Frmmain::Instance();
    Carte::HabillerListe(Lexique);

    WB.SetTop(Barre.Top() + Barre.Height());
    WB.SetLeft(-10);
    Plateau.Move(0, WB.Top(), WB.Width(), WB.Height());
    // A lexicon that cannot be read is told of; the pages still show.
    platform::Reported([this] { ChargerLexique(); }, this);
    // The window copies the main window's look: it goes with it.
    connect(&f, &QObject::destroyed, this, [] { Unload(); });
}

void Astuces::ChargerLexique() {
    {
        auto d = db::OpenDb();
        Lexique.SetColumnHeader(QStringLiteral("Titre"), Lexique.Width() - 350);
        Lexique.Clear();
        auto rs = d.OpenRecordset(QStringLiteral("SELECT * From lexique order by info desc"));
        std::vector<platform::ListView::Entry> mots;
        QSet<QString> vus;
        for (long n = 0; n < rs.RecordCount(); ++n, rs.MoveNext()) {
            const QString mot = platform::Trim(rs.Text(0));
            // A word stored twice is listed once; a row without a word has
            // nothing to show.
            if (mot.isEmpty() || vus.contains(mot)) continue;
            vus.insert(mot);
            mots.push_back({QStringLiteral("A") + mot, mot, 0});
        }
        Lexique.AddMany(std::move(mots));
        if (Lexique.Count() > 0) Lexique.Select(Lexique.Item(1));
    }
    Lib[1]->SetCaption(platform::Str(Lexique.Count()) + QStringLiteral(" mots ..."));
    Lexique_Click();
}

void Astuces::Lexique_Click() {
    const platform::ListItem* choisi = Lexique.SelectedItem();
    if (!choisi) {
        Info.SetCaption(QString());
        return;
    }
    auto d = db::OpenDb();
    auto rs =
        d.OpenRecordset(QStringLiteral("SELECT * From lexique where Mot = '") +
                        platform::Doubled(choisi->Text()) + QStringLiteral("' order by info desc"));
    if (rs.RecordCount() > 0) Info.SetCaption(rs.Text(QStringLiteral("Info")));
}

void Astuces::Btn_Click(int Index) {
    platform::PictureButton& b = *Btn[static_cast<size_t>(Index)];
    if (!b.Value()) return;
    platform::Finally release([&] { b.SetValue(false); });
    if (Index == 2) {
        WB.hide();
        Plateau.show();
        return;
    }
    WB.Navigate(Page(Index));
    Plateau.hide();
    WB.show();
}

void Astuces::Quit_Click() {
    if (!Quit.Value()) return;
    Quit.SetValue(false);
    hide();
}
