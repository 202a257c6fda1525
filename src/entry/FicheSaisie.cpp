#include "entry/FicheSaisie.h"

#include <QPainter>

#include "shell/Skin.h"

namespace FicheSaisie {

namespace {
// The frame's own picture behind "Pas de photo".
QPixmap FondCadre(QSize s) {
    QPixmap p(s.expandedTo({1, 1}));
    p.fill(QColor(24, 18, 30));
    QPainter g(&p);
    g.setPen(QPen(Skin::kOr, 2));
    g.drawRect(p.rect().adjusted(1, 1, -2, -2));
    return p;
}

struct Place {
    int libelle;
    const char* texte;
    double left, top;
};
}  // namespace

void PlacerPhoto(platform::Panel& cadre, platform::PictureBox& photo) {
    cadre.Move(240, 240, 2775, 3135);
    cadre.SetCaption(QStringLiteral("Pas de photo"));
    cadre.SetAlignment(Qt::AlignCenter);
    cadre.SetForeColor(Skin::kCreme);
    cadre.SetPicture(FondCadre(cadre.size()));
    cadre.setAccessibleName(QStringLiteral("Pas de photo"));
    photo.Move(120, 120, 2535, 2895);
    photo.SetStretch(true);
    photo.setToolTip(QStringLiteral("Cliquer ICI pour modifier l'image"));
    photo.setAccessibleName(QStringLiteral("Photo"));
}

void PlacerLibelles(std::array<std::unique_ptr<platform::Label>, 12>& libelle, QWidget* parent) {
    const Place libelles[] = {
        {11, "Recette", 3240, 240},
        {7, "Catégorie", 3240, 1100},
        {1, "Type de verre", 3240, 2000},
        {2, "Matériel", 3240, 2800},
        {8, "Coût", 240, 3720},
        {9, "Difficulté", 2160, 3720},
        {10, "Teneur en alcool", 4200, 3720},
        {0, "Ingrédients", 240, 4320},
        {3, "Préparation", 6720, 240},
        {4, "Décoration", 6600, 2040},
        {5, "Description", 6600, 3720},
        {6, "Histoire", 6600, 5160},
    };
    for (const Place& p : libelles) {
        auto l = std::make_unique<platform::Label>(parent);
        l->Move(p.left, p.top, 2500, 240);
        l->setFont(platform::SkinFont(9.75, true, true));
        l->SetCaption(QString::fromUtf8(p.texte));
        l->SetForeColor(Skin::kCreme);
        libelle[static_cast<size_t>(p.libelle)] = std::move(l);
    }
}

void PlacerSaisies(std::array<std::unique_ptr<platform::TextBox>, 4>& saisie,
                   const std::array<std::unique_ptr<platform::Label>, 12>& libelle,
                   QWidget* parent) {
    const double places[4][4] = {{6600, 480, 4935, 1455},
                                 {6600, 2280, 4935, 1335},
                                 {6600, 3960, 4935, 1095},
                                 {6600, 5400, 4935, 1455}};
    for (size_t i = 0; i < 4; ++i) {
        auto t = std::make_unique<platform::TextBox>(parent, true);
        t->Move(places[i][0], places[i][1], places[i][2], places[i][3]);
        t->setAccessibleName(libelle[3 + i]->Caption());
        saisie[i] = std::move(t);
    }
}

void PlacerLignes(Lignes& qte, Lignes& qte2, Lignes& ingre, platform::ScrollPanel& grille) {
    grille.Move(240, 4600, 6255, 3615);
    for (size_t k = 0; k < Creation::kLignes; ++k) {
        const double top = 480.0 * static_cast<double>(k);
        const QString n = QString::number(k + 1);
        qte[k] = std::make_unique<platform::TextBox>(grille.Content());
        qte[k]->Move(0, top, 975, 315);
        qte[k]->setAccessibleName(QStringLiteral("Quantité ") + n);
        qte2[k] = std::make_unique<platform::TextBox>(grille.Content());
        qte2[k]->Move(990, top, 1575, 315);
        qte2[k]->setAccessibleName(QStringLiteral("Mesure ") + n);
        ingre[k] = std::make_unique<platform::TextBox>(grille.Content());
        ingre[k]->Move(2580, top, 3530, 315);
        ingre[k]->setAccessibleName(QStringLiteral("Ingrédient ") + n);
    }
    grille.SetScrollHeight(480.0 * (Creation::kLignes - 1) + 315);
}

}  // namespace FicheSaisie
