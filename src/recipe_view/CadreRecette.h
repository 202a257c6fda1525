#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "platform/Controls.h"
#include "platform/Database.h"

// The recipe panel of the main window: one recipe with its attributes, its
// ingredient lines as rows of three cells, its photo and its four texts,
// inside the scrolling container Scroll(0). Loading it reads the collection
// and never writes to it.
class CadreRecette : public QObject {
    Q_OBJECT
public:
    // The panel lies in `cadre`, whose width the layout follows.
    CadreRecette(platform::ScrollPanel& scroll, const platform::Panel& cadre);
    ~CadreRecette() override;

    // The skin of a value button or a cell, drawn at its size.
    static void Habiller(platform::PictureButton& b);

    // The placeholder caption of an empty ingredient cell.
    static const QString& Pointilles();

    // Loads recipe n, a whole number or the number part of a list key.
    void ChargerRecette(const QString& n);
    void ChargerRecette(long long n) { ChargerRecette(QString::number(n)); }
    void PlacerCadreRecette();

    // The recipe the panel shows, as its last load found it: none when the
    // number matched no recipe or the load failed. Edits go to this recipe.
    std::optional<long long> RecetteAffichee() const { return affichee_; }
    // Forgets the shown recipe (it was deleted): nothing more is written to it.
    void Oublier() { affichee_.reset(); }

    // Hides the nine pick-lists, in their order.
    void CacherListes();
    // Refills the six database pick-lists, as a selection in the lists does.
    void RemplirListes();

    platform::ScrollPanel& Scroll;
    QWidget* const Contenu;
    const platform::Panel& Cadre;

    platform::Panel CadrePhoto;
    platform::PictureBox Photo{&CadrePhoto};
    platform::ControlArray<platform::Label> Libelle;
    // Elements 0 to 4 and 6: glass, method, cost, difficulty, strength,
    // category.
    platform::ControlArray<platform::PictureButton> Data;
    platform::ControlArray<platform::PictureButton> Quantite;
    platform::ControlArray<platform::PictureButton> Mesure;
    platform::ControlArray<platform::PictureButton> Ingre;
    std::array<std::unique_ptr<platform::TextBox>, 4> Saisie;

    // The in-place pick-lists, children of the panel's content so that
    // they lie over a cell and scroll with it.
    platform::ComboBox LCout;
    platform::ComboBox LDiff;
    platform::ComboBox LTeneur;
    platform::ComboBox LCategorie;
    platform::ComboBox LVerre;
    platform::ComboBox LMateriel;
    platform::ComboBox LQuantite;
    platform::ComboBox LMesure;
    platform::ComboBox LIngre;

    // The in-place editors: each writes at once to the shown recipe.
    void Data_Click(int Index);
    void LCategorie_Click();
    void LVerre_Click();
    void LMateriel_Click();
    void LCout_Click();
    void LDiff_Click();
    void LTeneur_Click();
    void LCategorie_KeyDown(int KeyCode, int Shift);
    void LVerre_KeyPress(int KeyAscii);
    void LMateriel_KeyPress(int KeyAscii);
    void Quantite_Click(int Index);
    void Mesure_Click(int Index);
    void Ingre_Click(int Index);
    void LQuantite_Click();
    void LMesure_Click();
    void LIngre_Click();
    void LQuantite_KeyPress(int KeyAscii);
    // Turns part texts into numbers: the placeholder or a blank text is 0,
    // any other text is found or created. A null text leaves its number as
    // the caller gave it (a stored number, never worked out from a caption).
    void RechercherCles(const QString& Cle, long long& NQuantiteAncien, long long& NQuantiteNouveau,
                        long long& NMesureAncien, long long& NMesureNouveau,
                        long long& NIngreAncien, long long& NIngreNouveau, const QString& Qte1,
                        const QString& Qte2, const QString& Mes1, const QString& Mes2,
                        const QString& Ing1, const QString& Ing2,
                        platform::Database* Base = nullptr);
    void Saisie_Change(int Index);
    void CadrePhoto_MouseDown(int Button, int Shift, double X, double Y);
    void Photo_MouseDown(int Button, int Shift, double X, double Y);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void ConnecterEditeurs();
    void ConnecterLigne(int i);
    void ValiderChoix(int Index);
    void ValiderNiveau(int Index);
    void ValiderLigne(int colonne);
    void OuvrirCellule(int colonne, int Index);
    // Hides a list after its commit, the focus left on the cell it edited.
    void Fermer(platform::ComboBox& l, QWidget& cellule);

    void ChargerIngredients(const QString& n);
    // Rows 1 and up, made as copies of row 0.
    void CreerLigne(int i);
    void DetruireLignes();
    void AfficherPhoto(const QVariant& value);
    // No recipe: what a failed load leaves, rather than a mix of two.
    void Vider();

    std::optional<long long> affichee_;
};
