// The in-place editors of the recipe panel: the attribute pick-lists, the
// ingredient lines, the four texts and the photo. Every change goes to the
// file at once, to the recipe the panel shows and to no other.
#include <QApplication>
#include <QMouseEvent>

#include "db/Schema.h"
#include "platform/MessageBox.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "recipe_view/Ecriture.h"
#include "shell/AccesBase.h"
#include "shell/Frmmain.h"

using platform::Trim;

namespace {

// The lookup editors: the list over Data(Index), the table it finds or
// creates its entry in, and the recipe column it writes.
struct Choix {
    int index;
    platform::ComboBox CadreRecette::*liste;
    const char* table;
    const char* cle;
    int colonne;
};
const Choix kChoix[3] = {
    {6, &CadreRecette::LCategorie, "Categorie", "NCategorie", 2},
    {0, &CadreRecette::LVerre, "Verre", "NVerre", 3},
    {1, &CadreRecette::LMateriel, "Realisation", "NRealisation", 5},
};

// The level editors: the list over Data(Index) and the column it writes.
struct Niveau {
    int index;
    platform::ComboBox CadreRecette::*liste;
    int colonne;
};
const Niveau kNiveaux[3] = {
    {2, &CadreRecette::LCout, 8},
    {3, &CadreRecette::LDiff, 9},
    {4, &CadreRecette::LTeneur, 10},
};

// The ingredient columns: cells, list and lookup table.
struct Colonne {
    platform::ControlArray<platform::PictureButton> CadreRecette::*cellules;
    platform::ComboBox CadreRecette::*liste;
    const char* table;
    const char* cle;
};
const Colonne kColonnes[3] = {
    {&CadreRecette::Quantite, &CadreRecette::LQuantite, "Quantite", "NQuantite"},
    {&CadreRecette::Mesure, &CadreRecette::LMesure, "Mesure", "NMesure"},
    {&CadreRecette::Ingre, &CadreRecette::LIngre, "Ingredient", "NIngredient"},
};

// The columns the four texts write.
const int kTextes[4] = {6, 7, 11, 12};

const QString kCocktails = QStringLiteral("Cocktails");
const QString kNumero = QStringLiteral("Numero");

int Touches(Qt::KeyboardModifiers m) {
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
           ((m & Qt::AltModifier) ? 4 : 0);
}

// A stored part number of a cell, 0 when the cell has none.
long long Partie(const platform::PictureButton& cellule) {
    return platform::Val(cellule.Tag);
}

}  // namespace

// ---------------------------------------------------------- connections

void CadreRecette::ConnecterEditeurs() {
    auto reporte = [this](auto f) { return [this, f] { platform::Reported(f, Contenu); }; };
    for (int i : {0, 1, 2, 3, 4, 6})
        connect(&Data[i], &platform::PictureButton::Click, this,
                reporte([this, i] { Data_Click(i); }));
    connect(&LCategorie, &platform::ComboBox::Click, this, reporte([this] { LCategorie_Click(); }));
    connect(&LVerre, &platform::ComboBox::Click, this, reporte([this] { LVerre_Click(); }));
    connect(&LMateriel, &platform::ComboBox::Click, this, reporte([this] { LMateriel_Click(); }));
    connect(&LCout, &platform::ComboBox::Click, this, reporte([this] { LCout_Click(); }));
    connect(&LDiff, &platform::ComboBox::Click, this, reporte([this] { LDiff_Click(); }));
    connect(&LTeneur, &platform::ComboBox::Click, this, reporte([this] { LTeneur_Click(); }));
    connect(&LCategorie, &platform::ComboBox::KeyDown, this, [this](int k, int s) {
        platform::Reported([&] { LCategorie_KeyDown(k, s); }, Contenu);
    });
    connect(&LVerre, &platform::ComboBox::KeyPress, this,
            [this](int k) { platform::Reported([&] { LVerre_KeyPress(k); }, Contenu); });
    connect(&LMateriel, &platform::ComboBox::KeyPress, this,
            [this](int k) { platform::Reported([&] { LMateriel_KeyPress(k); }, Contenu); });
    connect(&LQuantite, &platform::ComboBox::Click, this, reporte([this] { LQuantite_Click(); }));
    connect(&LMesure, &platform::ComboBox::Click, this, reporte([this] { LMesure_Click(); }));
    connect(&LIngre, &platform::ComboBox::Click, this, reporte([this] { LIngre_Click(); }));
    connect(&LQuantite, &platform::ComboBox::KeyPress, this,
            [this](int k) { platform::Reported([&] { LQuantite_KeyPress(k); }, Contenu); });
    // Losing the focus only closes a list; it writes nothing.
    for (platform::ComboBox* l : {&LCout, &LDiff, &LTeneur, &LCategorie, &LVerre, &LMateriel,
                                  &LQuantite, &LMesure, &LIngre})
        connect(l, &platform::ComboBox::LostFocus, l, &QWidget::hide);
    for (int k = 0; k < 4; ++k)
        connect(Saisie[static_cast<size_t>(k)].get(), &platform::TextBox::Change, this,
                [this, k] { Saisie_Change(k); });
    CadrePhoto.installEventFilter(this);
    Photo.installEventFilter(this);
    ConnecterLigne(0);
}

void CadreRecette::ConnecterLigne(int i) {
    connect(&Quantite[i], &platform::PictureButton::Click, this,
            [this, i] { platform::Reported([&] { Quantite_Click(i); }, Contenu); });
    connect(&Mesure[i], &platform::PictureButton::Click, this,
            [this, i] { platform::Reported([&] { Mesure_Click(i); }, Contenu); });
    connect(&Ingre[i], &platform::PictureButton::Click, this,
            [this, i] { platform::Reported([&] { Ingre_Click(i); }, Contenu); });
}

bool CadreRecette::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress && (o == &CadrePhoto || o == &Photo)) {
        const auto* m = static_cast<QMouseEvent*>(e);
        const int b = Ecriture::BoutonSouris(m->button());
        const int s = Touches(m->modifiers());
        const double x = m->position().x() * platform::kTwipsPerPixel;
        const double y = m->position().y() * platform::kTwipsPerPixel;
        platform::Reported(
            [&] {
                if (o == &Photo)
                    Photo_MouseDown(b, s, x, y);
                else
                    CadrePhoto_MouseDown(b, s, x, y);
            },
            Contenu);
        return true;
    }
    return QObject::eventFilter(o, e);
}

// ------------------------------------------------- attribute pick-lists

void CadreRecette::Fermer(platform::ComboBox& l, QWidget& cellule) {
    // A hidden list would hand the focus to the panel's first control, and
    // the panel would scroll back to it: the cell edited takes it instead.
    if (l.hasFocus() || l.isAncestorOf(QApplication::focusWidget()))
        cellule.setFocus(Qt::OtherFocusReason);
    l.hide();
}

void CadreRecette::Data_Click(int Index) {
    platform::PictureButton& b = Data[Index];
    if (!b.Value()) return;
    CacherListes();
    platform::ComboBox* l = nullptr;
    switch (Index) {
        case 0:
            l = &LVerre;
            break;
        case 1:
            l = &LMateriel;
            break;
        case 2:
            l = &LCout;
            break;
        case 3:
            l = &LDiff;
            break;
        case 4:
            l = &LTeneur;
            break;
        case 6:
            l = &LCategorie;
            break;
        default:
            break;
    }
    if (l) {
        // The glass and method lists keep the text they last had.
        if (Index >= 2) l->SetText(b.Caption());
        l->Move(b.Left(), b.Top());
        l->raise();
        l->show();
    }
    b.SetValue(false);
}

void CadreRecette::ValiderChoix(int Index) {
    const Choix* c = nullptr;
    for (const Choix& k : kChoix)
        if (k.index == Index) c = &k;
    if (!c) return;
    platform::ComboBox& l = this->*(c->liste);
    platform::PictureButton& b = Data[Index];
    const QString texte = l.Text();
    if (texte == b.Caption() || Trim(texte).isEmpty()) return;
    // Nothing shown, nothing to write to.
    if (!affichee_) return;
    const long long recette = *affichee_;
    // A new entry and the recipe's number for it land together, or neither.
    const bool ecrit = Ecriture::Ecrire([&] {
        auto d = db::OpenDb();
        platform::Transaction t(d);
        long long numero = 0;
        Frmmain::Instance().RechercherNumero(texte, numero, QString::fromLatin1(c->table),
                                             QString::fromLatin1(c->cle), &d);
        AccesBase::ModifierChamp(kCocktails, recette, numero, kNumero, c->colonne, &d);
        t.Commit();
    });
    // A failed write leaves the stored value on the button and the list
    // open for another try.
    if (!ecrit) return;
    b.SetCaption(texte);
    Fermer(l, b);
}

void CadreRecette::LCategorie_Click() {
    ValiderChoix(6);
}
void CadreRecette::LVerre_Click() {
    ValiderChoix(0);
}
void CadreRecette::LMateriel_Click() {
    ValiderChoix(1);
}

void CadreRecette::LCategorie_KeyDown(int KeyCode, int) {
    if (KeyCode == 13) LCategorie_Click();
}
void CadreRecette::LVerre_KeyPress(int KeyAscii) {
    if (KeyAscii == 13) LVerre_Click();
}
void CadreRecette::LMateriel_KeyPress(int KeyAscii) {
    if (KeyAscii == 13) LMateriel_Click();
}

void CadreRecette::ValiderNiveau(int Index) {
    const Niveau* n = nullptr;
    for (const Niveau& k : kNiveaux)
        if (k.index == Index) n = &k;
    if (!n) return;
    platform::ComboBox& l = this->*(n->liste);
    platform::PictureButton& b = Data[Index];
    if (l.ListIndex() < 0) return;
    const QString avant = b.Caption();
    const QString tagAvant = b.Tag;
    b.SetCaption(l.Text());
    b.Tag = QString::number(l.ListIndex());
    if (!affichee_) return;
    const long long recette = *affichee_;
    // Written at every pick, the word already shown included.
    if (!Ecriture::Ecrire(
            [&] { AccesBase::ModifierChamp(kCocktails, recette, b.Tag, kNumero, n->colonne); })) {
        // Back to what the file holds; the list stays open.
        b.SetCaption(avant);
        b.Tag = tagAvant;
        l.SetText(avant);
    }
}

void CadreRecette::LCout_Click() {
    ValiderNiveau(2);
}
void CadreRecette::LDiff_Click() {
    ValiderNiveau(3);
}
void CadreRecette::LTeneur_Click() {
    ValiderNiveau(4);
}

// ------------------------------------------------------ ingredient lines

void CadreRecette::OuvrirCellule(int colonne, int Index) {
    const Colonne& c = kColonnes[colonne];
    platform::PictureButton& b = (this->*(c.cellules))[Index];
    platform::ComboBox& l = this->*(c.liste);
    if (!b.Value()) return;
    CacherListes();
    // The quantity list keeps its own width at the left edge.
    if (colonne == 0)
        l.Move(0, b.Top());
    else
        l.Move(b.Left(), b.Top(), b.Width(), l.Height());
    l.raise();
    l.show();
    l.Tag = QString::number(Index);
    b.SetValue(false);
}

void CadreRecette::Quantite_Click(int Index) {
    OuvrirCellule(0, Index);
}
void CadreRecette::Mesure_Click(int Index) {
    OuvrirCellule(1, Index);
}
void CadreRecette::Ingre_Click(int Index) {
    OuvrirCellule(2, Index);
}

void CadreRecette::RechercherCles(const QString&, long long& NQuantiteAncien,
                                  long long& NQuantiteNouveau, long long& NMesureAncien,
                                  long long& NMesureNouveau, long long& NIngreAncien,
                                  long long& NIngreNouveau, const QString& Qte1,
                                  const QString& Qte2, const QString& Mes1, const QString& Mes2,
                                  const QString& Ing1, const QString& Ing2,
                                  platform::Database* Base) {
    Frmmain& f = Frmmain::Instance();
    auto resoudre = [&](const QString& texte, long long& numero, const Colonne& c) {
        if (texte.isNull()) return;
        if (texte == Pointilles() || Trim(texte).isEmpty()) {
            numero = 0;
            return;
        }
        f.RechercherNumero(texte, numero, QString::fromLatin1(c.table), QString::fromLatin1(c.cle),
                           Base);
    };
    resoudre(Qte1, NQuantiteAncien, kColonnes[0]);
    resoudre(Qte2, NQuantiteNouveau, kColonnes[0]);
    resoudre(Mes1, NMesureAncien, kColonnes[1]);
    resoudre(Mes2, NMesureNouveau, kColonnes[1]);
    resoudre(Ing1, NIngreAncien, kColonnes[2]);
    resoudre(Ing2, NIngreNouveau, kColonnes[2]);
}

void CadreRecette::ValiderLigne(int colonne) {
    const Colonne& c = kColonnes[colonne];
    platform::ComboBox& l = this->*(c.liste);
    platform::ControlArray<platform::PictureButton>& cellules = this->*(c.cellules);
    bool ok = false;
    const int i = l.Tag.toInt(&ok);
    if (!ok || !cellules.Exists(i)) return;
    if (l.Text() == cellules[i].Caption()) return;
    if (!affichee_) return;
    const long long recette = *affichee_;
    l.SetText(Trim(l.Text()));
    const QString texte = l.Text();

    // The old line and the columns not edited are the numbers the load
    // stored; only the edited column's new text is looked up.
    long long ancien[3] = {Partie(Quantite[i]), Partie(Mesure[i]), Partie(Ingre[i])};
    long long nouveau[3] = {ancien[0], ancien[1], ancien[2]};
    QString textes[3];
    textes[colonne] = texte;
    // A new entry and the line that uses it land together, or neither.
    const bool ecrit = Ecriture::Ecrire([&] {
        auto d = db::OpenDb();
        platform::Transaction t(d);
        RechercherCles(QString::number(recette), ancien[0], nouveau[0], ancien[1], nouveau[1],
                       ancien[2], nouveau[2], QString(), textes[0], QString(), textes[1], QString(),
                       textes[2], &d);
        if (nouveau[0] != ancien[0] || nouveau[1] != ancien[1] || nouveau[2] != ancien[2]) {
            // A line of three empty parts is no line: the old one only goes.
            const bool ajout = nouveau[0] != 0 || nouveau[1] != 0 || nouveau[2] != 0;
            AccesBase::ModifierLigneIngredient(recette, ancien[0], nouveau[0], ancien[1],
                                               nouveau[1], ancien[2], nouveau[2], ajout, &d);
        }
        t.Commit();
    });
    if (!ecrit) return;
    Quantite[i].Tag = QString::number(nouveau[0]);
    Mesure[i].Tag = QString::number(nouveau[1]);
    Ingre[i].Tag = QString::number(nouveau[2]);
    cellules[i].SetCaption(Trim(texte).isEmpty() ? Pointilles() : texte);
    Fermer(l, cellules[i]);
}

void CadreRecette::LQuantite_Click() {
    ValiderLigne(0);
}
void CadreRecette::LMesure_Click() {
    ValiderLigne(1);
}
void CadreRecette::LIngre_Click() {
    ValiderLigne(2);
}
void CadreRecette::LQuantite_KeyPress(int KeyAscii) {
    if (KeyAscii == 13) LQuantite_Click();
}

// ---------------------------------------------------- texts and photo

void CadreRecette::Saisie_Change(int Index) {
    if (Index < 0 || Index > 3 || !affichee_) return;
    const long long recette = *affichee_;
    const QString texte = Saisie[static_cast<size_t>(Index)]->Text();
    // A failure leaves the text in the box: the next change writes it all.
    Ecriture::Ecrire(
        [&] { AccesBase::ModifierChamp(kCocktails, recette, texte, kNumero, kTextes[Index]); });
}

void CadreRecette::CadrePhoto_MouseDown(int Button, int, double, double) {
    std::function<void()> enregistrer;
    if (affichee_)
        enregistrer = [this, recette = *affichee_] {
            AccesBase::EnregistrerPhoto(Photo.Tag, kCocktails, recette, 4);
        };
    Ecriture::PressionPhoto(Button, 0, Photo, CadrePhoto, enregistrer);
}

void CadreRecette::Photo_MouseDown(int Button, int Shift, double X, double Y) {
    CadrePhoto_MouseDown(Button, Shift, X, Y);
}
